// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/draw_surface.h"

#include <gtest/gtest.h>

#include "wheels/recording_surface.h"

namespace quintaro {
namespace {

// The wheel's printer scale: origin at the centre, y upwards, 272 units up and down.
constexpr UserScale kDrawTestScale{-300, 272, 600, -544};

struct MappingCase {
    double deviceWidth, deviceHeight;
    Point user, device;
};

TEST(DeviceMapping, MapsUserPointsOntoTheDeviceWithYUpwards) {
    const MappingCase cases[] = {
        {600, 544, {0, 0}, {300, 272}},         // centre
        {600, 544, {-300, 272}, {0, 0}},        // top-left corner
        {600, 544, {300, -272}, {600, 544}},    // bottom-right corner
        {600, 544, {100, 100}, {400, 172}},     // up and right of the centre
        {1200, 544, {100, 100}, {800, 172}},    // two pixels per unit across
        {600, 1088, {-150, -136}, {150, 816}},  // two pixels per unit down
    };
    for (const auto& c : cases) {
        DeviceMapping mapping{kDrawTestScale, c.deviceWidth, c.deviceHeight};
        Point device = mapping.toDevice(c.user);
        EXPECT_NEAR(device.x, c.device.x, 1e-9) << c.user.x << "," << c.user.y;
        EXPECT_NEAR(device.y, c.device.y, 1e-9) << c.user.x << "," << c.user.y;
        Point back = mapping.toUser(device);
        EXPECT_NEAR(back.x, c.user.x, 1e-9);
        EXPECT_NEAR(back.y, c.user.y, 1e-9);
    }
}

TEST(DeviceMapping, PixelsPerUnitArePositiveWhateverTheDirection) {
    DeviceMapping mapping{kDrawTestScale, 1200, 272};
    EXPECT_DOUBLE_EQ(mapping.pixelsPerUnitX(), 2.0);
    EXPECT_DOUBLE_EQ(mapping.pixelsPerUnitY(), 0.5);
}

TEST(Colors, QbColorFollowsTheClassicPalette) {
    struct Case {
        int index;
        Color expected;
    };
    const Case cases[] = {
        {0, {0, 0, 0}},        {1, {0, 0, 128}},  {4, {128, 0, 0}},  {7, {192, 192, 192}},
        {8, {128, 128, 128}},  {10, {0, 255, 0}}, {12, {255, 0, 0}}, {14, {255, 255, 0}},
        {15, {255, 255, 255}}, {16, {0, 0, 0}},   {-1, {0, 0, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(QbColor(c.index), c.expected) << c.index;
    EXPECT_EQ(Rgb(300, -5, 81), (Color{255, 0, 81}));
}

TEST(DrawSurface, CurrentPositionFollowsLinesCirclesAndText) {
    RecordingSurface surface;
    surface.setFontSize(10);
    surface.line({1, 2}, {3, 4});
    EXPECT_EQ(surface.currentPosition(), (Point{3, 4}));
    surface.lineTo({5, 6});
    ASSERT_EQ(surface.lines().size(), 2u);
    EXPECT_EQ(surface.lines()[1].from, (Point{3, 4}));
    EXPECT_EQ(surface.lines()[1].to, (Point{5, 6}));

    surface.circle({-7, 8}, 20);
    EXPECT_EQ(surface.currentPosition(), (Point{-7, 8}));

    // Three characters of 0.6 x 10 units: the position moves 18 units right on the same line.
    surface.moveTo({10, 20});
    surface.printText("abc");
    EXPECT_EQ(surface.texts().back().topLeft, (Point{10, 20}));
    EXPECT_DOUBLE_EQ(surface.currentPosition().x, 28);
    EXPECT_DOUBLE_EQ(surface.currentPosition().y, 20);
}

TEST(DrawSurface, WidthsBelowOneAndNonPositiveFontSizesAreNotApplied) {
    RecordingSurface surface;
    surface.setDrawWidth(3);
    surface.setDrawWidth(0.5);
    surface.setDrawWidth(-1);  // a variable line for a wide orb: the previous width stays
    EXPECT_EQ(surface.state().drawWidth, 3);
    surface.setDrawWidth(1);
    EXPECT_EQ(surface.state().drawWidth, 1);

    surface.setFontSize(12.6);
    surface.setFontSize(0);
    EXPECT_EQ(surface.font().size, 12.6);
}

TEST(DrawSurface, ClearErasesTheDrawingAndReturnsToTheOrigin) {
    RecordingSurface surface;
    surface.setScale(kDrawTestScale);
    surface.line({0, 0}, {10, 10});
    surface.clear(QbColor(7));
    EXPECT_TRUE(surface.lines().empty());
    ASSERT_EQ(surface.ops().size(), 1u);
    EXPECT_EQ(std::get<RecordedClear>(surface.ops()[0]).background, (Color{192, 192, 192}));
    EXPECT_EQ(surface.currentPosition(), (Point{0, 0}));
    EXPECT_EQ(surface.scale(), kDrawTestScale);
}

}  // namespace
}  // namespace quintaro
