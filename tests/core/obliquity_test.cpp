// SPDX-License-Identifier: AGPL-3.0-or-later
// The obliquity of the ecliptic against published values.
#include "core/obliquity.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/degrees.h"

namespace quintaro {
namespace {

double Arcsec(double radians) {
    return radians * kRadToDeg * 3600.0;
}

TEST(Obliquity, PublishedValues) {
    EXPECT_NEAR(Arcsec(MeanObliquity(2451545.0)), 84381.406, 1e-6);  // IAU 2006 at J2000
    // 1987-04-10 0h (Meeus, Astronomical Algorithms, example 22.a): nutation in obliquity
    // +9.443", true obliquity 23°26'36.850" (from the 1976 mean obliquity, 0.04" above the 2006
    // one used here).
    EXPECT_NEAR(Arcsec(NutationInObliquity(2446895.5)), 9.443, 0.01);
    EXPECT_NEAR(Arcsec(TrueObliquity(2446895.5).radians), 84396.850, 0.06);
    // The obliquity falls by 46.8" a century.
    EXPECT_NEAR(Arcsec(TrueObliquity(2451545.0).ratePerDay) * 36525, -46.836769, 1e-6);
}

TEST(Obliquity, AnyMomentCanBeAsked) {
    // A damaged ephemeris file can hold any moment: far-off ones give no sensible number, but the
    // arithmetic stays defined (the sanitizer build checks it).
    for (double jd : {1e300, -1e300, 1e12, std::nan(""), double(INFINITY)}) (void)TrueObliquity(jd);
    EXPECT_TRUE(std::isfinite(TrueObliquity(2360234.5).sine));
}

TEST(Obliquity, DeclinationOfEclipticPoints) {
    const Obliquity e = TrueObliquity(2446895.5);
    const double epsilon = e.radians * kRadToDeg;
    EXPECT_NEAR(DeclinationOf(90, 0, e), epsilon, 1e-12);
    EXPECT_NEAR(DeclinationOf(270, 0, e), -epsilon, 1e-12);
    EXPECT_NEAR(DeclinationOf(0, 0, e), 0, 1e-12);
    EXPECT_NEAR(DeclinationOf(123, 90, e), 90 - epsilon, 1e-9);  // the ecliptic pole
}

}  // namespace
}  // namespace quintaro
