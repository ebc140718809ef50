// SPDX-License-Identifier: AGPL-3.0-or-later
#include <gtest/gtest.h>

#include "wheel_test_input.h"
#include "wheels/wheel_drawing.h"
#include "wheels/wheel_layout.h"

namespace quintaro {
namespace {

using test::AddNatal;
using test::AddTransit;

Point MiddleOf(const WheelLayout& layout, int body) {
    const PlacedGlyph* glyph = FindGlyph(layout, body);
    return {glyph->anchor.x + layout.cellWidth / 2, glyph->anchor.y - layout.cellHeight / 2};
}

TEST(ClipboardText, PrefixNameAndPosition) {
    struct Case {
        int body;
        const char* name;
        double position;
        bool helio;
        const char* expected;
    };
    const Case cases[] = {
        {1, "sun", 12.3456, false, "geo_nat_sun12.3456"},
        {BodyCount + 3, "venus", 5, true, "hel_tra_venus5.0000"},
        {BodyCount, "unused", 359.99999, false, "geo_nat_unused360.0000"},
        {BodyCount + 1, "sun", 0.00004, false, "geo_tra_sun0.0000"},
        {19, "mc ", 90.5, true, "hel_nat_mc 90.5000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClipboardText(c.body, c.name, c.position, c.helio), c.expected);
}

TEST(ClickReport, NamesTheBodyUnderThePointer) {
    WheelInput input;
    AddNatal(input, SlotSun, 12.3456);
    AddNatal(input, SlotJupiter, 200.25, 'r');
    AddTransit(input, SlotVenus, 5.5, 'f');
    RecordingSurface surface;
    WheelLayout layout = DrawWheel(surface, input);

    EXPECT_EQ(ClickReport(layout, MiddleOf(layout, SlotSun)), " Natal sun is at 12.3456");
    EXPECT_EQ(ClickReport(layout, MiddleOf(layout, SlotJupiter)), " Natal jupiter is at 200.2500");
    EXPECT_EQ(ClickReport(layout, MiddleOf(layout, BodyCount + SlotVenus)),
              " Trans venus is at 05.5000 - falling");
    EXPECT_EQ(ClipboardTextAt(layout, MiddleOf(layout, SlotSun)), "geo_nat_sun12.3456");
    EXPECT_EQ(ClipboardTextAt(layout, MiddleOf(layout, BodyCount + SlotVenus)),
              "geo_tra_venus5.5000");

    // The centre of the wheel and a point just outside a cell hit nothing.
    EXPECT_EQ(ClickReport(layout, {0, 0}), "");
    EXPECT_EQ(ClipboardTextAt(layout, {0, 0}), "");
    const PlacedGlyph* sun = FindGlyph(layout, SlotSun);
    EXPECT_FALSE(BodyAt(layout, {sun->anchor.x - 0.01, sun->anchor.y - 1}));
    EXPECT_FALSE(BodyAt(layout, {sun->anchor.x + 1, sun->anchor.y + 0.01}));
    EXPECT_EQ(BodyAt(layout, {sun->anchor.x + layout.cellWidth, sun->anchor.y - layout.cellHeight}),
              SlotSun);
}

// Where two cells overlap, the body with the lower number is reported, whichever was placed
// first: the transit Sun (lower longitude) is placed before the natal Sun just above it.
TEST(ClickReport, OverlappingCellsGoToTheLowerBodyNumber) {
    WheelInput input;
    AddTransit(input, SlotSun, 1.0);
    AddNatal(input, SlotSun, 1.2);
    RecordingSurface surface;
    WheelLayout layout = DrawWheel(surface, input);
    ASSERT_EQ(layout.glyphs.front().body, BodyCount + SlotSun);
    const PlacedGlyph* transit = FindGlyph(layout, BodyCount + SlotSun);
    const PlacedGlyph* natal = FindGlyph(layout, SlotSun);
    Point shared{std::max(transit->anchor.x, natal->anchor.x) + 1, transit->anchor.y - 0.5};
    ASSERT_LE(shared.y, natal->anchor.y);
    ASSERT_GE(shared.y, natal->anchor.y - layout.cellHeight);
    EXPECT_EQ(BodyAt(layout, shared), SlotSun);
    EXPECT_EQ(ClickReport(layout, shared), " Natal sun is at 01.2000");
}

}  // namespace
}  // namespace quintaro
