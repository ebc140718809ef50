// SPDX-License-Identifier: AGPL-3.0-or-later
// The zodiac wheel: orientation, columns at their longitudes, pointer lines for crowds, cusps and
// axes, aspect lines.
#include "wheels/zodiac_wheel.h"

#include <gtest/gtest.h>

#include "core/degrees.h"
#include "sample_charts.h"
#include "wheels/aspect_lines.h"
#include "wheels/glyph_codes.h"
#include "wheels/sign_position.h"
#include "wheels/wheel_drawing.h"
#include "wheels/wheel_geometry.h"

namespace quintaro {
namespace {

using test::AddNatal;
using test::AddTransit;

// Equal houses from an ascendant: the cusps and the MC a quarter round.
WheelHouses EqualHouses(double ascendant) {
    WheelHouses houses;
    houses.system = HouseSystem::EqualAscendant;
    for (int index = 1; index <= 13; ++index)
        houses.cusps[index] = Norm360(ascendant + 30.0 * ((index + 8) % 12));
    houses.ascendant = ascendant;
    houses.midheaven = Norm360(ascendant + 270);
    return houses;
}

Point CentreOf(const RecordedText& text) {
    return {text.topLeft.x + text.pageBox.width() / 2, text.topLeft.y - text.pageBox.height() / 2};
}

double Apart(double a, double b) {
    double d = std::abs(Norm360(a) - Norm360(b));
    return std::min(d, 360 - d);
}

// The sign glyphs of the outer ring run counter-clockwise from the ascendant at 9 o'clock: with
// the ascendant at 10 Cancer, the middle of Cancer (15) stands 5 degrees below the left, Leo 30
// degrees further counter-clockwise, and so on round.
TEST(ZodiacWheel, AscendantAtNineOclockAndTheSignsCounterClockwise) {
    const double ascendant = 100;
    WheelInput input;
    AddNatal(input, SlotSun, 10);
    RecordingSurface surface;
    DrawZodiacWheel(surface, input, EqualHouses(ascendant));
    const double band = ZodiacOuterRadius - SignBandWidth / 2;
    int found = 0;
    for (const RecordedText& text : TextsInFont(surface, GlyphFontName)) {
        Point centre = CentreOf(text);
        if (std::abs(std::hypot(centre.x, centre.y) - band) > 1) continue;
        for (int sign = 1; sign <= 12; ++sign) {
            if (text.text != GlyphText(SignGlyphCode(sign))) continue;
            EXPECT_NEAR(AngleOfPoint(centre), Norm360(180 + 30 * sign - 15 - ascendant), 1e-6)
                << sign;
            ++found;
        }
    }
    EXPECT_EQ(found, 12);
    // The AC stands at the left of the wheel, the MC 90 degrees of the zodiac on, at the top.
    for (const RecordedText& text : surface.texts()) {
        if (text.text == "AC") {
            EXPECT_LT(CentreOf(text).x, -ZodiacOuterRadius);
            EXPECT_NEAR(CentreOf(text).y, 0, 20);
        }
        if (text.text == "MC") {
            EXPECT_GT(CentreOf(text).y, ZodiacOuterRadius);
            EXPECT_NEAR(CentreOf(text).x, 0, 20);
        }
    }
}

// A body alone stands at its longitude as glyph, degree, sign and minutes ("R" after them when
// retrograde), all on its ray, with no pointer line.
TEST(ZodiacWheel, ABodyStandsAsAColumnAtItsLongitude) {
    WheelInput input;
    AddNatal(input, SlotMars, 123.456);
    input.natal.retro.set(SlotMars, 'R');
    AddNatal(input, SlotSaturn, 300.01);
    RecordingSurface surface;
    WheelLayout layout = DrawZodiacWheel(surface, input, EqualHouses(0));
    const double marsAngle = ZodiacAngle(123.456, 0);
    std::vector<std::string> column;
    for (const RecordedText& text : surface.texts()) {
        Point centre = CentreOf(text);
        if (std::hypot(centre.x, centre.y) < ZodiacOuterRadius - SignBandWidth &&
            Apart(AngleOfPoint(centre), marsAngle) < 1e-6)
            column.push_back(text.text);
    }
    EXPECT_EQ(column, (std::vector<std::string>{GlyphText(SlotGlyphCode(SlotMars, false)),
                                                "3\u00B0", GlyphText(133), "27'R"}));
    ASSERT_EQ(layout.glyphs.size(), 2u);
    for (const RecordedLine& line : surface.lines())
        EXPECT_FALSE(line.color == QbColor(0) && Apart(AngleOfPoint(line.from), marsAngle) < 1e-6 &&
                     Apart(AngleOfPoint(line.to), marsAngle) > 0.1);
}

// In a crowded chart the columns are spread in the order of their longitudes, and each column that
// stands off its longitude gets a pointer line from the dot at its true position to its glyph.
TEST(ZodiacWheel, CrowdedBodiesGetPointerLinesToTheirTruePositions) {
    for (unsigned seed : {3u, 4u, 11u}) {
        StyledWheel wheel = test::CrowdedChart(WheelStyle::Zodiac, seed, seed % 2 == 0);
        RecordingSurface surface;
        WheelLayout layout = DrawZodiacWheel(surface, wheel.input, wheel.houses);
        int displaced = 0;
        for (const PlacedGlyph& glyph : layout.glyphs) {
            const double trueAngle = ZodiacAngle(glyph.longitude, wheel.houses.ascendant);
            EXPECT_NEAR(AngleOfPoint(glyph.glyphPoint), trueAngle, 1e-6);
            if (Apart(glyph.angle, trueAngle) < 0.5) continue;
            ++displaced;
            int pointers = 0;
            for (const RecordedLine& line : surface.lines())
                pointers += line.color == BodyColor(glyph.body) &&
                            Apart(AngleOfPoint(line.from), trueAngle) < 1e-6 &&
                            Apart(AngleOfPoint(line.to), glyph.angle) < 1e-6;
            EXPECT_EQ(pointers, 1) << glyph.name;
        }
        EXPECT_GT(displaced, 5) << seed;
        // Each ring keeps the order of the longitudes.
        for (bool transit : {false, true}) {
            std::vector<const PlacedGlyph*> ring;
            for (const PlacedGlyph& glyph : layout.glyphs)
                if ((glyph.body > BodyCount) == transit) ring.push_back(&glyph);
            std::sort(ring.begin(), ring.end(), [&](auto* a, auto* b) {
                return Norm360(a->longitude - wheel.houses.ascendant) <
                       Norm360(b->longitude - wheel.houses.ascendant);
            });
            for (size_t k = 2; k < ring.size(); ++k)
                EXPECT_LT(Norm360(ring[k - 1]->angle - ring[0]->angle),
                          Norm360(ring[k]->angle - ring[0]->angle))
                    << seed;
        }
    }
}

// Quadrant houses: the cusps of the 1st, 4th, 7th and 10th are the axes, named and heavier.
// Equal houses from the MC: the ascendant is no cusp and gets an axis of its own.
TEST(ZodiacWheel, AxesAreEmphasisedAndNamed) {
    WheelInput input;
    AddNatal(input, SlotSun, 10);
    for (bool equalMc : {false, true}) {
        HouseCuspResult result = CuspsFromRamc(
            equalMc ? HouseSystem::EqualMC : HouseSystem::Placidus, 30, 51.5, 23.4392911);
        WheelHouses houses{equalMc ? HouseSystem::EqualMC : HouseSystem::Placidus, result.cusps,
                           result.cusps[4], result.cusps[1]};
        if (equalMc) houses.ascendant = 137.91;  // the Placidus ascendant of the same chart
        RecordingSurface surface;
        DrawZodiacWheel(surface, input, houses);
        int heavy = 0, thin = 0;
        for (const RecordedLine& line : surface.lines()) {
            if (std::abs(std::hypot(line.to.x, line.to.y) - (ZodiacOuterRadius - SignBandWidth)) >
                1e-6)
                continue;
            // Not a tick: a cusp line reaches in from the band to the innermost circle.
            bool cuspLine =
                std::hypot(line.from.x, line.from.y) < ZodiacOuterRadius - SignBandWidth - 20;
            if (!cuspLine) continue;
            (line.width >= 2 ? heavy : thin) += 1;
        }
        EXPECT_EQ(heavy, 4) << equalMc;
        EXPECT_EQ(thin, equalMc ? 10 : 8) << equalMc;
        int names = 0;
        for (const RecordedText& text : surface.texts())
            names +=
                text.text == "AC" || text.text == "MC" || text.text == "DC" || text.text == "IC";
        EXPECT_EQ(names, 4);
    }
}

// The aspect lines join the true positions on the innermost circle in the colours of their kinds;
// "applying only" leaves out the separating ones.
TEST(ZodiacWheel, AspectLinesJoinTheTruePositions) {
    WheelInput input;
    AddNatal(input, SlotSun, 10);
    AddNatal(input, SlotMoon, 100.5);
    AddNatal(input, SlotMars, 190);
    input.aspects = {{SlotSun, SlotMoon, wheel_aspect::Square, 0.5, true},
                     {SlotSun, SlotMars, wheel_aspect::Opposition, 0, false}};
    const WheelHouses houses = EqualHouses(50);
    for (ApplyingOnlyMode mode : {ApplyingOnlyMode::Off, ApplyingOnlyMode::SingleWidth}) {
        input.options.applyingOnly = mode;
        RecordingSurface surface;
        DrawZodiacWheel(surface, input, houses);
        std::vector<RecordedLine> red;
        for (const RecordedLine& line : surface.lines())
            if (line.color == AspectRed) red.push_back(line);
        ASSERT_EQ(red.size(), mode == ApplyingOnlyMode::Off ? 2u : 1u);
        EXPECT_NEAR(AngleOfPoint(red[0].from), ZodiacAngle(10, 50), 1e-6);
        EXPECT_NEAR(AngleOfPoint(red[0].to), ZodiacAngle(100.5, 50), 1e-6);
        EXPECT_NEAR(std::hypot(red[0].from.x, red[0].from.y), std::hypot(red[0].to.x, red[0].to.y),
                    1e-9);
    }
}

TEST(SignPosition, RoundsToTheMinuteAsTheGridDoes) {
    struct Case {
        double longitude;
        SignPosition position;
    };
    const Case cases[] = {{0, {1, 0, 0}},          {29.9975, {2, 0, 0}},  {123.456, {5, 3, 27}},
                          {359.999, {1, 0, 0}},    {45.5, {2, 15, 30}},   {-0.5, {12, 29, 30}},
                          {132.5833, {5, 12, 35}}, {719.25, {12, 29, 15}}};
    for (const Case& c : cases) EXPECT_EQ(SignPositionOf(c.longitude), c.position) << c.longitude;
    EXPECT_EQ(DegreeText({5, 3, 27}), "3\u00B0");
    EXPECT_EQ(MinuteText({5, 3, 7}), "07'");
}

}  // namespace
}  // namespace quintaro
