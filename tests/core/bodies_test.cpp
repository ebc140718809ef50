// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/bodies.h"

#include <gtest/gtest.h>

#include "recording_messages.h"

namespace quintaro {
namespace {

TEST(FindBody, MatchesFirstFiveCharactersAndSpecialCases) {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    test::RecordingMessages messages;
    struct Case {
        const char* name;
        int slot;
    } cases[] = {{"jupit", 6},  {"sun", 1},     {"mc ", 19},       {"mc", 0},
                 {"node", 13},  {"partf", 20},  {"ascen", 18},     {"juno", 17},
                 {"unuse", 21}, {"jupiter", 6}, {"ascendant", 18}, {"jupiterx", 6}};
    for (const auto& c : cases) EXPECT_EQ(FindBody(catalogue, c.name, messages), c.slot) << c.name;
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(FindBody(catalogue, "mc  ", messages), BodyCount);  // "mc  " is not "mc "
}

TEST(FindBody, UnknownNameReportsAndGivesLastSlot) {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    test::RecordingMessages messages;
    EXPECT_EQ(FindBody(catalogue, "Sun", messages), BodyCount);  // case-sensitive
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Could not find proper planet name");
    EXPECT_EQ(messages.shown[0].text,
              "I was looking for the planet named Sun - I could not find it. I have assigned a "
              "planet number of 53.");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);
}

TEST(Names, PadAndBase) {
    EXPECT_EQ(PadName5("mc"), "mc   ");
    EXPECT_EQ(PadName5("jupiter"), "jupit");
    EXPECT_EQ(PadName5(""), "     ");
    EXPECT_EQ(BaseName("venus-n"), "venus");
    EXPECT_EQ(BaseName("venus"), "venus");
    EXPECT_EQ(BaseName("-x"), "");
}

TEST(Catalogue, TablesLineUpBySlot) {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    EXPECT_EQ(catalogue.BodyLabels10.size(), 200u);
    EXPECT_EQ(BodyLabel10(catalogue, 13), "N. NODE   ");
    EXPECT_EQ(BodyLabel10(catalogue, 20), "PartF     ");
    // Every slot with an ephemeris code names that code's three letters.
    for (int slot = 1; slot <= 17; ++slot) {
        std::string label(BodyLabel10(catalogue, slot).substr(0, 3));
        std::string_view codeName = EphemerisCodeNames[EphemerisCodeOfSlot(slot)];
        if (slot == SlotNode)
            EXPECT_EQ(codeName, "NOD");
        else
            EXPECT_EQ(label, codeName) << slot;
        EXPECT_EQ(EphemerisCodeByName(codeName), EphemerisCodeOfSlot(slot));
    }
    EXPECT_EQ(EphemerisCodeNames[EphemerisCodeOfSlot(20)], "VTX");
    EXPECT_EQ(catalogue.BodyNames[21], "unused");
    EXPECT_EQ(catalogue.BodyNames[53], "unused");
    EXPECT_EQ(catalogue.NextFreeSlot, 21);
}

TEST(Catalogue, PartOfFortuneVertexToggleRewritesThreeTexts) {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    test::RecordingMessages messages;
    EXPECT_EQ(PartOfFortuneVertexMenuCaption(catalogue),
              "Part of F./Vertex toggle (P. of F. now on)");
    EXPECT_EQ(Slot20CheckCaption(catalogue), "PF");
    TogglePartOfFortuneVertex(catalogue);
    EXPECT_EQ(catalogue.BodyNames[20], "vertex");
    EXPECT_EQ(BodyLabel10(catalogue, 20), "VERTEX    ");
    EXPECT_EQ(PartOfFortuneVertexMenuCaption(catalogue),
              "Part of F./Vertex toggle (Vertex now on)");
    EXPECT_EQ(Slot20CheckCaption(catalogue), "VT");
    EXPECT_EQ(FindBody(catalogue, "verte", messages), 20);
    TogglePartOfFortuneVertex(catalogue);
    EXPECT_EQ(catalogue.BodyNames[20], "partf");
    EXPECT_EQ(catalogue.BodyLabels10, MakeBodyCatalogue().BodyLabels10);
}

BodyCatalogue WithFreeBodies(std::initializer_list<const char*> names) {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    for (const char* name : names) AddFreeSlotBody(catalogue, name);
    BuildSlotAbbrevs(catalogue);
    return catalogue;
}

TEST(SlotAbbrevs, RepeatsAreNumberedPerFirstLetter) {
    BodyCatalogue c = WithFreeBodies({"hygiea", "hylonome", "hypnos", "hidalgo", "apollo", "hyx"});
    EXPECT_EQ(c.SlotAbbrev2[21], "hy");
    EXPECT_EQ(c.SlotAbbrev2[22], "h1");
    EXPECT_EQ(c.SlotAbbrev2[23], "h2");
    EXPECT_EQ(c.SlotAbbrev2[24], "hi");
    EXPECT_EQ(c.SlotAbbrev2[25], "");    // apollo has a glyph
    EXPECT_EQ(c.SlotAbbrev2[26], "h3");  // the counter of "h" keeps counting
    EXPECT_EQ(c.SlotAbbrev2[27], "");    // slots past NextFreeSlot stay empty
}

TEST(SlotAbbrevs, UpperCaseNamesAreLoweredAndBracketNamesFixed) {
    BodyCatalogue c = WithFreeBodies({"Hygiea", "[pandora", "[psyche", "Sappho"});
    EXPECT_EQ(c.SlotAbbrev2[21], "hy");
    EXPECT_EQ(c.SlotAbbrev2[22], "[P");
    EXPECT_EQ(c.SlotAbbrev2[23], "[p");
    EXPECT_EQ(c.SlotAbbrev2[24], "sa");
}

TEST(BodyGlyphChoice, GlyphAsteroidsIgnoreCaseOthersUseLetters) {
    BodyCatalogue c = WithFreeBodies({"Apollo", "zeus", "hygiea"});
    BodyGlyph apollo = ChooseBodyGlyph(c, 21);
    EXPECT_TRUE(apollo.isGlyph);
    EXPECT_EQ(apollo.glyphCode, 216);
    EXPECT_EQ(ChooseBodyGlyph(c, 22).glyphCode, 237);
    BodyGlyph hygiea = ChooseBodyGlyph(c, 23);
    EXPECT_FALSE(hygiea.isGlyph);
    EXPECT_EQ(hygiea.letters, "hy");
}

TEST(FreeSlots, ThirtyThreeAtMost) {
    BodyCatalogue c = MakeBodyCatalogue();
    for (int i = 0; i < FreeSlotCount; ++i)
        EXPECT_EQ(AddFreeSlotBody(c, "b" + std::to_string(i)), 21 + i);
    EXPECT_EQ(AddFreeSlotBody(c, "extra"), 0);
    EXPECT_EQ(c.NextFreeSlot, 54);
    EXPECT_EQ(c.BodyNames[53], "b32");
}

}  // namespace
}  // namespace quintaro
