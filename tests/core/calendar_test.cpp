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
    for (double clock : {0.0, 1.01, 5.59, 11.30, 12.15})
        EXPECT_NEAR(HoursToClock(ClockToHours(clock)), clock, 1e-12);
}

TEST(DayFraction, TwelveOClockBelongsToTheStartOfItsHalf) {
    struct Case {
        double clock;
        Meridiem half;
        double zone;
        double hoursUt;
    } cases[] = {
        {12.15, Meridiem::AM, 0, 0.25}, {12.15, Meridiem::PM, 0, 12.25},
        {12.30, Meridiem::AM, 0, 0.5},  {12.30, Meridiem::PM, 0, 12.5},
        {7.30, Meridiem::AM, 5, 12.5},  {11.59, Meridiem::PM, 0, 23 + 59 / 60.0},
        {1.00, Meridiem::AM, -2, -1.0},  // east of Greenwich: UT lies on the previous day
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

// Published Julian Days (the worked examples of Meeus, Astronomical Algorithms, ch. 7): the
// Julian calendar up to 1582-10-04, the Gregorian from 1582-10-15, both directions.
struct PublishedDay {
    int y, m;
    double d;  // day of the month with its fraction (UT)
    double jd;
};
const PublishedDay PublishedDays[] = {
    {2000, 1, 1.5, 2451545.0},    {1999, 1, 1.0, 2451179.5},    {1987, 1, 27.0, 2446822.5},
    {1987, 6, 19.5, 2446966.0},   {1988, 1, 27.0, 2447187.5},   {1988, 6, 19.5, 2447332.0},
    {1900, 1, 1.0, 2415020.5},    {1600, 1, 1.0, 2305447.5},    {1600, 12, 31.0, 2305812.5},
    {1957, 10, 4.81, 2436116.31}, {1582, 10, 15.0, 2299160.5},  {1582, 10, 15.5, 2299161.0},
    {1582, 10, 4.0, 2299159.5},   {1582, 10, 4.5, 2299160.0},   {837, 4, 10.3, 2026871.8},
    {333, 1, 27.5, 1842713.0},    {-123, 12, 31.0, 1676496.5},  {-122, 1, 1.0, 1676497.5},
    {-1000, 7, 12.5, 1356001.0},  {-1000, 2, 29.0, 1355866.5},  {-1001, 8, 17.9, 1355671.4},
    {-4712, 1, 1.5, 0.0},         {-584, 5, 28.63, 1507900.13},
};

TEST(Calendar, PublishedJulianDaysBothWays) {
    for (const PublishedDay& c : PublishedDays) {
        const int day = static_cast<int>(c.d);
        const double jd = DayNumber(c.y, c.m, day) - 0.5 + (c.d - day);
        EXPECT_NEAR(jd, c.jd, 1e-9) << c.y << "-" << c.m << "-" << c.d;
        const CivilDate back = JDToCalendar(c.jd);
        EXPECT_EQ(back.year, c.y) << c.jd;
        EXPECT_EQ(back.month, c.m) << c.jd;
        EXPECT_EQ(back.day, day) << c.jd;
        EXPECT_EQ(CivilDateProblem(c.y, c.m, day), "");
    }
}

TEST(Calendar, TheReformSkipsTenDays) {
    EXPECT_EQ(DayNumber(1582, 10, 4), 2299160.0);   // Julian
    EXPECT_EQ(DayNumber(1582, 10, 15), 2299161.0);  // Gregorian: the next day
    EXPECT_EQ(DayNumber(1582, 10, 16), 2299162.0);
    EXPECT_NEAR(MomentToJD(1582, 10, 15, 12.00, Meridiem::PM, 0).ChartJD, 2299161.0, 1e-9);
    for (int day = 5; day <= 14; ++day)
        EXPECT_EQ(CivilDateProblem(1582, 10, day),
                  (day < 10 ? "1582-10-0" : "1582-10-") + std::to_string(day) +
                      " does not exist: the Gregorian calendar follows Julian 1582-10-04 with "
                      "1582-10-15");
    const CivilDate before = JDToCalendar(2299160.0);
    EXPECT_EQ(before.month * 100 + before.day, 1004);
    const CivilDate after = JDToCalendar(2299160.5);
    EXPECT_EQ(after.month * 100 + after.day, 1015);
}

TEST(Calendar, OtherDatesThatDoNotExist) {
    const struct {
        int y, m, d;
        const char* problem;
    } cases[] = {
        {2023, 13, 1, "month 13 is not 1..12"},
        {2023, 0, 1, "month 0 is not 1..12"},
        {2023, 2, 29, "day 29 does not exist in month 2 of 2023"},
        {1700, 2, 29, "day 29 does not exist in month 2 of 1700"},  // Gregorian: no leap day
        {1500, 2, 30, "day 30 does not exist in month 2 of 1500"},
        {2023, 4, 0, "day 0 does not exist in month 4 of 2023"},
        {1500, 2, 29, ""},  // Julian leap day
        {1582, 10, 31, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(CivilDateProblem(c.y, c.m, c.d), c.problem);
}

TEST(JDToCalendar, InverseOfTheDayNumberInBothCalendars) {
    EXPECT_EQ(JDToCalendar(2451544.5).day, 1);
    for (double jd = -500000.0; jd < 2500000.0; jd += 97.0) {
        CivilDate date = JDToCalendar(jd);
        ASSERT_EQ(DayNumber(date.year, date.month, date.day), jd) << jd;
        ASSERT_EQ(CivilDateProblem(date.year, date.month, date.day), "") << jd;
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
    EXPECT_EQ(DaysInMonth(-1000, 2), 29);
    EXPECT_EQ(DaysInMonth(-1001, 2), 28);
    EXPECT_EQ(DaysInMonth(1600, 2), 29);
    EXPECT_EQ(DaysInMonth(1700, 2), 28);
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
                 {"americans\n", false},  {"\n", false}, {"2\nAmerican\n", false}};
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
