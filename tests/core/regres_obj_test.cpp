// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/regres_obj.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/table_interpolation.h"

namespace quintaro {
namespace {

struct Point {
    double x, y;
};

RegresObj Fit(int degree, const std::vector<Point>& points) {
    RegresObj fit;
    fit.Degree(degree);
    for (const auto& p : points) fit.XYAdd(p.x, p.y);
    return fit;
}

// Coefficients worked out by hand for each set of points.
struct FitCase {
    const char* name;
    int degree;
    std::vector<Point> points;
    std::vector<double> coefficients;  // c0, c1, ... (higher ones must read 0)
};

class RegresFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(RegresFit, GivesTheHandComputedCoefficients) {
    const FitCase& c = GetParam();
    RegresObj fit = Fit(c.degree, c.points);
    EXPECT_EQ(fit.XYCount(), static_cast<long>(c.points.size()));
    for (int k = 0; k <= RegresObj::MaxDegree; ++k) {
        double expected = k < static_cast<int>(c.coefficients.size()) ? c.coefficients[k] : 0.0;
        EXPECT_NEAR(fit.Coeff(k), expected, 1e-9) << "exponent " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegresFit,
    ::testing::Values(
        // Degree 4 with three points: lowered to the quadratic x² − 2x + 3 through them.
        FitCase{"ThreePointsAtDegreeFour", 4, {{1, 2}, {2, 3}, {3, 6}}, {3, -2, 1}},
        // Least-squares line through four scattered points: slope Sxy/Sxx = 5.5/5.
        FitCase{"LeastSquaresLine", 1, {{0, 1}, {1, 3}, {2, 2}, {3, 5}}, {1.1, 1.1}},
        // Degree 0 is the mean.
        FitCase{"DegreeZeroIsTheMean", 0, {{5, 1}, {7, 2}, {9, 6}}, {3}},
        // One point: a constant.
        FitCase{"OnePoint", 3, {{4, 7}}, {7}},
        // Only two distinct x: the quadratic is singular, the fit falls back to the line
        // through (1, mean 2) and (2, 4).
        FitCase{"SingularQuadraticLowered", 2, {{1, 1}, {1, 3}, {2, 4}}, {0, 2}},
        // Six points of 1 − x + 0.5x³ − 0.25x⁵ at degree 5: exact even with sums up to x^10.
        FitCase{"FifthDegreeExact",
                5,
                {{-2, 7}, {-1, 1.75}, {0, 1}, {1, 0.25}, {2, -5}, {3, -49.25}},
                {1, -1, 0, 0.5, 0, -0.25}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegresObj, RegValEvaluatesTheFit) {
    RegresObj fit = Fit(4, {{1, 2}, {2, 3}, {3, 6}});
    EXPECT_NEAR(fit.RegVal(2.5), 4.25, 1e-12);
    EXPECT_NEAR(fit.RegVal(0), 3, 1e-12);
}

TEST(RegresObj, NegativeExponentReadsItsMagnitude) {
    RegresObj fit = Fit(2, {{1, 2}, {2, 3}, {3, 6}});
    EXPECT_DOUBLE_EQ(fit.Coeff(-1), fit.Coeff(1));
    EXPECT_NEAR(fit.Coeff(-2), 1, 1e-12);
}

TEST(RegresObj, WithoutPointsEverythingIsZero) {
    RegresObj fit;
    EXPECT_EQ(fit.Coeff(0), 0);
    EXPECT_EQ(fit.RegVal(3), 0);
    EXPECT_EQ(fit.XYCount(), 0);
}

TEST(RegresObj, AddingAPointResolves) {
    RegresObj fit = Fit(1, {{0, 0}, {1, 1}});
    EXPECT_NEAR(fit.Coeff(1), 1, 1e-12);
    fit.XYAdd(2, 4);  // (0,0), (1,1), (2,4): slope 2
    EXPECT_NEAR(fit.Coeff(1), 2, 1e-12);
}

TEST(RegresObj, InitClearsPointsButKeepsDegree) {
    RegresObj fit = Fit(4, {{1, 2}, {2, 3}, {3, 6}});
    fit.Init();
    EXPECT_EQ(fit.XYCount(), 0);
    EXPECT_EQ(fit.Degree(), 4);
    EXPECT_EQ(fit.Coeff(0), 0);
    fit.XYAdd(1, 5);
    EXPECT_NEAR(fit.Coeff(0), 5, 1e-12);
}

TEST(RegresObj, SettingTheDegreeClearsTheFit) {
    RegresObj fit = Fit(2, {{1, 2}, {2, 3}, {3, 6}});
    fit.Degree(3);
    EXPECT_EQ(fit.XYCount(), 0);
    EXPECT_EQ(fit.Coeff(2), 0);
}

TEST(RegresObj, InvalidDegreesRaiseError6000AndKeepTheFit) {
    for (int bad : {26, -1, 1000}) {
        RegresObj fit = Fit(2, {{1, 2}, {2, 3}, {3, 6}});
        try {
            fit.Degree(bad);
            ADD_FAILURE() << "no error for " << bad;
        } catch (const RegresError& error) {
            EXPECT_EQ(error.number(), 6000);
            EXPECT_STREQ(error.source(), "RegresObj");
            EXPECT_EQ(std::string(error.what()),
                      std::to_string(bad) + " is an invalid property value! Use 0<= Degree <= 25");
        }
        EXPECT_EQ(fit.Degree(), 2);
        EXPECT_EQ(fit.XYCount(), 3);
    }
    RegresObj edge;
    EXPECT_NO_THROW(edge.Degree(0));
    EXPECT_NO_THROW(edge.Degree(25));
}

// The table interpolation evaluates the three-day quadratic in closed form; it must be the same
// polynomial the regression gives at degree 4.
TEST(RegresObj, AgreesWithTheClosedFormThreeDayQuadratic) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-400, 400), frac(0, 1);
    for (int trial = 0; trial < 1000; ++trial) {
        TableWindow window;
        window.y1 = value(random);
        window.y2 = value(random);
        window.y3 = value(random);
        RegresObj fit = Fit(4, {{1, window.y1}, {2, window.y2}, {3, window.y3}});
        double f = frac(random);
        EXPECT_NEAR(QuadraticAt(window, f), fit.RegVal(2 + f), 1e-9);
        EXPECT_EQ(fit.Coeff(3), 0);
        EXPECT_EQ(fit.Coeff(4), 0);
    }
}

}  // namespace
}  // namespace quintaro
