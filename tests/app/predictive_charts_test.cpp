// SPDX-License-Identifier: AGPL-3.0-or-later
// The predictive windows' commands on a started workstation: what they write into the entry
// window's transit section, what the next computation makes of it, and what bad input leaves.
#include "app/predictive_charts.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/degrees.h"
#include "core/ephemeris_loader.h"
#include "day_parts.h"
#include "recording_messages.h"
#include "setup/entry_zone.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::kMinute;

bool SameFields(const EntrySection& a, const EntrySection& b) {
    return a.name == b.name && a.month == b.month && a.day == b.day && a.year == b.year &&
           a.hour == b.hour && a.minute == b.minute && a.pm == b.pm && a.zone == b.zone &&
           a.longDeg == b.longDeg && a.latDeg == b.latDeg && a.east == b.east && a.south == b.south;
}

struct PredictiveCharts : ::testing::Test {
    test::TempFolder home;
    test::RecordingMessages messages;
    Session session{home.path(), messages};
    Workstation& ws = session.workstation;
    PredictiveForm form;

    void SetUp() override {
        if (!std::filesystem::exists(GeneratedEphemerisSource() / "ephem000.dat"))
            GTEST_SKIP() << "no generated ephemeris files";
        ws.clock = [] { return DateTimeParts{2021, 3, 4, 9, 15, 0}; };
        ASSERT_TRUE(StartSession(session));
        // Born 15 June 1990, 3:27 P.M. in a zone 5 hours west, at 87°38' W, 41°52' N.
        form.natal.name = "Kim";
        form.natal.month = "6";
        form.natal.day = "15";
        form.natal.year = "1990";
        form.natal.hour = "3";
        form.natal.minute = "27";
        form.natal.pm = true;
        form.natal.zone = "5";
        form.natal.longDeg = "87";
        form.natal.longMin = "38";
        form.natal.latDeg = "41";
        form.natal.latMin = "52";
        Target(2020, 8, 1);
        ws.entry.natal = form.natal;
        messages.shown.clear();
    }

    void Target(int year, int month, int day) {
        form.target.year = std::to_string(year);
        form.target.month = std::to_string(month);
        form.target.day = std::to_string(day);
    }

    double NatalJD() const { return 2448057.5 + (15 + 27 / 60.0 + 5) / 24.0; }

    double Longitude(double jd, int slot) {
        const BodyPoint p = ws.positions.PositionAt(jd, slot, Frame::Geocentric);
        EXPECT_TRUE(p.valid);
        return p.longitude;
    }
};

TEST_F(PredictiveCharts, TheTransitChartLandsOnTheProgressedMoment) {
    ws.entry.transit.zone = "-2";  // the entry's transit zone differs from the window's
    const auto derived = ProgressIntoTransit(session, form);
    ASSERT_TRUE(derived);
    const double expected = NatalJD() + (2459062.5 - NatalJD()) / 365.2422;
    EXPECT_NEAR(derived->jd, expected, 1e-9);
    EXPECT_EQ(ws.entry.transit.name, "Kim - progressed");
    EXPECT_EQ(ws.entry.transit.zone, "5");
    ASSERT_TRUE(ComputeCharts(session));
    // The transit fields hold the moment to the minute.
    EXPECT_LE(std::abs(ws.transit.houses.ChartJD - expected), 0.5 * kMinute + 1e-9);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PredictiveCharts, SolarArcTransitIsTheNatalChartMovedByTheArcs) {
    SetSolarArcMode(ws, true);
    Target(2020, 6, 15);
    const auto chart = DirectIntoTransit(session, form);
    ASSERT_TRUE(chart);
    EXPECT_EQ(ws.entry.transit.name, "Kim - solar arc prog.");
    EXPECT_EQ(ws.entry.transit.month + "/" + ws.entry.transit.day + "/" + ws.entry.transit.year,
              "6/15/2020");
    // Thirty years less a few hours: the Sun moves a little under a degree a day in July.
    EXPECT_NEAR(chart->progressedJD - NatalJD(), 29.9997, 0.0005);
    EXPECT_GT(chart->arcs.geo, 28.3);
    EXPECT_LT(chart->arcs.geo, 29.0);
    EXPECT_NEAR(chart->arcs.helio, chart->arcs.geo, 0.01);  // the Earth opposite the Sun
    EXPECT_DOUBLE_EQ(ws.solarArc.geoArc, chart->arcs.geo);

    // Any arcs: every selected transit longitude is the natal one moved on, modulo 360.
    for (double arc : {chart->arcs.geo, 35.5, 329.0}) {
        ws.solarArc.geoArc = arc;
        ws.solarArc.helioArc = arc + 0.25;
        ASSERT_TRUE(ComputeCharts(session));
        const ChartKinds &natal = ws.record.Natal, &transit = ws.record.Transit;
        int compared = 0;
        for (int slot = 1; slot <= BodyCount; ++slot) {
            if (!ws.flags().transit(slot) || !ws.flags().natal(slot)) continue;
            ++compared;
            EXPECT_NEAR(transit.GeoLong[slot], Norm360(natal.GeoLong[slot] + arc), 1e-9) << slot;
            EXPECT_NEAR(transit.HelioLong[slot], Norm360(natal.HelioLong[slot] + arc + 0.25), 1e-9)
                << slot;
        }
        EXPECT_GT(compared, 10);
    }

    // With the mode off the transit chart is an ordinary one again (the chart record keeps the
    // single-precision values of the planetary reader).
    SetSolarArcMode(ws, false);
    ASSERT_TRUE(ComputeCharts(session));
    EXPECT_NEAR(ws.record.Transit.GeoLong[SlotMars], Longitude(ws.transit.houses.ChartJD, SlotMars),
                1e-4);
}

TEST_F(PredictiveCharts, BadInputIsReportedAndLeavesTheEntryAlone) {
    struct Case {
        const char* what;
        const char* hour;
        int natalYear, targetYear;
        const char* message;
    };
    const Case cases[] = {
        {"a hour that is no number", "3x", 1990, 2020, "Please fill in a value for birth hour."},
        {"a target after the ephemeris", "3", 1990, 2100,
         "You have entered a date outside the range of my ephemeris, which covers 1900-01-01 to "
         "2050-01-01 (UT). Please enter another date."},
        {"a natal date before it", "3", 1850, 2020,
         "You have entered a date outside the range of my ephemeris, which covers 1900-01-01 to "
         "2050-01-01 (UT). Please enter another date."},
    };
    const EntrySection before = ws.entry.transit;
    const SolarArcMode arcBefore = ws.solarArc;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        form.natal.hour = c.hour;
        form.natal.year = std::to_string(c.natalYear);
        Target(c.targetYear, 1, 1);
        for (int command = 0; command < 4; ++command) {
            messages.shown.clear();
            const bool done = command == 0   ? ProgressIntoTransit(session, form).has_value()
                              : command == 1 ? DirectIntoTransit(session, form).has_value()
                                             : ReturnIntoTransit(session, form,
                                                                 command == 2 ? ReturnBody::Sun
                                                                              : ReturnBody::Moon)
                                                   .has_value();
            EXPECT_FALSE(done) << command;
            ASSERT_EQ(messages.shown.size(), 1u) << command;
            EXPECT_EQ(messages.shown[0].text, c.message);
            EXPECT_TRUE(SameFields(ws.entry.transit, before)) << command;
            EXPECT_EQ(ws.solarArc.geoArc, arcBefore.geoArc);
        }
    }
}

// A return at a place whose zone comes from the place: the clock in the zone of the return
// moment (New York keeps EST at the December birth, EDT at a lunar return in July 2021).
TEST_F(PredictiveCharts, AReturnTakesThePlacesZoneOfItsMoment) {
    form.natal.month = "12";
    form.natal.day = "25";
    const GeoPlace newYork{"New York", "New York", "United States of America", "US",
                           40.71427,   -74.00597,  "America/New_York",         8804190,
                           false};
    ChoosePlace(form.natal, newYork, session.places.zones());
    ASSERT_EQ(form.natal.zone, "5");
    Target(2021, 7, 20);
    ws.entry.transit.zoneSource = {"Europe/London", true, "", false};  // an earlier place
    const auto derived = ReturnIntoTransit(session, form, ReturnBody::Moon);
    ASSERT_TRUE(derived);
    const EntrySection& transit = ws.entry.transit;
    EXPECT_EQ(transit.zone, "4");
    EXPECT_EQ(transit.zoneSource.name, "America/New_York");
    EXPECT_TRUE(transit.zoneSource.fromPlace);
    // The clock read in that zone is the return moment.
    const ChartData read = ReadSection(transit, MonthDayYear);
    const double jd = MomentToJD(read.year, read.month, read.day, read.time.clock.hhmm(),
                                 read.time.meridiem, read.zone)
                          .ChartJD;
    EXPECT_NEAR(jd, derived->jd, kMinute);
    // A zone typed as a number stays the window's.
    form.natal.zoneSource.fromPlace = false;
    ASSERT_TRUE(ReturnIntoTransit(session, form, ReturnBody::Moon));
    EXPECT_EQ(transit.zone, "5");
    EXPECT_FALSE(transit.zoneSource.fromPlace);
}

}  // namespace
}  // namespace quintaro
