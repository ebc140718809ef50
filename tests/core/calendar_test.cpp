// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/calendar.h"

#include <gtest/gtest.h>

#include <fstream>

#include "recording_messages.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

TEST(Clock, ConversionsBothWays) {
    EXPECT_NEAR(ClockToHours(7.45), 7.75, 1e-12);
    EXPECT_NEAR(ClockToHours(12.30), 12.5, 1e-12);
    EXPECT_NEAR(HoursToClock(7.75), 7.45, 1e-12);
    for (double clock : {0.0, 1.01, 5.59, 11.30, 12.15}) EXPECT_NEAR(HoursToClock(ClockToHours(clock)), clock, 1e-12);
}

TEST(DayFraction, TwelveOClockBelongsToTheStartOfItsHalf) {
    struct Case {
        double clock;
        Meridiem half;
        double zone;
        double hoursUt;
    } cases[] = {
        {12.15, Meridiem::AM, 0, 0.25},   {12.15, Meridiem::PM, 0, 12.25},
        {12.30, Meridiem::AM, 0, 0.5},    {12.30, Meridiem::PM, 0, 12.5},
        {7.30, Meridiem::AM, 5, 12.5},    {11.59, Meridiem::PM, 0, 23 + 59 / 60.0},
        {1.00, Meridiem::AM, -2, -1.0},   // east of Greenwich: UT lies on the previous day
    };
    for (const auto& c : cases)
        EXPECT_NEAR(ClockDayFraction(c.clock, c.half, c.zone) * 24, c.hoursUt, 1e-9) << c.clock;
}

TEST(MomentToJD, ReferenceMoments) {
    // Reference Julian Days from published almanac tables.
    struct Case {
        int y, m, d;
        double clock;
        Meridiem half;
        double zone;
        double jd;
    } cases[] = {
        {2000, 1, 1, 12.00, Meridiem::PM, 0, 2451545.0},
        {2000, 1, 1, 7.30, Meridiem::AM, 5, 2451545.0208333333},
        {1987, 1, 27, 12.00, Meridiem::AM, 0, 2446822.5},
        {1987, 6, 19, 12.00, Meridiem::PM, 0, 2446966.0},
        {1900, 1, 1, 12.00, Meridiem::AM, 0, 2415020.5},
        {1750, 1, 1, 12.00, Meridiem::AM, 0, 2360234.5},
        {2050, 1, 1, 12.00, Meridiem::AM, 0, 2469807.5},
        {333, 1, 27, 12.00, Meridiem::PM, 0, 1842713.0},  // Julian calendar
    };
    for (const auto& c : cases) {
        ChartMoment m = MomentToJD(c.y, c.m, c.d, c.clock, c.half, c.zone);
        EXPECT_NEAR(m.ChartJD, c.jd, 1e-7) << c.y << "-" << c.m << "-" << c.d;
    }
    ChartMoment noon = MomentToJD(2000, 1, 1, 12.00, Meridiem::PM, 0);
    EXPECT_EQ(noon.JD0, 2451545.0);
    EXPECT_EQ(noon.DayFraction, 0.5);
}

TEST(MomentToJD, CalendarSwitchAfterOctober15th1582) {
    EXPECT_EQ(DayNumber(1582, 10, 4), 2299160.0);   // Julian
    EXPECT_EQ(DayNumber(1582, 10, 15), 2299171.0);  // still taken as Julian: not above the limit
    EXPECT_EQ(DayNumber(1582, 10, 16), 2299162.0);  // Gregorian from here on
    EXPECT_EQ(DayNumber(2000, 1, 1), 2451545.0);
}

TEST(JDToCalendar, InverseOfTheDayNumberForGregorianDates) {
    EXPECT_EQ(JDToCalendar(2451544.5).day, 1);
    for (double jd = 2299162.0; jd < 2500000.0; jd += 97.0) {
        CivilDate date = JDToCalendar(jd);
        EXPECT_EQ(DayNumber(date.year, date.month, date.day), jd);
    }
    CivilDate start = JDToCalendar(2360234.5);
    EXPECT_EQ(start.year, 1750);
    EXPECT_EQ(start.month, 1);
    EXPECT_EQ(start.day, 1);
    // 23h59 UT still belongs to the same civil day.
    CivilDate late = JDToCalendar(2451544.5 + 0.9993);
    EXPECT_EQ(late.day, 1);
}

TEST(JDToEntryFields, TwelveHourClockAndZone) {
    struct Case {
        double jd, zone;
        int y, m, d;
        double clock;
        Meridiem half;
    } cases[] = {
        {2451545.0, 0, 2000, 1, 1, 12.00, Meridiem::PM},
        {2451544.5, 0, 2000, 1, 1, 12.00, Meridiem::AM},
        {2451545.0208333333, 5, 2000, 1, 1, 7.30, Meridiem::AM},
        {2451544.5 + 23.9999 / 24, 0, 2000, 1, 2, 12.00, Meridiem::AM},  // rounds to midnight
        {2451544.5 + 1 / 24.0, 3, 1999, 12, 31, 10.00, Meridiem::PM},
        {2451544.5 + 13.75 / 24, 0, 2000, 1, 1, 1.45, Meridiem::PM},
    };
    for (const auto& c : cases) {
        EntryMoment e = JDToEntryFields(c.jd, c.zone);
        EXPECT_EQ(e.date.year, c.y) << c.jd;
        EXPECT_EQ(e.date.month, c.m) << c.jd;
        EXPECT_EQ(e.date.day, c.d) << c.jd;
        EXPECT_NEAR(e.clock, c.clock, 1e-9) << c.jd;
        EXPECT_EQ(e.meridiem, c.half) << c.jd;
    }
}

TEST(JDToEntryFields, RoundTripsThroughMomentToJD) {
    for (double jd = 2415020.5; jd < 2469807.5; jd += 1234.567) {
        for (double zone : {-10.0, 0.0, 5.0, 8.0}) {
            EntryMoment e = JDToEntryFields(jd, zone);
            ChartMoment back =
                MomentToJD(e.date.year, e.date.month, e.date.day, e.clock, e.meridiem, zone);
            EXPECT_NEAR(back.ChartJD, jd, 0.5 / 1440 + 1e-9) << jd << " zone " << zone;
        }
    }
}

TEST(DaysInMonth, LeapYears) {
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DaysInMonth(1500, 2), 29);  // Julian calendar
    EXPECT_EQ(DaysInMonth(2023, 4), 30);
    EXPECT_EQ(DaysInMonth(2023, 12), 31);
}

TEST(DateStyle, FileDecidesAndIsCreatedWhenMissing) {
    test::TempFolder folder;
    test::RecordingMessages messages;
    auto file = folder.path() / "datestyle.key";
    EXPECT_TRUE(LoadDateStyle(file, messages).american);
    std::ifstream created(file);
    std::string line;
    std::getline(created, line);
    EXPECT_EQ(line, "American");

    struct Case {
        const char* content;
        bool american;
    } cases[] = {{"  AMERICAN \n", true}, {"1\n", true}, {"European\n", false},
                 {"americans\n", false},  {"\n", false},  {"2\nAmerican\n", false}};
    for (const auto& c : cases) {
        std::ofstream(file) << c.content;
        DateStyle style = LoadDateStyle(file, messages);
        EXPECT_EQ(style.american, c.american) << c.content;
        EXPECT_EQ(style.code(), c.american ? 0 : 1);
        EXPECT_STREQ(style.listingFormat(), c.american ? "mm/dd/yyyy" : "dd/mm/yyyy");
    }
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace quintaro
