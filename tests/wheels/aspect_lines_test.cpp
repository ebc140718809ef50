// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/aspect_lines.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "wheel_test_input.h"
#include "wheels/glyph_codes.h"
#include "wheels/wheel_drawing.h"
#include "wheels/wheel_geometry.h"

namespace quintaro {
namespace {

using namespace wheel_aspect;
using test::AddNatal;
using test::AddTransit;

constexpr int Sun = 1, Venus = 3, Moon = 4, Mars = 5, Saturn = 7, Jupiter = 6;

// The longitude aspects each filter draws, for a pair without Saturn and a pair with Saturn.
struct FilterRow {
    int filter;
    const char* caption;
    std::set<int> withoutSaturn;
    std::set<int> withSaturn;
};

TEST(AspectFilters, EachFilterDrawsItsAspectsOnly) {
    const std::vector<FilterRow> rows = {
        {0, "All 30 Degree Aspects", {2, 8, 3, 4, 5, 11, 6}, {2, 8, 3, 4, 5, 11, 6}},
        {1, "Quincunxes", {11}, {11}},
        {2, "Linkages and Semi-Linkages", {2, 3, 5}, {2, 3, 5}},
        {3, "Clashes", {4, 6}, {4, 6}},
        {4, "Quintiles and Bi-Quintiles", {14, 16}, {14, 16}},
        {5, "No Aspect Lines", {}, {}},
        {6, "Pure Linkages", {2, 5}, {2, 5}},
        {7, "All Linkages", {2, 5, 11}, {2, 5}},
        {8, "Saturn Clashes", {}, {4, 6, 11}},
    };
    for (const FilterRow& row : rows) {
        SCOPED_TRACE(row.caption);
        EXPECT_EQ(FilterCaption(row.filter), row.caption);
        // Codes 9, 10, 12, 13 and 15 are never wheel lines; 7 and 18 are not longitude aspects.
        for (int code = 1; code <= 18; ++code) {
            SCOPED_TRACE(code);
            EXPECT_EQ(FilterPasses(row.filter, code, Mars, Venus),
                      row.withoutSaturn.count(code) == 1);
            EXPECT_EQ(FilterPasses(row.filter, code, Saturn, Venus),
                      row.withSaturn.count(code) == 1);
            EXPECT_EQ(FilterPasses(row.filter, code, Venus, Saturn),
                      row.withSaturn.count(code) == 1);
            // Transit Saturn is Saturn too.
            EXPECT_EQ(FilterPasses(row.filter, code, BodyCount + Saturn, Sun),
                      row.withSaturn.count(code) == 1);
        }
    }
    EXPECT_EQ(FilterCaption(9), "");
    EXPECT_EQ(FilterCaption(-1), "");
    EXPECT_FALSE(FilterPasses(9, 2, Sun, Moon));
}

TEST(AspectLines, Colours) {
    const std::map<int, Color> expected = {
        {Conjunction, QbColor(10)},      {Square, Rgb(200, 0, 0)},
        {Opposition, Rgb(200, 0, 0)},    {Trine, Rgb(0, 200, 0)},
        {Quincunx, Rgb(0, 0, 200)},      {Quintile, Rgb(251, 9, 81)},
        {Biquintile, Rgb(251, 9, 81)},   {Sextile, QbColor(0)},
        {SemiSextile, QbColor(0)},       {Parallel, QbColor(10)},
        {ContraParallel, Rgb(0, 0, 200)}};
    for (auto [code, colour] : expected) EXPECT_EQ(AspectLineColor(code), colour) << code;
}

TEST(AspectLines, VariableWidthIsFourLessTheWholeDegreesOfTheOrb) {
    struct Case {
        double orb, width;
    };
    for (Case c : {Case{0, 4}, Case{0.99, 4}, Case{1, 3}, Case{-2.5, 2}, Case{3.99, 1},
                   Case{4.2, 1}, Case{7, 1}}) {
        EXPECT_EQ(VariableLineWidth(c.orb), c.width) << c.orb;
    }
}

// What each option does to one trine (orb 1.5) and one parallel, applying or separating.
TEST(AspectLines, PenFollowsTheOptions) {
    enum Drawn { None, Solid1, Dashed1, Solid3, Dashed3, Other };
    struct Case {
        const char* name;
        void (*set)(WheelOptions&);
        Drawn applying, separating, parallel;
    };
    const Case cases[] = {
        {"plain", [](WheelOptions&) {}, Solid1, Dashed1, None},
        {"all solid", [](WheelOptions& o) { o.displayAllAsSolid = true; }, Solid1, Solid1, None},
        {"variable", [](WheelOptions& o) { o.variableLines = true; }, Solid3, Dashed3, None},
        {"applying only", [](WheelOptions& o) { o.applyingOnly = ApplyingOnlyMode::SingleWidth; },
         Solid1, None, None},
        {"applying only, variable",
         [](WheelOptions& o) { o.applyingOnly = ApplyingOnlyMode::VariableWidth; }, Solid3, None,
         None},
        {"declination lines only",
         [](WheelOptions& o) {
             o.longitudeLines = false;
             o.declinationLatitudeLines = true;
         },
         None, None, Solid1},
        {"no lines, even parallels",
         [](WheelOptions& o) {
             o.filter = FilterNoLines;
             o.declinationLatitudeLines = true;
         },
         None, None, None},
    };
    auto drawn = [](std::optional<LinePen> pen) {
        if (!pen) return None;
        bool dashed = pen->style == DrawStyle::Dashed;
        if (pen->width == 1) return dashed ? Dashed1 : Solid1;
        if (pen->width == 3) return dashed ? Dashed3 : Solid3;
        return Other;
    };
    WheelAspect applying{Sun, Moon, Trine, 1.5, true, AspectLineKind::Longitude};
    WheelAspect separating = applying;
    separating.applying = false;
    WheelAspect parallel{Sun, Moon, Parallel, 0.5, true, AspectLineKind::DeclinationLatitude};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WheelOptions options;
        c.set(options);
        EXPECT_EQ(drawn(AspectLinePen(applying, options, {})), c.applying);
        EXPECT_EQ(drawn(AspectLinePen(separating, options, {})), c.separating);
        EXPECT_EQ(drawn(AspectLinePen(parallel, options, {})), c.parallel);
    }

    // On the printer conjunctions take the second printer line width.
    WheelTarget printer;
    printer.printer = true;
    printer.printerLineWidths = {3, 5};
    WheelAspect conjunction{Sun, Moon, Conjunction, 0.5, true, AspectLineKind::Longitude};
    EXPECT_EQ(AspectLinePen(conjunction, {}, printer)->width, 5);
    EXPECT_EQ(AspectLinePen(applying, {}, printer)->width, 1);
}

// A natal chart with the bodies spread over the wheel and a line set covering every filter.
WheelInput LinedChart(int filter) {
    WheelInput input;
    AddNatal(input, Sun, 340.5);
    AddNatal(input, Venus, 100);
    AddNatal(input, Moon, 130.5);
    AddNatal(input, Mars, 190);
    AddNatal(input, Jupiter, 310.5);
    AddNatal(input, Saturn, 190.5);
    input.aspects = {
        {Venus, Mars, Square, 0, true, AspectLineKind::Longitude},
        {Venus, Saturn, Square, 0.5, true, AspectLineKind::Longitude},
        {Sun, Saturn, Quincunx, 0.5, true, AspectLineKind::Longitude},
        {Sun, Moon, Quincunx, 0, true, AspectLineKind::Longitude},
        {Moon, Jupiter, Opposition, 0, false, AspectLineKind::Longitude},
        {Sun, Venus, Trine, 0, true, AspectLineKind::Longitude},
    };
    input.options.filter = filter;
    return input;
}

// Every line but the ring's division lines (inner to outer band radius).
std::vector<RecordedLine> AspectLinesDrawn(const RecordingSurface& surface) {
    std::vector<RecordedLine> out;
    for (const RecordedLine& line : surface.lines())
        if (std::abs(test::Radius(line.from) - 195.5) > 1e-6 ||
            std::abs(test::Radius(line.to) - 224.825) > 1e-6)
            out.push_back(line);
    return out;
}

bool Joins(const RecordedLine& line, const WheelLayout& layout, int a, int b) {
    Point pa = FindGlyph(layout, a)->glyphPoint, pb = FindGlyph(layout, b)->glyphPoint;
    return (line.from == pa && line.to == pb) || (line.from == pb && line.to == pa);
}

TEST(WheelAspectLines, NoAspectLinesDrawsRingGlyphsAndTitleOnly) {
    RecordingSurface surface;
    WheelLayout layout = DrawWheel(surface, LinedChart(FilterNoLines));
    EXPECT_EQ(surface.lines().size(), 12u);  // the twelve division lines
    EXPECT_EQ(surface.circles().size(), 2u);
    EXPECT_EQ(TextsInFont(surface, GlyphFontName).size(), 6u);
    EXPECT_EQ(layout.glyphs.size(), 6u);
    bool title = false, caption = false;
    for (const auto& text : surface.texts()) {
        title |= text.text == "geo chart ()";
        caption |= text.text == "No Aspect Lines";
    }
    EXPECT_TRUE(title);
    EXPECT_TRUE(caption);
}

TEST(WheelAspectLines, SaturnClashesDrawOnlySaturnsSquares) {
    RecordingSurface surface;
    WheelLayout layout = DrawWheel(surface, LinedChart(FilterSaturnClashes));
    auto lines = AspectLinesDrawn(surface);
    ASSERT_EQ(lines.size(), 2u);
    // Saturn-Venus square in red; Mars-Venus square not drawn; Saturn-Sun quincunx in blue.
    EXPECT_TRUE(Joins(lines[0], layout, Venus, Saturn));
    EXPECT_EQ(lines[0].color, Rgb(200, 0, 0));
    EXPECT_TRUE(Joins(lines[1], layout, Sun, Saturn));
    EXPECT_EQ(lines[1].color, Rgb(0, 0, 200));
}

TEST(WheelAspectLines, AllLinkagesLeaveOutSaturnsQuincunx) {
    RecordingSurface surface;
    WheelLayout layout = DrawWheel(surface, LinedChart(FilterAllLinkages));
    auto lines = AspectLinesDrawn(surface);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(Joins(lines[0], layout, Sun, Moon));  // the quincunx without Saturn
    EXPECT_EQ(lines[0].color, Rgb(0, 0, 200));
    EXPECT_TRUE(Joins(lines[1], layout, Sun, Venus));  // the trine
    EXPECT_EQ(lines[1].color, Rgb(0, 200, 0));
}

TEST(WheelAspectLines, GeometricPatternLinesJoinTheTrueLongitudes) {
    WheelInput input = LinedChart(FilterClashes);
    input.options.geometricPatternLines = true;
    RecordingSurface surface;
    DrawWheel(surface, input);
    auto lines = AspectLinesDrawn(surface);
    // Squares Venus-Mars and Venus-Saturn, opposition Moon-Jupiter.
    ASSERT_EQ(lines.size(), 3u);
    for (const auto& line : lines) {
        EXPECT_NEAR(test::Radius(line.from), 195.5, 1e-9);
        EXPECT_NEAR(test::Radius(line.to), 195.5, 1e-9);
    }
    // With the fixed sectors the screen angle of a longitude is the longitude itself.
    EXPECT_NEAR(AngleOfPoint(lines[0].from), 100, 1e-6);
    EXPECT_NEAR(AngleOfPoint(lines[0].to), 190, 1e-6);
}

TEST(WheelAspectLines, TransitToNatalLinesJoinTheTwoCharts) {
    WheelInput input;
    AddNatal(input, Sun, 10);
    AddTransit(input, Saturn, 100);
    input.aspects = {{BodyCount + Saturn, Sun, Square, 0, true, AspectLineKind::Longitude},
                     // Natal Saturn is not on the wheel: no line.
                     {BodyCount + Saturn, Saturn, Opposition, 0, true, AspectLineKind::Longitude}};
    input.options.filter = FilterSaturnClashes;
    RecordingSurface surface;
    WheelLayout layout = DrawWheel(surface, input);
    auto lines = AspectLinesDrawn(surface);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(Joins(lines[0], layout, BodyCount + Saturn, Sun));
}

}  // namespace
}  // namespace quintaro
