// SPDX-License-Identifier: AGPL-3.0-or-later
// The progressed moment and the local clock it is written back with. The expected values were
// worked out apart from this code, from the proleptic Gregorian day count (day 1 of year 1 is
// JD 1721425.5) and clock arithmetic.
#include <gtest/gtest.h>

#include <cmath>

#include "predictive/derived_transit.h"
#include "predictive/predictive_form.h"
#include "predictive/progressed_moment.h"
#include "recording_messages.h"

namespace quintaro {
namespace {

struct Fields {
    const char *month, *day, *year, *hour, *minute;
    bool pm;
};

PredictiveForm Form(const char* name, Fields natal, const char* zone, CivilDate target) {
    PredictiveForm form;
    form.natal.name = name;
    form.natal.month = natal.month;
    form.natal.day = natal.day;
    form.natal.year = natal.year;
    form.natal.hour = natal.hour;
    form.natal.minute = natal.minute;
    form.natal.pm = natal.pm;
    form.natal.zone = zone;
    form.target.month = std::to_string(target.month);
    form.target.day = std::to_string(target.day);
    form.target.year = std::to_string(target.year);
    return form;
}

TEST(ProgressedMoment, DayForAYearWithTheLocalClockAndItsCarries) {
    struct Case {
        const char* what;
        Fields natal;
        const char* zone;
        CivilDate target;
        double natalJD, targetJD, progressedDays;  // N, D_t, P − N
        Fields written;                            // the transit fields afterwards
    };
    const Case cases[] = {
        {"the birth date itself: about four minutes earlier",
         {"6", "15", "1990", "11", "59", true},
         "0",
         {1990, 6, 15},
         2448058.4993056,
         2448057.5,
         -0.0027360,
         {"6", "15", "1990", "11", "55", true}},
        {"thirty years of 365.25 days: 30.0006 days",
         {"1", "1", "1980", "12", "0", true},
         "0",
         {2010, 1, 1},
         2444240.0,
         2455197.5,
         30.0006407,
         {"1", "31", "1980", "12", "1", true}},
        {"P.M. into A.M. of the next day and month",
         {"1", "1", "1980", "11", "50", true},
         "0",
         {2010, 1, 11},
         2444240.4930556,
         2455207.5,
         30.0266698,
         {"2", "1", "1980", "12", "28", false}},
        {"east zone: into the next year",
         {"12", "1", "1969", "11", "30", true},
         "-3",
         {1999, 12, 20},
         2440557.3541667,
         2451532.5,
         30.0489534,
         {"1", "1", "1970", "12", "40", false}},
        {"west zone: A.M. into P.M.",
         {"3", "1", "1990", "11", "40", false},
         "6",
         {2020, 3, 15},
         2447952.2361111,
         2458923.5,
         30.0383249,
         {"3", "31", "1990", "12", "35", true}},
        {"a target before birth goes back into the day before",
         {"3", "1", "2000", "12", "1", false},
         "0",
         {1990, 3, 1},
         2451604.5006944,
         2447951.5,
         -10.0015844,
         {"2", "19", "2000", "11", "59", true}},
        {"through the leap day",
         {"2", "28", "1972", "11", "30", true},
         "-1",
         {1974, 2, 28},
         2441376.4375,
         2442106.5,
         1.9988449,
         {"3", "1", "1972", "11", "28", true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PredictiveForm form = Form("Kim", c.natal, c.zone, c.target);
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
        EXPECT_EQ(transit.month, c.written.month);
        EXPECT_EQ(transit.day, c.written.day);
        EXPECT_EQ(transit.year, c.written.year);
        EXPECT_EQ(transit.hour, c.written.hour);
        EXPECT_EQ(transit.minute, c.written.minute);
        EXPECT_EQ(transit.pm, c.written.pm);
        EXPECT_EQ(transit.zone, c.zone);   // the clock is read in the window's zone
        EXPECT_EQ(transit.longDeg, "87");  // coordinates are not a progression's business
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST(ProgressedMoment, BirthDateTargetStaysWithinFourMinutes) {
    // A day before the target's midnight at most, divided by 365.2422: 3.94 minutes.
    for (double natal : {2451544.5, 2451544.75, 2451545.49999}) {
        const double target = std::floor(natal - 0.5) + 0.5;
        EXPECT_LT(std::abs(ProgressedMoment(natal, target) - natal) * 1440.0, 4.0) << natal;
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
        PredictiveForm form = Form("Kim", {"1", "1", "2000", "x", "0", false}, "0", {2020, 1, 1});
        form.natal.hour = hour;
        test::RecordingMessages messages;
        EXPECT_FALSE(ReadForm(form, messages)) << hour;
        ASSERT_EQ(messages.shown.size(), 1u) << hour;
        EXPECT_EQ(messages.shown[0].title, "Warning!");
        EXPECT_EQ(messages.shown[0].text, "Please fill in a value for birth hour.");
    }
}

TEST(DerivedTransit, ReturnsCarryThePlaceAndTheSolarArcOnlyTheDate) {
    PredictiveForm form = Form("Kim", {"1", "1", "2000", "7", "30", false}, "-5.5", {2020, 1, 1});
    form.natal.longDeg = "77";
    form.natal.longMin = "12";
    form.natal.east = true;
    form.natal.latDeg = "28";
    form.natal.latMin = "36";
    EntrySection transit;
    transit.hour = "9";
    transit.minute = "15";
    transit.pm = true;
    transit.zone = "6";
    transit.south = true;
    // 2000-01-01 0h UT is 5:30 A.M. in a zone 5.5 hours east.
    WriteTransit(MomentTransit("Kim - solar return", 2451544.5, form.natal, true), transit);
    EXPECT_EQ(transit.hour, "5");
    EXPECT_EQ(transit.minute, "30");
    EXPECT_FALSE(transit.pm);
    EXPECT_EQ(transit.zone, "-5.5");
    EXPECT_EQ(transit.longDeg, "77");
    EXPECT_EQ(transit.longMin, "12");
    EXPECT_TRUE(transit.east);
    EXPECT_EQ(transit.latDeg, "28");
    EXPECT_FALSE(transit.south);

    EntrySection arc = transit;
    arc.hour = "9";
    WriteTransit(DateTransit("Kim - solar arc prog.", {2031, 7, 4}, 0), arc);
    EXPECT_EQ(arc.name, "Kim - solar arc prog.");
    EXPECT_EQ(arc.month + "/" + arc.day + "/" + arc.year, "7/4/2031");
    EXPECT_EQ(arc.hour, "9");  // the clock and place stay
    EXPECT_EQ(arc.zone, "-5.5");
}

}  // namespace
}  // namespace quintaro
