// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/angle_spreading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "core/degrees.h"

namespace quintaro {
namespace {

// The order round the circle, starting anywhere: the display angles visit the points in the
// same cyclic order as the true angles.
bool SameCyclicOrder(const std::vector<double>& angles, const std::vector<double>& shown) {
    std::vector<size_t> byTrue(angles.size()), byShown(angles.size());
    std::iota(byTrue.begin(), byTrue.end(), 0);
    std::iota(byShown.begin(), byShown.end(), 0);
    std::stable_sort(byTrue.begin(), byTrue.end(),
                     [&](size_t a, size_t b) { return Norm360(angles[a]) < Norm360(angles[b]); });
    std::stable_sort(byShown.begin(), byShown.end(),
                     [&](size_t a, size_t b) { return shown[a] < shown[b]; });
    for (size_t shift = 0; shift < byShown.size(); ++shift) {
        std::rotate(byShown.begin(), byShown.begin() + 1, byShown.end());
        if (byShown == byTrue) return true;
    }
    return byTrue.empty();
}

TEST(SpreadAngles, PointsFarApartStayWhereTheyAre) {
    std::vector<double> angles = {10, 100, 200.5, 359};
    EXPECT_EQ(SpreadAngles(angles, 8), (std::vector<double>{10, 100, 200.5, 359}));
}

TEST(SpreadAngles, ACrowdIsCentredOnItsTrueAngles) {
    // Three points within one degree, 6 apart afterwards, round their mean.
    std::vector<double> shown = SpreadAngles({100, 100.5, 101}, 6);
    EXPECT_NEAR(shown[0], 94.5, 1e-9);
    EXPECT_NEAR(shown[1], 100.5, 1e-9);
    EXPECT_NEAR(shown[2], 106.5, 1e-9);
}

TEST(SpreadAngles, ACrowdAcrossZeroDegrees) {
    std::vector<double> shown = SpreadAngles({359.5, 0.5}, 5);
    EXPECT_NEAR(shown[0], 357.5, 1e-9);
    EXPECT_NEAR(shown[1], 2.5, 1e-9);
}

TEST(SpreadAngles, APushedCrowdTakesItsNeighbourAlong) {
    // 0, 1, 2 alone would be laid out at -5, 1, 7, too close to 8: all four are laid out 6 apart
    // round the mean of their true angles, 2.75: -6.25, -0.25, 5.75, 11.75.
    std::vector<double> shown = SpreadAngles({0, 1, 2, 8}, 6);
    const double expected[] = {353.75, 359.75, 5.75, 11.75};
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(shown[k], expected[k], 1e-9) << k;
}

TEST(SpreadAngles, RandomCrowdsKeepTheirDistanceAndOrder) {
    std::mt19937 random(17);
    for (int round = 0; round < 500; ++round) {
        const int count = 1 + round % 40;
        const double separation = std::uniform_real_distribution<double>(1, 340.0 / count)(random);
        const double start = std::uniform_real_distribution<double>(0, 360)(random);
        const double width = round % 3 == 0 ? 360 : 25;
        std::vector<double> angles;
        for (int k = 0; k < count; ++k)
            angles.push_back(
                Norm360(start + std::uniform_real_distribution<double>(0, width)(random)));
        std::vector<double> shown = SpreadAngles(angles, separation);
        ASSERT_EQ(shown.size(), angles.size());
        EXPECT_GE(SmallestSeparation(shown), separation - 1e-7) << "round " << round;
        EXPECT_TRUE(SameCyclicOrder(angles, shown)) << "round " << round;
        for (double a : shown) EXPECT_TRUE(a >= 0 && a < 360) << a;
    }
}

TEST(SpreadAngles, TooManyPointsAreSpreadEvenly) {
    std::vector<double> shown = SpreadAngles(std::vector<double>(10, 50), 40);
    EXPECT_NEAR(SmallestSeparation(shown), 36, 1e-9);
}

}  // namespace
}  // namespace quintaro
