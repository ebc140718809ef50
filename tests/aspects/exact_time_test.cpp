// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/exact_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "aspects/aspect_catalogue.h"
#include "synthetic_sky.h"

namespace quintaro {
namespace {

using test::Constant;
using test::Motion;
using test::SyntheticSky;

constexpr double kTolerance = 1e-4;  // days; the refinement stops below 0.00007 of a step

// Transit chart at the sky's epoch (18h UT, so the day scan starts 0.75 day earlier); natal chart
// far away so that natal bodies that do not move are plainly not recomputed.
AspectInputs InputsFor(const SyntheticSky& sky, double natalJD = 2440000.3) {
    AspectInputs in;
    in.natalJD = natalJD;
    in.transitJD = sky.epoch;
    sky.Fill(in.chart.Natal, natalJD);
    sky.Fill(in.chart.Transit, sky.epoch);
    in.selection = SelectionFlags::All();
    in.positionAt = sky.Function();
    return in;
}

struct LinearCase {
    const char* what;
    double transitStart, rate;  // transit Mars at the epoch, degrees per day
    int angle;
    SearchDirection direction;
    bool found;
    double daysFromEpoch;
};

// Natal Mercury stands at 100 degrees; transit Mars moves at a constant rate, so each exact
// moment is (target longitude − start) / rate days from the epoch.
TEST(FindExactTime, TransitToNatalLinearMotion) {
    const LinearCase cases[] = {
        {"applying trine ahead", 218, 1, 120, SearchDirection::Forward, true, 2},
        {"separating trine: backward first finds the past one", 222, 1, 120,
         SearchDirection::Backward, true, -2},
        {"forward from a separating trine: the near past comes before the far future", 222, 1, 120,
         SearchDirection::Forward, true, -2},
        {"forward: the third pass (+150) before the fourth (-180)", 220 - 150 * 8.0 / 11, 8.0 / 11,
         120, SearchDirection::Forward, true, 150},
        {"backward: the fourth pass (-180) before the third (+150)", 220 - 150 * 8.0 / 11, 8.0 / 11,
         120, SearchDirection::Backward, true, -180},
        {"only exact 150 days back: found in the fourth pass", 250, 0.2, 120,
         SearchDirection::Forward, true, -150},
        {"exact 300 days back: beyond the search", 250, 0.1, 120, SearchDirection::Forward, false,
         0},
        {"opposition", 279, 0.5, 180, SearchDirection::Forward, true, 2},
        {"square from below, retrograde", 12, -0.5, 90, SearchDirection::Backward, true, 4},
        {"quintile", 170, 1, 72, SearchDirection::Forward, true, 2},
        {"biquintile on the far side", 320, -3, 144, SearchDirection::Forward, true, 4.0 / 3},
    };
    for (const auto& c : cases) {
        SyntheticSky sky;
        sky.geo[2] = Motion{100, 0, Constant(0)};
        sky.geo[5] = Motion{c.transitStart, c.rate, Constant(0)};
        AspectInputs in = InputsFor(sky);
        in.natalJD = sky.epoch;  // the natal Mercury is the same wherever it is read
        ExactTime t =
            FindExactTime(in, 5, 2, false, c.angle, CoordinateKind::GeoLongitude, c.direction);
        EXPECT_EQ(t.found, c.found) << c.what;
        if (t.found && c.found) {
            EXPECT_NEAR(t.jd - sky.epoch, c.daysFromEpoch, kTolerance) << c.what;
        }
    }
}

TEST(FindExactTime, ConjunctionAcrossAriesIsFound) {
    SyntheticSky sky;
    sky.geo[2] = Motion{1, 0, Constant(0)};
    sky.geo[5] = Motion{355, 2, Constant(0)};
    AspectInputs in = InputsFor(sky, sky.epoch);
    ExactTime t =
        FindExactTime(in, 5, 2, false, 0, CoordinateKind::GeoLongitude, SearchDirection::Forward);
    ASSERT_TRUE(t.found);
    EXPECT_NEAR(t.jd - sky.epoch, 3, kTolerance);
}

TEST(FindExactTime, PassingTheConjunctionIsNoTrine) {
    // Mars passes Mercury 20 days on; the trine target function jumps there but the
    // refinement refuses the jump, and no real trine lies within 250 days.
    SyntheticSky sky;
    sky.geo[2] = Motion{100, 0, Constant(0)};
    sky.geo[5] = Motion{98, 0.1, Constant(0)};
    AspectInputs in = InputsFor(sky, sky.epoch);
    for (auto direction : {SearchDirection::Forward, SearchDirection::Backward})
        EXPECT_FALSE(
            FindExactTime(in, 5, 2, false, 120, CoordinateKind::GeoLongitude, direction).found);
}

TEST(FindExactTime, NatalNatalMovesBothBodiesFromTheNatalMoment) {
    SyntheticSky sky;
    sky.geo[1] = Motion{10, 1, Constant(0)};
    sky.geo[4] = Motion{95, 13, Constant(0)};
    AspectInputs in = InputsFor(sky, sky.epoch);
    in.transitJD = sky.epoch + 1000;
    // The Moon gains 12 degrees a day on the Sun: 85 becomes 90 after 5/12 day.
    ExactTime t =
        FindExactTime(in, 1, 4, true, 90, CoordinateKind::GeoLongitude, SearchDirection::Forward);
    ASSERT_TRUE(t.found);
    EXPECT_NEAR(t.jd - sky.epoch, 5.0 / 12.0, kTolerance);
    // Transit Sun to the natal Moon: the Moon stays at 95, the Sun needs 5 days for the square.
    in.transitJD = sky.epoch;
    in.chart.Transit.GeoLong[1] = 10;
    t = FindExactTime(in, 1, 4, false, 90, CoordinateKind::GeoLongitude, SearchDirection::Backward);
    ASSERT_TRUE(t.found);
    EXPECT_NEAR(t.jd - sky.epoch, -5, kTolerance);  // 10 − 5 = 5 = 95 − 90
}

TEST(FindExactTime, CalculatedPointsKeepTheirNatalChartValues) {
    SyntheticSky sky;
    sky.geo[4] = Motion{95, 13, Constant(0)};
    sky.geo[18] = Motion{300, 360, Constant(0)};  // a spinning ascendant, never to be used
    AspectInputs in = InputsFor(sky, sky.epoch);
    in.chart.Natal.GeoLong[18] = 200;
    // The Moon reaches 200 + 120 = 320 after 225 / 13 days... by the short way: 95 → 80 is the
    // trine on the other side (200 − 120), 345 degrees away; forward the trine at 320 comes first.
    ExactTime t =
        FindExactTime(in, 4, 18, true, 120, CoordinateKind::GeoLongitude, SearchDirection::Forward);
    ASSERT_TRUE(t.found);
    EXPECT_NEAR(t.jd - sky.epoch, 225.0 / 13.0, kTolerance);
    // A transit ascendant does not move either: nothing to find.
    EXPECT_FALSE(
        FindExactTime(in, 18, 4, false, 120, CoordinateKind::GeoLongitude, SearchDirection::Forward)
            .found);
}

TEST(FindExactTime, BodiesWithoutAPositionInTheKindAreNotSearched) {
    SyntheticSky sky;
    sky.geo[11] = Motion{0, 1, Constant(0)};
    sky.geo[2] = Motion{5, 0, Constant(0)};
    sky.helio[1] = Motion{0, 1, Constant(0)};
    sky.helio[2] = Motion{5, 0, Constant(0)};
    AspectInputs in = InputsFor(sky, sky.epoch);
    EXPECT_FALSE(
        FindExactTime(in, 11, 2, false, 0, CoordinateKind::GeoLongitude, SearchDirection::Forward)
            .found);
    EXPECT_FALSE(
        FindExactTime(in, 1, 2, false, 0, CoordinateKind::HelioLongitude, SearchDirection::Forward)
            .found);
    sky.helio[11] = Motion{0, 1, Constant(0)};
    in.chart.Transit.HelioLong[11] = 0;
    EXPECT_TRUE(
        FindExactTime(in, 11, 2, false, 0, CoordinateKind::HelioLongitude, SearchDirection::Forward)
            .found);
}

// Transit Mars's declination swings 10 degrees either side with a 40-day period; natal Mercury
// sits at +5. |sin| = 1/2 at 40/12, 40·5/12, 40·7/12 ... days.
TEST(FindExactTime, ContraParallelRefusesEqualValuesOnTheSameSide) {
    SyntheticSky sky;
    auto swing = [](double days) { return 10 * std::sin(2 * std::numbers::pi * days / 40); };
    sky.geo[5] = Motion{0, 0, swing};
    sky.geo[2] = Motion{0, 0, Constant(5)};
    AspectInputs in = InputsFor(sky, sky.epoch);
    ExactTime contra = FindExactTime(in, 5, 2, false, AspectContraParallel,
                                     CoordinateKind::GeoDeclination, SearchDirection::Forward);
    ASSERT_TRUE(contra.found);
    EXPECT_NEAR(contra.jd - sky.epoch, 40.0 * 7 / 12, kTolerance);
    ExactTime parallel = FindExactTime(in, 5, 2, false, AspectParallel,
                                       CoordinateKind::GeoDeclination, SearchDirection::Forward);
    ASSERT_TRUE(parallel.found);
    EXPECT_NEAR(parallel.jd - sky.epoch, 40.0 / 12, kTolerance);
    ExactTime back = FindExactTime(in, 5, 2, false, AspectContraParallel,
                                   CoordinateKind::GeoDeclination, SearchDirection::Backward);
    ASSERT_TRUE(back.found);
    EXPECT_NEAR(back.jd - sky.epoch, -40.0 / 12, kTolerance);  // sin = −1/2: −5 against +5
}

TEST(FindExactTime, DaysOutsideTheEphemerisHoldNoCrossing) {
    SyntheticSky sky;
    sky.geo[2] = Motion{100, 0, Constant(0)};
    sky.geo[5] = Motion{222, 1, Constant(0)};
    AspectInputs in = InputsFor(sky, sky.epoch);
    auto inner = sky.Function();
    in.positionAt = [inner, &sky](double jd, int slot, Frame frame) {
        BodyPoint p = inner(jd, slot, frame);
        if (jd < sky.epoch - 1) p.valid = false;
        return p;
    };
    // The trine 2 days back lies outside; forward the other trine at 122 + 118 = 240 is found.
    ExactTime t = FindExactTime(in, 5, 2, false, 120, CoordinateKind::GeoLongitude,
                                SearchDirection::Backward);
    ASSERT_TRUE(t.found);
    EXPECT_NEAR(t.jd - sky.epoch, 118, kTolerance);
}

TEST(ExactTargetValue, ChangesSignAtEveryExactPassage) {
    // For a trine, walk body 2 round the circle against body 1 at 0: the function is zero at
    // ±120 and changes sign there.
    int signChanges = 0;
    double previous = ExactTargetValue(0, 1, 120, CoordinateKind::GeoLongitude);
    for (double p2 = 2; p2 < 359; p2 += 1) {
        double f = ExactTargetValue(0, p2, 120, CoordinateKind::GeoLongitude);
        if ((f < 0) != (previous < 0) && std::abs(f - previous) < 20) ++signChanges;
        previous = f;
    }
    EXPECT_EQ(signChanges, 2);
    EXPECT_NEAR(ExactTargetValue(10, 130, 120, CoordinateKind::GeoLongitude), 0, 1e-12);
    EXPECT_NEAR(ExactTargetValue(130, 10, 120, CoordinateKind::GeoLongitude), 0, 1e-12);
    EXPECT_DOUBLE_EQ(ExactTargetValue(3, -5, AspectContraParallel, CoordinateKind::GeoDeclination),
                     2);
    EXPECT_DOUBLE_EQ(ExactTargetValue(3, -5, AspectParallel, CoordinateKind::GeoDeclination), -8);
}

}  // namespace
}  // namespace quintaro
