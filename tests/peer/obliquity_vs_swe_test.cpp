// SPDX-License-Identifier: AGPL-3.0-or-later
// The true obliquity (mean obliquity plus nutation in obliquity) against the Swiss Ephemeris, the
// obliquity its declinations are taken with.
#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>
#include <cstdio>
#include <random>

#include "core/degrees.h"
#include "core/obliquity.h"

namespace quintaro {
namespace {

TEST(ObliquityVsSwissEphemeris, TrueAndMeanObliquityFrom1750To2050) {
    std::mt19937_64 rng(1750);
    std::uniform_real_distribution<double> moments(2360234.5, 2469807.5);
    double worstTrue = 0, worstMean = 0;
    for (int i = 0; i < 20000; ++i) {
        const double jd = moments(rng);
        double x[6] = {};
        char error[AS_MAXCH] = {};
        ASSERT_GE(swe_calc_ut(jd, SE_ECL_NUT, 0, x, error), 0) << error;
        worstTrue = std::max(worstTrue, std::fabs(TrueObliquity(jd).radians * kRadToDeg - x[0]));
        worstMean = std::max(worstMean, std::fabs(MeanObliquity(jd) * kRadToDeg - x[1]));
    }
    std::printf("true obliquity worst %.4f\", mean obliquity worst %.4f\"\n", worstTrue * 3600,
                worstMean * 3600);
    EXPECT_LE(worstTrue * 3600, 0.02);
    EXPECT_LE(worstMean * 3600, 0.001);
}

}  // namespace
}  // namespace quintaro
