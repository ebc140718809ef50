// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/glyph_codes.h"

#include <gtest/gtest.h>

namespace quintaro {
namespace {

TEST(GlyphCodes, SlotsUseTheLettersOfTheExtendedBodyList) {
    struct Case {
        int slot;
        bool vertexOn;
        int code;
    };
    const Case cases[] = {
        {SlotSun, false, 's'},
        {SlotMercury, false, 'y'},
        {SlotVenus, false, 'v'},
        {SlotMoon, false, 'l'},
        {SlotMars, false, 'm'},
        {SlotJupiter, false, 'j'},
        {SlotSaturn, false, 'h'},
        {SlotUranus, false, 'u'},
        {SlotNeptune, false, 'n'},
        {SlotPluto, false, 'p'},
        {SlotEarth, false, 'e'},
        {SlotChiron, false, 'k'},
        {SlotNode, false, 'd'},
        {SlotCeres, false, 'c'},
        {SlotPallas, false, 'x'},
        {SlotVesta, false, 'a'},
        {SlotJuno, false, 'o'},
        {SlotAscendant, false, 141},
        {SlotMidheaven, false, 142},
        {SlotPartOfFortune, false, 143},
        {SlotPartOfFortune, true, 144},
        {21, false, 0},
        {0, false, 0},
        {-3, false, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SlotGlyphCode(c.slot, c.vertexOn), c.code) << "slot " << c.slot;
}

TEST(GlyphCodes, AspectsSitAt159PlusTheirCode) {
    EXPECT_EQ(AspectGlyphCode(2), 161);   // conjunction
    EXPECT_EQ(AspectGlyphCode(7), 166);   // parallel
    EXPECT_EQ(AspectGlyphCode(16), 175);  // biquintile
    EXPECT_EQ(AspectGlyphCode(18), 177);  // contra-parallel
    EXPECT_EQ(AspectGlyphCode(17), 0);    // no aspect has code 17
    EXPECT_EQ(AspectGlyphCode(19), 0);
    EXPECT_EQ(AspectGlyphCode(0), 0);
}

TEST(GlyphCodes, AsteroidsRunFrom215To237) {
    EXPECT_EQ(AsteroidGlyphCode(0), 215);   // aphrodite
    EXPECT_EQ(AsteroidGlyphCode(1), 216);   // apollo
    EXPECT_EQ(AsteroidGlyphCode(22), 237);  // zeus
    EXPECT_EQ(AsteroidGlyphCode(23), 0);
    EXPECT_EQ(AsteroidGlyphCode(-1), 0);
}

TEST(GlyphCodes, GlyphTextIsTheCharacterOfTheCode) {
    EXPECT_EQ(GlyphText('h'), "h");
    EXPECT_EQ(GlyphText(129), "\xC2\x81");  // Aries
    EXPECT_EQ(GlyphText(236), "\xC3\xAC");
    EXPECT_EQ(GlyphText(0), "");
}

}  // namespace
}  // namespace quintaro
