// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/recording_surface.h"

#include <gtest/gtest.h>

#include "wheels/glyph_codes.h"

namespace quintaro {
namespace {

const Color Red = Rgb(200, 0, 0);
const Color Blue = Rgb(0, 0, 200);

TEST(RecordingSurface, EachOperationKeepsTheStateItWasDrawnIn) {
    RecordingSurface surface;
    surface.setForeColor(Red);
    surface.setDrawWidth(3);
    surface.setDrawStyle(DrawStyle::Dashed);
    surface.line({0, 0}, {1, 1});
    surface.setForeColor(Blue);
    surface.setDrawWidth(1);
    surface.setDrawStyle(DrawStyle::Solid);
    surface.circle({0, 0}, 200);
    surface.setFontName("Orvessa");
    surface.setFontSize(12);
    surface.setFontBold(true);
    surface.moveTo({5, 6});
    surface.printText("h");

    ASSERT_EQ(surface.ops().size(), 3u);
    auto line = std::get<RecordedLine>(surface.ops()[0]);
    EXPECT_EQ(line.color, Red);
    EXPECT_EQ(line.width, 3);
    EXPECT_EQ(line.style, DrawStyle::Dashed);
    auto circle = std::get<RecordedCircle>(surface.ops()[1]);
    EXPECT_EQ(circle.color, Blue);
    EXPECT_EQ(circle.radius, 200);
    EXPECT_EQ(circle.style, DrawStyle::Solid);
    auto text = std::get<RecordedText>(surface.ops()[2]);
    EXPECT_EQ(text.text, "h");
    EXPECT_EQ(text.color, Blue);
    EXPECT_EQ(text.font, (FontChoice{"Orvessa", 12, true}));
    EXPECT_EQ(text.topLeft, (Point{5, 6}));
}

TEST(RecordingSurface, CountsLinesByColour) {
    RecordingSurface surface;
    for (Color c : {Red, Blue, Red, QbColor(10), Red}) {
        surface.setForeColor(c);
        surface.line({0, 0}, {1, 0});
    }
    surface.setForeColor(Red);
    surface.circle({0, 0}, 5);  // a circle is no line
    EXPECT_EQ(CountLines(surface, Red), 3);
    EXPECT_EQ(CountLines(surface, Blue), 1);
    EXPECT_EQ(CountLines(surface, QbColor(10)), 1);
    EXPECT_EQ(CountLines(surface, QbColor(0)), 0);
}

TEST(RecordingSurface, MeasuresCharactersNotBytes) {
    RecordingSurface surface;
    surface.setFontSize(12);
    // Two glyph characters take two bytes each in UTF-8 but are two characters wide.
    std::string glyphs = GlyphText(236) + GlyphText(129);
    ASSERT_EQ(glyphs.size(), 4u);
    EXPECT_DOUBLE_EQ(surface.textWidth(glyphs), 2 * 0.6 * 12);
    EXPECT_DOUBLE_EQ(surface.textWidth(""), 0);
    EXPECT_DOUBLE_EQ(surface.textHeight("29.8"), 1.2 * 12);
}

TEST(RecordingSurface, FindsTextsByFontIgnoringCase) {
    RecordingSurface surface;
    surface.setFontName("Orvessa");
    surface.printText(GlyphText(129));
    surface.setFontName("DejaVu Sans");
    surface.printText("29.8");
    surface.setFontName("ORVESSA");
    surface.printText(GlyphText(130));

    auto glyphs = TextsInFont(surface, "orvessa");
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_EQ(glyphs[0].text, "\xC2\x81");
    EXPECT_EQ(glyphs[1].text, "\xC2\x82");
    EXPECT_EQ(TextsInFont(surface, "DejaVu Sans").size(), 1u);
}

}  // namespace
}  // namespace quintaro
