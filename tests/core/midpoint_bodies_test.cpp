// SPDX-License-Identifier: AGPL-3.0-or-later
// Midpoint ephemerides: their tabulated longitude jumps to the other end of the midpoint axis when
// the pair passes an opposition; the interpolation must never cross that jump.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "angles.h"
#include "core/bodies.h"
#include "core/ephemeris_loader.h"
#include "core/table_interpolation.h"
#include "synthetic_sky.h"

namespace quintaro {
namespace {

using test::Separation;

using test::SyntheticSky;

TEST(MidpointInterpolation, TheWindowIsUnwrappedAcrossTheJump) {
    // The tabulated hjp of 1792-05-01 .. 04 (days 15461..15464 of the tables): Saturn and Jupiter
    // pass their opposition between the second and the third day. Unwrapped, the window around
    // day 15462 reads 294.53735, 294.54014, 294.54341, whose quadratic at frac t is
    // 294.54014 + 0.00303 t + 0.00024 t²; the end of the axis is that of the nearest day.
    std::vector<float> row(DayTableLength, 0.0f);
    const float days[] = {294.53735f, 294.54014f, 114.54341f, 114.54721f};
    std::copy(std::begin(days), std::end(days), row.begin() + 15461);
    const struct {
        double frac, expected;
    } cases[] = {{0.0, 294.54014}, {0.4, 294.54139}, {0.6, 114.54204}, {0.9, 114.54306}};
    for (const auto& c : cases) {
        const TableLongitude v = InterpolateMidpointLongitude(row.data(), 15462, c.frac);
        EXPECT_NEAR(v.longitude, c.expected, 2e-5) << c.frac;
        EXPECT_NEAR(v.speed, 0.00303 + 0.00048 * c.frac, 5e-5);  // single-precision days
        EXPECT_FALSE(v.retrograde);
    }
}

// With its pair readable, a midpoint body is the nearer midpoint of the pair at the moment.
TEST(MidpointBodies, FollowTheirPairThroughTheOpposition) {
    SyntheticSky sky;
    WorkingPositions work;
    int near180 = 0;
    for (double t = 60; t < 85; t += 0.01) {
        const double jd = SyntheticSky::First + t;
        const double sat = SyntheticSky::Saturn(jd), jup = SyntheticSky::Jupiter(jd);
        if (Separation(sat, jup) > 179.999) continue;  // the side is a matter of rounding there
        near180 += Separation(sat, jup) > 179.5;
        const double expected = LongitudeMidpoint(sat, jup);
        const BodyPoint p =
            sky.positions.PositionAt(jd, SyntheticSky::MidpointSlot, Frame::Geocentric);
        ASSERT_TRUE(p.valid);
        EXPECT_NEAR(Separation(p.longitude, expected), 0, 1e-5) << t;
        EXPECT_NEAR(p.longitudeSpeed, 0.065, 1e-5) << t;
        ASSERT_TRUE(sky.positions.ComputeGeoPositions(jd, SyntheticSky::MidpointSlot, work));
        EXPECT_NEAR(Separation(work.WorkLong[SyntheticSky::MidpointSlot], expected), 0, 1e-4) << t;
        EXPECT_EQ(work.RetroMarks.at(SyntheticSky::MidpointSlot), ' ') << t;
    }
    EXPECT_GT(near180, 100);
}

TEST(MidpointBodies, WithoutAKnownPairTheNearestTabulatedDayDecides) {
    SyntheticSky sky;
    sky.tables.midpoints[SyntheticSky::MidpointSlot] = {true, 0, 0};  // an "mp..." file
    for (double t = 69.013; t < 74; t += 0.05) {  // never half-way between two days
        const double jd = SyntheticSky::First + t;
        const double nearestDay = SyntheticSky::First + std::round(t);
        const double expected =
            LongitudeMidpoint(SyntheticSky::Saturn(nearestDay), SyntheticSky::Jupiter(nearestDay)) +
            0.065 * (t - std::round(t));
        const BodyPoint p =
            sky.positions.PositionAt(jd, SyntheticSky::MidpointSlot, Frame::Geocentric);
        EXPECT_NEAR(Separation(p.longitude, expected), 0, 1e-4) << t;
    }
}

TEST(MidpointBodies, PairsFromTheirNames) {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    for (const char* name : {"pholus", "chiron_pholus", "mpxyz", "1992-qb", "hjp"})
        AddFreeSlotBody(catalogue, name);
    const int pholus = FirstFreeSlot;
    const struct {
        const char* name;
        MidpointPair pair;
    } cases[] = {
        {"hjp", {true, SlotSaturn, SlotJupiter}},
        {"HKI", {true, SlotSaturn, SlotChiron}},
        {"jki", {true, SlotJupiter, SlotChiron}},
        {"saturn_jupiter", {true, SlotSaturn, SlotJupiter}},
        {"Sat-Ven", {true, SlotSaturn, SlotVenus}},
        {"chiron+pholus", {true, SlotChiron, pholus}},
        {"pholus_chiron_pholus", {true, 0, 0}},  // a body and a midpoint: no pair
        {"sun_chiron_pholus", {true, 0, 0}},
        {"mpxyz", {true, 0, 0}},
        {"1992-qb", {false, 0, 0}},
        {"pholus", {false, 0, 0}},
    };
    for (const auto& c : cases) {
        const MidpointPair p = MidpointPairOf(c.name, catalogue);
        EXPECT_EQ(p.isMidpoint, c.pair.isMidpoint) << c.name;
        EXPECT_EQ(p.first, c.pair.first) << c.name;
        EXPECT_EQ(p.second, c.pair.second) << c.name;
    }
    DayTables tables;
    AssignMidpointPairs(catalogue, tables);
    EXPECT_FALSE(tables.midpoints[pholus].isMidpoint);
    EXPECT_EQ(tables.midpoints[FirstFreeSlot + 4].first, SlotSaturn);
}

}  // namespace
}  // namespace quintaro
