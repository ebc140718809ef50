// SPDX-License-Identifier: AGPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "wheel_test_input.h"
#include "wheels/wheel_drawing.h"
#include "wheels/wheel_geometry.h"

namespace quintaro {
namespace {

using test::DivisionLines;

double AngleDegrees(Point p) {
    double a = std::atan2(p.y, p.x) * 180 / std::numbers::pi;
    return a < 0 ? a + 360 : a;
}

struct LensCase {
    int lens;
    int expectedLines;
    double spacing;
};

class RingLens : public ::testing::TestWithParam<LensCase> {};

TEST_P(RingLens, DrawsOneDivisionLineEveryLensStep) {
    const LensCase& c = GetParam();
    WheelInput input;
    input.lens = c.lens;
    RecordingSurface surface;
    DrawWheel(surface, input);

    // 200 x 0.9775 and 230 x 0.9775 on the screen.
    auto lines = DivisionLines(surface, 195.5, 224.825);
    ASSERT_EQ(static_cast<int>(lines.size()), c.expectedLines);
    for (size_t k = 0; k < lines.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_NEAR(AngleDegrees(lines[k].from), k * c.spacing, 1e-6);
        EXPECT_NEAR(AngleDegrees(lines[k].to), k * c.spacing, 1e-6);
        EXPECT_EQ(lines[k].color, QbColor(0));
    }
}

INSTANTIATE_TEST_SUITE_P(Lenses, RingLens,
                         ::testing::Values(LensCase{12, 12, 30}, LensCase{7, 7, 360.0 / 7},
                                           LensCase{1, 1, 360}, LensCase{360, 360, 1},
                                           // A lens below 1 falls back to 12.
                                           LensCase{0, 12, 30}));

TEST(Ring, BandCirclesOnScreenAndPrinter) {
    struct Case {
        bool printer;
        double inner, outer, circleWidth, divisionWidth;
    };
    // Printer widths 3 and 5 chosen apart from the defaults so that each can be told apart.
    for (Case c : {Case{false, 195.5, 224.825, 1, 1}, Case{true, 191.0, 219.65, 3, 2}}) {
        SCOPED_TRACE(c.printer);
        WheelInput input;
        input.target.printer = c.printer;
        input.target.printerLineWidths = {3, 5};
        RecordingSurface surface;
        DrawWheel(surface, input);
        auto circles = surface.circles();
        ASSERT_EQ(circles.size(), 2u);
        EXPECT_NEAR(circles[0].radius, c.inner, 1e-9);
        EXPECT_NEAR(circles[1].radius, c.outer, 1e-9);
        for (const auto& circle : circles) {
            EXPECT_EQ(circle.centre, (Point{0, 0}));
            EXPECT_EQ(circle.width, c.circleWidth);
            EXPECT_EQ(circle.color, QbColor(0));
        }
        auto lines = DivisionLines(surface, c.inner, c.outer);
        ASSERT_EQ(lines.size(), 12u);
        EXPECT_EQ(lines[0].width, c.divisionWidth);
    }
}

TEST(Ring, BackgroundGreyOrWhite) {
    for (bool white : {false, true}) {
        WheelInput input;
        input.options.whiteBackground = white;
        RecordingSurface surface;
        DrawWheel(surface, input);
        ASSERT_FALSE(surface.ops().empty());
        auto* clear = std::get_if<RecordedClear>(&surface.ops().front());
        ASSERT_NE(clear, nullptr);
        EXPECT_EQ(clear->background, white ? (Color{255, 255, 255}) : (Color{192, 192, 192}));
    }
}

TEST(WheelGeometry, SectorsOfTheFixedBoundaryTable) {
    auto table = DefaultSectorBoundaries();
    // 90, 120, 150 for entries 1..3 and 180 .. 60 for entries 4..12.
    const double expected[13] = {0, 90, 120, 150, 180, 210, 240, 270, 300, 330, 0, 30, 60};
    for (int k = 1; k <= 12; ++k) EXPECT_EQ(table[k], expected[k]) << k;

    struct Case {
        double longitude;
        int sector;
        double startAngle;
    };
    // Sector 1 begins at boundary entry 4 (180 degrees), its slots at screen angle 182.
    for (Case c : {Case{180, 1, 182}, Case{209.99, 1, 182}, Case{210, 2, 212}, Case{330, 6, 332},
                   Case{359.9999, 6, 332}, Case{0, 7, 2}, Case{29.9999999, 8, 32}, Case{90, 10, 92},
                   Case{179, 12, 152}}) {
        SCOPED_TRACE(c.longitude);
        int sector = SectorOfLongitude(table, c.longitude);
        EXPECT_EQ(sector, c.sector);
        EXPECT_EQ(SectorStartAngle(sector), c.startAngle);
        EXPECT_EQ(SectorSize(table, sector), 30);
    }
}

}  // namespace
}  // namespace quintaro
