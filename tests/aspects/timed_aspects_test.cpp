// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/timed_aspects.h"

#include <gtest/gtest.h>

#include <cmath>

#include "aspects/aspect_catalogue.h"
#include "aspects/aspect_finder.h"
#include "synthetic_sky.h"

namespace quintaro {
namespace {

using test::Constant;
using test::Motion;
using test::SyntheticSky;

TEST(TimedListTitle, LeadingBlanksArePartOfTheTitle) {
    struct Row {
        Pairing pairing;
        CoordinateKind kind;
        size_t blanks;
        const char* title;
    };
    using P = Pairing;
    using K = CoordinateKind;
    const Row rows[] = {
        {P::TransitNatal, K::GeoLongitude, 20,
         "TRANSIT PLANET ASPECTS TO NATAL PLANETS - WITHIN TIME"},
        {P::TransitNatal, K::HelioLongitude, 14,
         "HELIO TRANSIT PLANET ASPECTS TO HELIO NATAL PLANETS - WITHIN TIME"},
        {P::TransitNatal, K::GeoDeclination, 18,
         "TRANSIT PLANET DECLINATIONS TO NATAL PLANETS - WITHIN TIME"},
        {P::TransitNatal, K::HelioLatitude, 13,
         "HELIO TRANSIT PLANET LATITUDES TO HELIO NATAL PLANETS - WITHIN TIME"},
        {P::NatalNatal, K::GeoLongitude, 21, "NATAL PLANET ASPECTS TO NATAL PLANETS - WITHIN TIME"},
        {P::NatalNatal, K::HelioLongitude, 15,
         "HELIO NATAL PLANET ASPECTS TO HELIO NATAL PLANETS - WITHIN TIME"},
        {P::NatalNatal, K::GeoDeclination, 19,
         "NATAL PLANET DECLINATIONS TO NATAL PLANETS - WITHIN TIME"},
        {P::NatalNatal, K::HelioLatitude, 14,
         "HELIO NATAL PLANET LATITUDES TO HELIO NATAL PLANETS - WITHIN TIME"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(TimedListTitle(r.pairing, r.kind), std::string(r.blanks, ' ') + r.title);
}

// 2000-03-15 18:30 UT is JD 2451619.2708333 (2451544.5 is 2000-01-01 0h; March 15 is 74 days on).
constexpr double kMarch15 = 2451618.5 + 18.5 / 24;

TEST(ExactDateText, LocalClockInTheDateStyle) {
    struct Row {
        double zone;
        bool american;
        const char* text;
    };
    const Row rows[] = {
        {0, true, "03/15/2000   18:30"},     {5, true, "03/15/2000   13:30"},
        {5, false, "15/03/2000   13:30"},    {-10, true, "03/16/2000   04:30"},
        {-5.5, false, "16/03/2000   00:00"},
    };
    for (const Row& r : rows) {
        DateStyle style;
        style.american = r.american;
        EXPECT_EQ(ExactDateText(kMarch15, kMarch15 - 3, r.zone, style, {}), r.text) << r.zone;
    }
}

TEST(ExactDateText, ProgressionModeReadsDaysAsYears) {
    ProgressionMode progression{true, 2451618.5};  // base: 2000-03-15 0h local
    DateStyle american;
    // Half a day after the chart moment: 182.6211 days after the base, 2000-09-13 14:54.
    EXPECT_EQ(ExactDateText(2440000.5, 2440000.0, 5, american, progression), "09/13/2000   14:54");
    EXPECT_EQ(ExactDateText(2440000.0 + 50.5, 2440000.0, 5, american, progression), "***");
    EXPECT_EQ(ExactDateText(2440000.0 - 50, 2440000.0, 5, american, progression),
              "03/15/1950   21:22");  // 18262.11 days back; 1950-03-15 0h is 18263 days back
}

// Natal Mercury at 100; transit bodies on linear paths so each exact moment is known.
struct Scene {
    SyntheticSky sky;
    AspectInputs in;
    Scene() {
        sky.geo[2] = Motion{100, 0, Constant(0)};
        sky.geo[5] = Motion{219.5, 1, Constant(0)};      // trine applying, exact in 0.5 day
        sky.geo[6] = Motion{158.5, 1, Constant(0)};      // sextile applying, exact in 1.5 days
        sky.geo[7] = Motion{189.2, 1, Constant(0)};      // square applying, exact in 0.8 day
        sky.geo[8] = Motion{162.2, 0.001, Constant(0)};  // sextile too slow to become exact
        in.natalJD = sky.epoch;
        in.transitJD = sky.epoch;
        sky.Fill(in.chart.Natal, sky.epoch);
        sky.Fill(in.chart.Transit, sky.epoch);
        in.selection = test::Selection({2}, {5, 6, 7, 8});
        in.positionAt = sky.Function();
        in.exactOn = true;
    }
};

TEST(BuildTimedAspectList, TimesToExactAndDates) {
    Scene s;
    AspectList source = BuildAspectList(s.in, Pairing::TransitNatal, CoordinateKind::GeoLongitude);
    TimedAspectList timed =
        BuildTimedAspectList(s.in, source, Pairing::TransitNatal, CoordinateKind::GeoLongitude);
    ASSERT_EQ(timed.entries.size(), 4u);
    const int bodies[] = {5, 6, 7, 8};
    const double times[] = {0.5, 1.5, 0.8, NotFoundTime};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(timed.entries[i].body1, bodies[i]);
        EXPECT_EQ(timed.entries[i].body2, 2);
        EXPECT_DOUBLE_EQ(timed.entries[i].timeToExact, times[i]) << i;
    }
    // The epoch is 2000-01-01 18h UT; half a day later is 6h UT on the 2nd, 1h at zone 5.
    s.in.transitZone = 5;
    timed = BuildTimedAspectList(s.in, source, Pairing::TransitNatal, CoordinateKind::GeoLongitude);
    EXPECT_EQ(timed.entries[0].exactDate, "01/02/2000   01:00");
    EXPECT_EQ(timed.entries[3].exactDate, "***");
    EXPECT_EQ(timed.title, TimedListTitle(Pairing::TransitNatal, CoordinateKind::GeoLongitude));
}

TEST(BuildTimedAspectList, TimeOrbFilterDropsDistantAspectsAndMovesTheRestUp) {
    Scene s;
    s.in.timeOrbFilter = TimeOrbFilter{true, true, 1, 0, 0};
    AspectList source = BuildAspectList(s.in, Pairing::TransitNatal, CoordinateKind::GeoLongitude);
    TimedAspectList timed =
        BuildTimedAspectList(s.in, source, Pairing::TransitNatal, CoordinateKind::GeoLongitude);
    ASSERT_EQ(timed.entries.size(), 2u);  // 1.5 days and "not found" are left out
    EXPECT_EQ(timed.entries[0].body1, 5);
    EXPECT_EQ(timed.entries[1].body1, 7);
    // The filter needs its window open, "On" selected and exact times on.
    for (auto change : {+[](AspectInputs& in) { in.timeOrbFilter.active = false; },
                        +[](AspectInputs& in) { in.timeOrbFilter.on = false; },
                        +[](AspectInputs& in) { in.exactOn = false; }}) {
        Scene other;
        other.in.timeOrbFilter = TimeOrbFilter{true, true, 1, 0, 0};
        change(other.in);
        EXPECT_EQ(BuildTimedAspectList(other.in, source, Pairing::TransitNatal,
                                       CoordinateKind::GeoLongitude)
                      .entries.size(),
                  4u);
    }
    // 1 day 12 hours keeps the sextile exact in 1.5 days.
    s.in.timeOrbFilter.hours = 12;
    EXPECT_EQ(
        BuildTimedAspectList(s.in, source, Pairing::TransitNatal, CoordinateKind::GeoLongitude)
            .entries.size(),
        3u);
}

// A parallel whose values never meet but that reaches a contra-parallel 95 days back: the
// second search with the other code finds it. Transit Mars's declination is 4.5 − 0.1·|days|;
// natal Mercury sits at +5.
TEST(BuildTimedAspectList, DeclinationSearchRetriesWithTheOtherCode) {
    SyntheticSky sky;
    sky.geo[2] = Motion{0, 0, Constant(5)};
    sky.geo[5] = Motion{0, 0, [](double days) { return 4.5 - 0.1 * std::abs(days); }};
    AspectInputs in;
    in.natalJD = in.transitJD = sky.epoch;
    sky.Fill(in.chart.Natal, sky.epoch);
    sky.Fill(in.chart.Transit, sky.epoch);
    in.selection = test::Selection({2}, {5});
    in.positionAt = sky.Function();
    AspectList source = BuildAspectList(in, Pairing::TransitNatal, CoordinateKind::GeoDeclination);
    ASSERT_EQ(source.entries.size(), 1u);
    EXPECT_EQ(source.entries[0].code, AspectParallel);
    EXPECT_LT(source.entries[0].orb, 0);  // drifting apart: the search goes backward first
    TimedAspectList timed =
        BuildTimedAspectList(in, source, Pairing::TransitNatal, CoordinateKind::GeoDeclination);
    ASSERT_EQ(timed.entries.size(), 1u);
    EXPECT_EQ(timed.entries[0].code, AspectParallel);
    EXPECT_DOUBLE_EQ(timed.entries[0].timeToExact, -95);
}

TEST(BuildTimedAspectLists, RunsOncePerComputation) {
    Scene s;
    AspectLists lists = BuildAspectLists(s.in);
    TimedAspectLists timed;
    RefreshTimedAspectLists(s.in, lists, timed);
    EXPECT_TRUE(timed.current);
    EXPECT_EQ(timed.at(Pairing::TransitNatal, CoordinateKind::GeoLongitude).entries.size(), 4u);
    // While current, a refresh keeps the lists although the inputs changed.
    AspectLists none;
    RefreshTimedAspectLists(s.in, none, timed);
    EXPECT_EQ(timed.at(Pairing::TransitNatal, CoordinateKind::GeoLongitude).entries.size(), 4u);
    timed.current = false;  // the next computation
    RefreshTimedAspectLists(s.in, none, timed);
    EXPECT_TRUE(timed.at(Pairing::TransitNatal, CoordinateKind::GeoLongitude).entries.empty());
    // A cancelled batch is not current.
    TimedAspectLists cancelled =
        BuildTimedAspectLists(s.in, lists, [](std::string_view, long, long) { return false; });
    EXPECT_FALSE(cancelled.current);
}

TEST(TimeOrbFilter, SpinnersRollOverIntoTheNextUnit) {
    TimeOrbFilter f{true, true, 1, 23, 59};
    SetTimeOrbMinute(f, 60);  // 1 d 23 h 60 m is 2 d 0 h 0 m
    EXPECT_EQ(f.days, 2);
    EXPECT_EQ(f.hours, 0);
    EXPECT_EQ(f.minutes, 0);
    SetTimeOrbMinute(f, -1);  // back to 1 d 23 h 59 m
    EXPECT_EQ(f.days, 1);
    EXPECT_EQ(f.hours, 23);
    EXPECT_EQ(f.minutes, 59);
    SetTimeOrbHour(f, 5);
    EXPECT_DOUBLE_EQ(f.TimeOrbDays(), 1 + 5 / 24.0 + 59 / 1440.0);
}

}  // namespace
}  // namespace quintaro
