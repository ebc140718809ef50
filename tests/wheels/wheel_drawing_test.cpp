// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/wheel_drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "wheel_test_input.h"
#include "wheels/glyph_codes.h"
#include "wheels/utf8_text.h"
#include "wheels/wheel_geometry.h"

namespace quintaro {
namespace {

using test::AddNatal;
using test::AddTransit;

std::vector<RecordedText> TextsOfSize(const RecordingSurface& surface, double size) {
    std::vector<RecordedText> out;
    for (const auto& text : surface.texts())
        if (text.font.size == size) out.push_back(text);
    return out;
}

// Labels of sector 6 (longitudes 330..360): three wide slots at x = 68.8, 38.24, 7.68 while
// fewer than four bodies stand there; with four, a narrow row from x = 48 leftwards, one label
// width ("29.8": 4 x 0.6 x 8 = 19.2 units) and the 4-unit gap apart, so that no two labels
// touch. The row is at y = -104; a label's top is half the height of "29.8" (1.2 x 8 / 2 = 4.8
// units) above it.
TEST(DegreeLabels, FourBodiesInASectorSwitchToTheNarrowRow) {
    struct Case {
        std::vector<double> longitudes;
        std::vector<std::string> texts;
        std::vector<double> xs;
    };
    const std::vector<Case> cases = {
        {{331, 335, 340}, {"1.0", "5.0", "10.0"}, {68.8, 38.24, 7.68}},
        {{331, 335, 340, 345.25}, {"1.0", "5.0", "10.0", "15.3"}, {48, 24.8, 1.6, -21.6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.longitudes.size());
        WheelInput input;
        for (size_t i = 0; i < c.longitudes.size(); ++i)
            AddNatal(input, static_cast<int>(i) + 2, c.longitudes[i]);
        RecordingSurface surface;
        DrawWheel(surface, input);
        auto labels = TextsOfSize(surface, 8);
        ASSERT_EQ(labels.size(), c.texts.size());
        for (size_t i = 0; i < labels.size(); ++i) {
            EXPECT_EQ(labels[i].text, c.texts[i]);
            EXPECT_NEAR(labels[i].topLeft.x, c.xs[i], 1e-9);
            EXPECT_NEAR(labels[i].topLeft.y, -99.2, 1e-9);
        }
        EXPECT_EQ(CountOverlappingPairs(PageBoxes(labels)), 0);
    }
}

TEST(WheelBodies, WhichBodiesEachWheelShows) {
    struct Case {
        WheelCoordinates coordinates;
        int slot;
        bool shown;
    };
    const Case cases[] = {
        {WheelCoordinates::Geocentric, SlotSun, true},
        {WheelCoordinates::Geocentric, SlotEarth, false},
        {WheelCoordinates::Geocentric, SlotPartOfFortune, true},
        {WheelCoordinates::Heliocentric, SlotEarth, true},
        {WheelCoordinates::Heliocentric, SlotMercury, true},
        {WheelCoordinates::Heliocentric, SlotSun, false},
        {WheelCoordinates::Heliocentric, SlotMoon, false},
        {WheelCoordinates::Heliocentric, SlotNode, false},
        {WheelCoordinates::Heliocentric, SlotAscendant, false},
        {WheelCoordinates::Heliocentric, SlotMidheaven, false},
        {WheelCoordinates::Heliocentric, SlotPartOfFortune, false},
    };
    for (const Case& c : cases) {
        WheelInput input;
        input.coordinates = c.coordinates;
        AddNatal(input, c.slot, 10);
        AddTransit(input, c.slot, 10);
        EXPECT_EQ(IsDisplayedBody(input, c.slot), c.shown) << c.slot;
        EXPECT_EQ(IsDisplayedBody(input, BodyCount + c.slot), c.shown) << c.slot;
    }
    WheelInput input;
    AddNatal(input, SlotSun, 10);
    input.selection.setTransit(SlotSun, true);  // transit Sun selected, but no transit chart shown
    EXPECT_TRUE(IsDisplayedBody(input, SlotSun));
    EXPECT_FALSE(IsDisplayedBody(input, BodyCount + SlotSun));
    EXPECT_FALSE(IsDisplayedBody(input, SlotMoon));  // not selected
    input.selection = SelectionFlags::All();
    EXPECT_FALSE(IsDisplayedBody(input, 60));
    EXPECT_FALSE(IsDisplayedBody(input, 0));
}

// Every body of both charts in Aries: 38 glyphs, each in a slot of its own, 3.75 degrees or more
// from every other, and a click on the middle of each glyph finds that glyph's body.
TEST(CrowdedWheel, EveryGlyphInItsOwnSlot) {
    WheelInput input;
    for (int slot = 1; slot <= 20; ++slot) {
        AddNatal(input, slot, 1 + 0.7 * slot);
        AddTransit(input, slot, 1.35 + 0.7 * slot);
    }
    RecordingSurface surface;
    WheelLayout layout = DrawWheel(surface, input);
    ASSERT_EQ(layout.glyphs.size(), 38u);
    EXPECT_EQ(TextsInFont(surface, GlyphFontName).size(), 38u);

    std::set<int> slots;
    for (const auto& a : layout.glyphs) {
        slots.insert(a.slot);
        for (const auto& b : layout.glyphs) {
            if (a.body == b.body) continue;
            double apart = std::abs(a.angle - b.angle);
            apart = std::min(apart, 360 - apart);
            EXPECT_GE(apart, 3.75 - 1e-9) << a.body << " and " << b.body;
        }
        Point middle{a.anchor.x + layout.cellWidth / 2, a.anchor.y - layout.cellHeight / 2};
        EXPECT_EQ(BodyAt(layout, middle), a.body);
    }
    EXPECT_EQ(slots.size(), 38u);
    EXPECT_EQ(FindGlyph(layout, SlotEarth), nullptr);
    EXPECT_EQ(FindGlyph(layout, BodyCount + SlotEarth), nullptr);
}

TEST(WheelGlyphs, GlyphCharactersAndColours) {
    WheelInput input;
    input.catalogue.VertexOn = true;
    ASSERT_EQ(AddFreeSlotBody(input.catalogue, "apollo"), 21);
    ASSERT_EQ(AddFreeSlotBody(input.catalogue, "hygiea"), 22);
    BuildSlotAbbrevs(input.catalogue);
    AddNatal(input, SlotSaturn, 100);
    AddNatal(input, SlotPartOfFortune, 200);
    AddNatal(input, 21, 300);
    AddNatal(input, 22, 40);
    AddTransit(input, SlotSun, 250);
    RecordingSurface surface;
    WheelLayout layout = DrawWheel(surface, input);
    ASSERT_EQ(layout.glyphs.size(), 5u);

    auto printedAt = [&](int body) {
        std::string text;
        Point at = FindGlyph(layout, body)->anchor;
        bool started = false;
        for (const auto& t : surface.texts()) {
            if (t.topLeft == at) started = true;
            if (started && (t.font.size == 12)) text += t.text;
            if (started && t.font.size != 12) break;
        }
        return text;
    };
    EXPECT_EQ(printedAt(SlotSaturn), "h");
    EXPECT_EQ(printedAt(SlotPartOfFortune), GlyphText(144));  // the vertex
    EXPECT_EQ(printedAt(21), GlyphText(216));                 // Apollo's own glyph
    EXPECT_EQ(printedAt(22), "hy");                           // two letters
    EXPECT_EQ(printedAt(BodyCount + SlotSun), "s");

    for (const auto& t : surface.texts()) {
        if (t.font.size != 12) continue;
        bool transit = t.topLeft == FindGlyph(layout, BodyCount + SlotSun)->anchor;
        EXPECT_EQ(t.color, transit ? QbColor(12) : QbColor(0)) << t.text;
    }
    // The letters read as letters: they are printed in the text font, not the glyph font.
    auto glyphTexts = TextsInFont(surface, GlyphFontName);
    EXPECT_EQ(glyphTexts.size(), 4u);
}

// The aspect lines end where the printing of the glyph left the current position: the right
// end of the glyph's top edge.
TEST(WheelGlyphs, GlyphPointIsTheEndOfThePrintedGlyph) {
    WheelInput input;
    AddNatal(input, SlotVenus, 100);
    RecordingSurface surface;
    WheelLayout layout = DrawWheel(surface, input);
    const PlacedGlyph* venus = FindGlyph(layout, SlotVenus);
    ASSERT_NE(venus, nullptr);
    EXPECT_NEAR(venus->glyphPoint.x, venus->anchor.x + 0.6 * 12, 1e-9);
    EXPECT_EQ(venus->glyphPoint.y, venus->anchor.y);
    // Sector 10 begins at 92 degrees; 10 degrees into the sector proposes slot 2.
    EXPECT_NEAR(venus->angle, 99.5, 1e-9);
}

TEST(WheelGlyphs, RecordedSectorNumbersDecideTheSector) {
    // Sector 9 recorded for a body at 100 degrees: it is placed in sector 9's slots (62..92),
    // its offset of 40 degrees from sector 9's start (60) proposing a slot past the sector's
    // end, which the pull-back brings back to the last one.
    WheelInput input;
    AddNatal(input, SlotMars, 100);
    input.natal.sector[SlotMars] = 9;
    RecordingSurface surface;
    WheelLayout layout = DrawWheel(surface, input);
    ASSERT_EQ(layout.glyphs.size(), 1u);
    EXPECT_EQ(layout.glyphs[0].sector, 9);
    EXPECT_NEAR(layout.glyphs[0].angle, 62 + 3.75 * 7, 1e-9);
}

}  // namespace
}  // namespace quintaro
