// SPDX-License-Identifier: AGPL-3.0-or-later
// The return search on made-up skies whose crossings are known in closed form.
#include "predictive/return_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "core/bodies.h"
#include "core/degrees.h"

namespace quintaro {
namespace {

constexpr double T0 = 2451545.0;

// A body moving by `motion(t)` degrees from `start` at T0, with its derivative as the speed;
// no position at or after `lastValid`.
PositionAtMoment Sky(double start, std::function<double(double)> motion,
                     std::function<double(double)> speed, double lastValid = 1e9) {
    return [=](double jd, int, Frame) {
        BodyPoint p;
        if (jd >= lastValid) return p;
        p.longitude = Norm360(start + motion(jd - T0));
        p.longitudeSpeed = speed(jd - T0);
        p.valid = true;
        return p;
    };
}

PositionAtMoment Steady(double start, double degreesPerDay, double lastValid = 1e9) {
    return Sky(
        start, [degreesPerDay](double t) { return degreesPerDay * t; },
        [degreesPerDay](double) { return degreesPerDay; }, lastValid);
}

using Outcome = CrossingResult::Outcome;

TEST(FindLongitudeCrossing, CrossingsFoundAndRefined) {
    struct Case {
        const char* what;
        PositionAtMoment sky;
        double target;
        SearchSpan span;
        double expected;  // days after T0
    };
    const Case cases[] = {
        // 359.0 then 0.05 a day later: differences -0.9 and +0.15 change sign without a jump.
        {"through 359.9 / 0.05", Steady(359.0, 1.05), 359.9, {T0, 1}, 0.9 / 1.05},
        {"Sun crossing zero", Steady(358.2, 0.9856), 0.0, {T0 - 3, 7}, 1.8 / 0.9856},
        {"a sample exactly on target", Steady(10.0, 1.0), 12.0, {T0, 5}, 2.0},
        {"uneven speed: Newton steps on the speed",
         Sky(
             100.0, [](double t) { return 13.0 * t + 3.0 * std::sin(t); },
             [](double t) { return 13.0 + 3.0 * std::cos(t); }),
         100.0 + 13.0 * 5.3 + 3.0 * std::sin(5.3),
         {T0, 10},
         5.3},
        {"a speed of zero from the body falls back on bisection",
         Sky(
             50.0, [](double t) { return 0.8 * t; }, [](double) { return 0.0; }),
         51.0,
         {T0, 4},
         1.25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CrossingResult r = FindLongitudeCrossing(c.sky, SlotSun, c.target, c.span);
        ASSERT_EQ(r.outcome, Outcome::Found);
        EXPECT_NEAR(r.jd - T0, c.expected, 2e-6);  // well below a second of time
        EXPECT_LT(
            std::abs(Norm360(c.sky(r.jd, SlotSun, Frame::Geocentric).longitude - c.target + 180.0) -
                     180.0),
            ReturnPrecision);
    }
}

TEST(FindLongitudeCrossing, TheOppositePointIsNoCrossing) {
    // From 179.5 to 180.6 the difference from 0 jumps from +179.5 to -179.4.
    const auto r = FindLongitudeCrossing(Steady(179.5, 1.1), SlotSun, 0.0, {T0, 1});
    EXPECT_EQ(r.outcome, Outcome::NoCrossing);
    EXPECT_EQ(FindLongitudeCrossing(Steady(20.0, 1.0), SlotSun, 200.0, {T0, 30}).outcome,
              Outcome::NoCrossing);
}

TEST(FindLongitudeCrossing, OfTwoLunarCrossingsTheLaterIsTaken) {
    // The Moon passes the target 1.3 days into the 31 days and again a sidereal month later.
    const double speed = 13.176;
    const double target = Norm360(200.0 + speed * 1.3);
    const auto r = FindLongitudeCrossing(Steady(200.0, speed), SlotMoon, target, {T0, 31});
    ASSERT_EQ(r.outcome, Outcome::Found);
    EXPECT_NEAR(r.jd - T0, 1.3 + 360.0 / speed, 2e-6);
    // With only the first one inside, that one.
    const auto first = FindLongitudeCrossing(Steady(200.0, speed), SlotMoon, target, {T0, 20});
    EXPECT_NEAR(first.jd - T0, 1.3, 2e-6);
}

TEST(FindLongitudeCrossing, AMomentWithoutAPositionStopsTheSearch) {
    const auto r = FindLongitudeCrossing(Steady(0.0, 13.0, T0 + 4.0), SlotMoon, 300.0, {T0, 31});
    EXPECT_EQ(r.outcome, Outcome::NoPosition);
    EXPECT_DOUBLE_EQ(r.jd, T0 + 4.0);
    const auto atStart = FindLongitudeCrossing(Steady(0.0, 13.0, T0), SlotMoon, 300.0, {T0, 31});
    EXPECT_EQ(atStart.outcome, Outcome::NoPosition);
    EXPECT_DOUBLE_EQ(atStart.jd, T0);
}

}  // namespace
}  // namespace quintaro
