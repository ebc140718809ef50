// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/svg_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "core/atomic_file.h"
#include "svg_reader.h"
#include "temp_folder.h"
#include "wheels/glyph_codes.h"

namespace quintaro {
namespace {

using test::ElementsNamed;
using test::XmlElement;

constexpr UserScale kSvgTestScale{-300, 272, 600, -544};

std::vector<XmlElement> Parse(const SvgSurface& surface) {
    std::string error;
    auto elements = test::ParseXml(surface.document(), error);
    EXPECT_TRUE(elements) << error << "\n" << surface.document();
    return elements.value_or(std::vector<XmlElement>{});
}

// A small font: 1000 units per em, ascent 800, descent 200; a square at 236, a triangle at 129.
GlyphOutlines SmallFont() {
    GlyphOutlines outlines;
    outlines.unitsPerEm = 1000;
    outlines.ascent = 800;
    outlines.descent = 200;
    outlines.glyphs[236] = {600, "M0 0L600 0L600 700L0 700Z"};
    outlines.glyphs[129] = {500, "M0 0L500 0L250 500Z"};
    outlines.glyphs[' '] = {250, ""};
    return outlines;
}

struct Matrix {
    double a = 0, b = 0, c = 0, d = 0, e = 0, f = 0;
};
Matrix ReadMatrix(const std::string& transform) {
    Matrix m;
    EXPECT_EQ(std::sscanf(transform.c_str(), "matrix(%lf %lf %lf %lf %lf %lf)", &m.a, &m.b, &m.c,
                          &m.d, &m.e, &m.f),
              6)
        << transform;
    return m;
}

TEST(SvgSurface, AnEmptyDrawingIsAWellFormedSvgOfTheGivenSize) {
    SvgSurface surface(800, 600);
    auto elements = Parse(surface);
    ASSERT_EQ(elements.size(), 1u);
    EXPECT_EQ(elements[0].name, "svg");
    EXPECT_EQ(elements[0].at("xmlns"), "http://www.w3.org/2000/svg");
    EXPECT_EQ(elements[0].number("width"), 800);
    EXPECT_EQ(elements[0].number("height"), 600);
}

TEST(SvgSurface, LinesLandWhereTheUserScalePutsThem) {
    SvgSurface surface(600, 544);
    surface.setScale(kSvgTestScale);
    surface.setForeColor(Rgb(200, 0, 0));
    surface.setDrawWidth(2);
    surface.line({0, 0}, {100, 100});
    surface.setDrawStyle(DrawStyle::Dashed);
    surface.setForeColor(QbColor(10));
    surface.line({-300, 272}, {300, -272});

    auto lines = ElementsNamed(Parse(surface), "line");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].number("x1"), 300);
    EXPECT_EQ(lines[0].number("y1"), 272);
    EXPECT_EQ(lines[0].number("x2"), 400);
    EXPECT_EQ(lines[0].number("y2"), 172);
    EXPECT_EQ(lines[0].at("stroke"), "#c80000");
    EXPECT_EQ(lines[0].number("stroke-width"), 2);
    EXPECT_FALSE(lines[0].has("stroke-dasharray"));

    EXPECT_EQ(lines[1].number("x1"), 0);
    EXPECT_EQ(lines[1].number("y2"), 544);
    EXPECT_EQ(lines[1].at("stroke"), "#00ff00");
    EXPECT_TRUE(lines[1].has("stroke-dasharray"));
}

TEST(SvgSurface, CirclesAreOutlinesWithTheRadiusMeasuredAcross) {
    SvgSurface surface(1200, 544);  // two pixels per unit across, one down
    surface.setScale(kSvgTestScale);
    surface.circle({0, 0}, 200);
    auto circles = ElementsNamed(Parse(surface), "circle");
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].number("cx"), 600);
    EXPECT_EQ(circles[0].number("cy"), 272);
    EXPECT_EQ(circles[0].number("r"), 400);
    EXPECT_EQ(circles[0].at("fill"), "none");
    EXPECT_EQ(circles[0].at("stroke"), "#000000");
}

TEST(SvgSurface, PlainTextKeepsItsCharactersFontAndColour) {
    SvgSurface surface(800, 600);
    surface.setFontName("DejaVu Sans");
    surface.setFontSize(12);  // 16 pixels at 96 dots per inch
    surface.setFontBold(true);
    surface.setForeColor(Rgb(0, 0, 200));
    surface.moveTo({10, 20});
    const std::string text = "Saturn & Venus <\"geo chart\"> 29.8\xC2\xB0";
    surface.printText(text);

    auto texts = ElementsNamed(Parse(surface), "text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, text);
    EXPECT_EQ(texts[0].at("font-family"), "DejaVu Sans");
    EXPECT_EQ(texts[0].number("font-size"), 16);
    EXPECT_EQ(texts[0].at("font-weight"), "bold");
    EXPECT_EQ(texts[0].at("fill"), "#0000c8");
    EXPECT_EQ(texts[0].number("x"), 10);
    EXPECT_GT(texts[0].number("y"), 20);  // the baseline lies below the top-left corner
    EXPECT_LT(texts[0].number("y"), 20 + 16);
}

TEST(SvgSurface, TextThatXmlCannotHoldStaysWellFormed) {
    SvgSurface surface(100, 100);
    surface.printText(
        "a\x01"
        "b\x1F");
    surface.printText("\xC3\x28 \xFF");  // malformed UTF-8
    surface.setFontName("x\"><evil/>");
    surface.printText("c");
    auto elements = Parse(surface);
    EXPECT_EQ(ElementsNamed(elements, "text").size(), 3u);
    EXPECT_TRUE(ElementsNamed(elements, "evil").empty());
}

TEST(SvgSurface, GlyphFontTextBecomesPathsAtTheBaseline) {
    SvgSurface surface(800, 600, SmallFont());
    surface.setFontName("Orvessa");
    surface.setFontSize(15);  // 20 pixels: 0.02 pixels per font unit
    surface.setForeColor(Rgb(251, 9, 81));
    surface.moveTo({100, 50});
    surface.printText(GlyphText(236) + GlyphText(129));

    auto elements = Parse(surface);
    EXPECT_TRUE(ElementsNamed(elements, "text").empty());
    auto paths = ElementsNamed(elements, "path");
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[0].at("d"), "M0 0L600 0L600 700L0 700Z");
    EXPECT_EQ(paths[1].at("d"), "M0 0L500 0L250 500Z");
    EXPECT_EQ(paths[0].at("fill"), "#fb0951");
    // Font units are y-up: scale 0.02 across and -0.02 down; baseline 0.8 em below the top.
    Matrix first = ReadMatrix(paths[0].at("transform"));
    EXPECT_NEAR(first.a, 0.02, 1e-9);
    EXPECT_NEAR(first.d, -0.02, 1e-9);
    EXPECT_NEAR(first.e, 100, 1e-9);
    EXPECT_NEAR(first.f, 66, 1e-9);
    Matrix second = ReadMatrix(paths[1].at("transform"));
    EXPECT_NEAR(second.e, 112, 1e-9);  // after the square's 600 units
    EXPECT_NEAR(second.f, 66, 1e-9);
    EXPECT_NEAR(surface.currentPosition().x, 122, 1e-9);
}

TEST(SvgSurface, GlyphFontMetricsComeFromTheOutlinesInUserUnits) {
    SvgSurface surface(1200, 544, SmallFont());  // two pixels per unit across, one down
    surface.setScale(kSvgTestScale);
    surface.setFontName("Orvessa");
    surface.setFontSize(15);
    EXPECT_NEAR(surface.textWidth(GlyphText(236)), 600 * 0.02 / 2, 1e-9);
    EXPECT_NEAR(surface.textWidth(GlyphText(236) + " "), (600 + 250) * 0.02 / 2, 1e-9);
    EXPECT_NEAR(surface.textHeight(GlyphText(236)), (800 + 200) * 0.02, 1e-9);
}

TEST(SvgSurface, AGlyphWithoutOutlineFallsBackToText) {
    SvgSurface surface(800, 600, SmallFont());
    surface.setFontName("Orvessa");
    surface.printText(GlyphText(129) + "Z" + GlyphText(236));
    auto elements = Parse(surface);
    EXPECT_EQ(ElementsNamed(elements, "path").size(), 2u);
    auto texts = ElementsNamed(elements, "text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Z");
    EXPECT_EQ(texts[0].at("font-family"), "Orvessa");
}

TEST(SvgSurface, GlyphTextStaysTextWithoutOutlinesOrInAnotherFont) {
    SvgSurface withoutOutlines(800, 600);
    withoutOutlines.setFontName("Orvessa");
    SvgSurface otherFont(800, 600, SmallFont());
    otherFont.setFontName("DejaVu Sans");
    for (SvgSurface* surface : {&withoutOutlines, &otherFont}) {
        surface->printText(GlyphText(236));
        auto elements = Parse(*surface);
        EXPECT_TRUE(ElementsNamed(elements, "path").empty());
        auto texts = ElementsNamed(elements, "text");
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, "\xC3\xAC");
    }
}

TEST(SvgSurface, ClearPaintsTheBackgroundOverEverythingBefore) {
    SvgSurface surface(800, 600);
    surface.line({0, 0}, {10, 10});
    surface.clear(QbColor(7));
    surface.circle({400, 300}, 50);
    auto elements = Parse(surface);
    EXPECT_TRUE(ElementsNamed(elements, "line").empty());
    auto rects = ElementsNamed(elements, "rect");
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].at("fill"), "#c0c0c0");
    EXPECT_EQ(rects[0].number("width"), 800);
    EXPECT_EQ(ElementsNamed(elements, "circle").size(), 1u);
}

TEST(SvgSurface, PointsThatAreNotNumbersDrawNothing) {
    SvgSurface surface(800, 600);
    surface.line({NAN, 0}, {1, 1});
    surface.circle({0, INFINITY}, 5);
    surface.moveTo({NAN, NAN});
    surface.printText("x");
    surface.setScale({0, 0, 0, 0});  // an empty scale maps every point to the corner
    surface.line({1, 1}, {2, 2});
    auto elements = Parse(surface);
    EXPECT_TRUE(ElementsNamed(elements, "circle").empty());
    EXPECT_TRUE(ElementsNamed(elements, "text").empty());
    EXPECT_EQ(ElementsNamed(elements, "line").size(), 1u);
    EXPECT_EQ(surface.document().find("nan"), std::string::npos);
    EXPECT_EQ(surface.document().find("inf"), std::string::npos);
}

TEST(SvgSurface, SavesTheDocumentWhole) {
    test::TempFolder folder;
    SvgSurface surface(300, 200);
    surface.line({0, 0}, {300, 200});
    auto file = folder.path() / "wheel.svg";
    EXPECT_EQ(surface.save(file), "");
    std::string written;
    ASSERT_TRUE(ReadWholeFile(file, written));
    EXPECT_EQ(written, surface.document());
    EXPECT_NE(surface.save(folder.path() / "no such folder" / "wheel.svg"), "");
}

}  // namespace
}  // namespace quintaro
