// SPDX-License-Identifier: AGPL-3.0-or-later
#include "predictive/solar_arc.h"

#include <gtest/gtest.h>

#include "core/bodies.h"

namespace quintaro {
namespace {

constexpr double Natal = 2444000.5, Progressed = 2444030.5;

// The Sun (geocentric) and the Earth (heliocentric) at the two moments; anything else has no
// position, and neither has a moment listed in `missing`.
PositionAtMoment TwoMoments(double sunThen, double sunNow, double earthThen, double earthNow,
                            double missing = 0) {
    return [=](double jd, int slot, Frame frame) {
        BodyPoint p;
        const bool sun = slot == SlotSun && frame == Frame::Geocentric;
        const bool earth = slot == SlotEarth && frame == Frame::Heliocentric;
        if ((!sun && !earth) || jd == missing) return p;
        p.longitude = jd == Natal ? (sun ? sunThen : earthThen) : (sun ? sunNow : earthNow);
        p.valid = true;
        return p;
    };
}

TEST(MeasureSolarArcs, ArcsOfTheSunAndTheEarthModulo360) {
    struct Case {
        double sunThen, sunNow, earthThen, earthNow, geo, helio;
    };
    const Case cases[] = {
        {100.0, 129.5, 280.0, 309.5, 29.5, 29.5},
        {350.0, 19.5, 170.0, 199.25, 29.5, 29.25},  // the Sun through 0 degrees
        {10.0, 10.0, 355.5, 0.5, 0.0, 5.0},         // the Earth through 0 degrees
    };
    for (const Case& c : cases) {
        const auto arcs = MeasureSolarArcs(TwoMoments(c.sunThen, c.sunNow, c.earthThen, c.earthNow),
                                           Natal, Progressed);
        ASSERT_TRUE(arcs);
        EXPECT_NEAR(arcs->geo, c.geo, 1e-12);
        EXPECT_NEAR(arcs->helio, c.helio, 1e-12);
    }
}

TEST(MeasureSolarArcs, NothingWithoutAPositionAtEitherMoment) {
    EXPECT_FALSE(MeasureSolarArcs(TwoMoments(1, 2, 3, 4, Natal), Natal, Progressed));
    EXPECT_FALSE(MeasureSolarArcs(TwoMoments(1, 2, 3, 4, Progressed), Natal, Progressed));
}

}  // namespace
}  // namespace quintaro
