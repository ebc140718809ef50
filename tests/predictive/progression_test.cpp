// SPDX-License-Identifier: AGPL-3.0-or-later
// The progressed moment and the local clock it is written back with. The expected values were
// worked out apart from this code, from the proleptic Gregorian day count (day 1 of year 1 is
// JD 1721425.5) and clock arithmetic.
#include <gtest/gtest.h>

#include <cstdio>

#include "predictive/derived_transit.h"
#include "predictive/predictive_form.h"
#include "predictive/progressed_moment.h"
#include "recording_messages.h"

namespace quintaro {
namespace {

// A section's date and clock as "m/d/yyyy h:mm AM", and the other way round.
void SetMoment(EntrySection& s, const char* text) {
    int month = 0, day = 0, year = 0, hour = 0, minute = 0;
    char half[3] = "";
    std::sscanf(text, "%d/%d/%d %d:%d %2s", &month, &day, &year, &hour, &minute, half);
    s.month = std::to_string(month);
    s.day = std::to_string(day);
    s.year = std::to_string(year);
    s.hour = std::to_string(hour);
    s.minute = std::to_string(minute);
    s.pm = half[0] == 'P';
}
std::string MomentOf(const EntrySection& s) {
    char minute[8];
    std::snprintf(minute, sizeof minute, "%02d", std::stoi(s.minute));
    return s.month + "/" + s.day + "/" + s.year + " " + s.hour + ":" + minute +
           (s.pm ? " PM" : " AM");
}

PredictiveForm Form(const char* natal, const char* zone, const char* target) {
    PredictiveForm form;
    form.natal.name = "Kim";
    SetMoment(form.natal, natal);
    form.natal.zone = zone;
    SetMoment(form.target, target);
    return form;
}

TEST(ProgressedMoment, DayForAYearWithTheLocalClockAndItsCarries) {
    struct Case {
        const char* what;
        const char *natal, *zone, *target;
        double natalJD, targetJD, progressedDays;  // N, D_t, P − N
        const char* written;                       // the transit fields afterwards
    };
    const Case cases[] = {
        {"the birth date itself: about four minutes earlier", "6/15/1990 11:59 PM", "0",
         "6/15/1990 0:0 AM", 2448058.4993056, 2448057.5, -0.0027360, "6/15/1990 11:55 PM"},
        {"thirty years of 365.25 days: 30.0006 days", "1/1/1980 12:00 PM", "0", "1/1/2010 0:0 AM",
         2444240.0, 2455197.5, 30.0006407, "1/31/1980 12:01 PM"},
        {"P.M. into A.M. of the next day and month", "1/1/1980 11:50 PM", "0", "1/11/2010 0:0 AM",
         2444240.4930556, 2455207.5, 30.0266698, "2/1/1980 12:28 AM"},
        {"east zone: into the next year", "12/1/1969 11:30 PM", "-3", "12/20/1999 0:0 AM",
         2440557.3541667, 2451532.5, 30.0489534, "1/1/1970 12:40 AM"},
        {"west zone: A.M. into P.M.", "3/1/1990 11:40 AM", "6", "3/15/2020 0:0 AM", 2447952.2361111,
         2458923.5, 30.0383249, "3/31/1990 12:35 PM"},
        {"a target before birth: back into the day before", "3/1/2000 12:01 AM", "0",
         "3/1/1990 0:0 AM", 2451604.5006944, 2447951.5, -10.0015844, "2/19/2000 11:59 PM"},
        {"through the leap day", "2/28/1972 11:30 PM", "-1", "2/28/1974 0:0 AM", 2441376.4375,
         2442106.5, 1.9988449, "3/1/1972 11:28 PM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PredictiveForm form = Form(c.natal, c.zone, c.target);
        test::RecordingMessages messages;
        const auto moments = ReadForm(form, messages);
        ASSERT_TRUE(moments);
        EXPECT_NEAR(moments->natalJD, c.natalJD, 1e-7);
        EXPECT_NEAR(moments->targetJD, c.targetJD, 1e-9);
        const double progressed = ProgressedMoment(moments->natalJD, moments->targetJD);
        EXPECT_NEAR(progressed - moments->natalJD, c.progressedDays, 1e-7);

        EntrySection transit;
        transit.longDeg = "87";
        WriteTransit(MomentTransit("Kim - progressed", progressed, form.natal, false), transit);
        EXPECT_EQ(transit.name, "Kim - progressed");
        EXPECT_EQ(MomentOf(transit), c.written);
        EXPECT_EQ(transit.zone, c.zone);   // the clock is read in the window's zone
        EXPECT_EQ(transit.longDeg, "87");  // coordinates are not a progression's business
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST(SolarAnniversary, WholeYearsOfTheProgressionYear) {
    const double natal = 2451545.0;
    EXPECT_DOUBLE_EQ(SolarAnniversary(natal, natal + 100), natal);
    EXPECT_DOUBLE_EQ(SolarAnniversary(natal, natal + 10 * 365.2422 + 1), natal + 3652.422);
    EXPECT_DOUBLE_EQ(SolarAnniversary(natal, natal + 10 * 365.2422 - 1), natal + 9 * 365.2422);
    EXPECT_DOUBLE_EQ(SolarAnniversary(natal, natal - 1), natal - 365.2422);
}

TEST(ReadForm, NonNumericHourGivesTheEntryWindowsWarning) {
    for (const char* hour : {"ab", "", "1a"}) {
        PredictiveForm form = Form("1/1/2000 1:00 AM", "0", "1/1/2020 0:0 AM");
        form.natal.hour = hour;
        test::RecordingMessages messages;
        EXPECT_FALSE(ReadForm(form, messages)) << hour;
        ASSERT_EQ(messages.shown.size(), 1u) << hour;
        EXPECT_EQ(messages.shown[0].title, "Warning!");
        EXPECT_EQ(messages.shown[0].text, "Please fill in a value for birth hour.");
    }
}

TEST(DerivedTransit, ReturnsCarryThePlaceAndTheSolarArcOnlyTheDate) {
    PredictiveForm form = Form("1/1/2000 7:30 AM", "-5.5", "1/1/2020 0:0 AM");
    form.natal.longDeg = "77";
    form.natal.east = true;
    form.natal.latDeg = "28";
    EntrySection transit;
    transit.zone = "6";
    transit.south = true;
    // 2000-01-01 0h UT is 5:30 A.M. in a zone 5.5 hours east.
    WriteTransit(MomentTransit("Kim - solar return", 2451544.5, form.natal, true), transit);
    EXPECT_EQ(MomentOf(transit), "1/1/2000 5:30 AM");
    EXPECT_EQ(transit.zone + " " + transit.longDeg + " " + transit.latDeg, "-5.5 77 28");
    EXPECT_TRUE(transit.east);
    EXPECT_FALSE(transit.south);

    WriteTransit(DateTransit("Kim - solar arc prog.", {2031, 7, 4}, 0), transit);
    EXPECT_EQ(transit.name, "Kim - solar arc prog.");
    EXPECT_EQ(MomentOf(transit), "7/4/2031 5:30 AM");  // the clock and the place stay
    EXPECT_EQ(transit.zone, "-5.5");
}

}  // namespace
}  // namespace quintaro
