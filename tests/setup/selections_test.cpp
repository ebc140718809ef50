// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/selections.h"

#include <gtest/gtest.h>

#include <vector>

namespace quintaro {
namespace {

TEST(SelectionFlags, NatalFlagsComeFirstThenTransitFlags) {
    // The settings' default main selection: natal Sun..Venus, Mars..Chiron, the same for transit.
    SelectionFlags flags = SelectionFlags::FromText(
        "1110111111110000000000000000000000000000000000000000011101111111100000000000000000000"
        "000000000000000000000");
    for (int slot : {1, 2, 3, 5, 12}) {
        EXPECT_TRUE(flags.natal(slot)) << slot;
        EXPECT_TRUE(flags.transit(slot)) << slot;
    }
    for (int slot : {4, 13, 20, 21, 53}) {
        EXPECT_FALSE(flags.natal(slot)) << slot;
        EXPECT_FALSE(flags.transit(slot)) << slot;
    }
    EXPECT_TRUE(flags.flag(54));   // transit Sun
    EXPECT_FALSE(flags.flag(57));  // transit Moon
}

TEST(SelectionFlags, SettersWriteTheRightCharacter) {
    SelectionFlags flags;
    flags.setTransit(4, true);
    flags.setNatal(53, true);
    std::string expected(106, '0');
    expected[53 + 4 - 1] = '1';
    expected[53 - 1] = '1';
    EXPECT_EQ(flags.text(), expected);
    EXPECT_TRUE(flags.either(4));
    EXPECT_FALSE(flags.either(5));
}

TEST(SelectionFlags, TextsOfAnyShapeBecome106Flags) {
    struct Case {
        std::string text;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"", std::string(106, '0')},
        {"1", "1" + std::string(105, '0')},
        {"x1 2", "0100" + std::string(102, '0')},
        {std::string(200, '1'), std::string(106, '1')},
    };
    for (const Case& c : cases) EXPECT_EQ(SelectionFlags::FromText(c.text).text(), c.expected);
}

TEST(SelectionFlags, SlotsOutsideTheCatalogueAreNeverSelectedOrWritten) {
    SelectionFlags flags = SelectionFlags::FromText(std::string(106, '1'));
    for (int slot : {0, -1, 54, 1000}) {
        EXPECT_FALSE(flags.natal(slot)) << slot;
        EXPECT_FALSE(flags.transit(slot)) << slot;
    }
    EXPECT_FALSE(flags.flag(0));
    EXPECT_FALSE(flags.flag(107));
    SelectionFlags none;
    none.setNatal(54, true);
    none.setTransit(0, true);
    none.setFlag(107, true);
    EXPECT_EQ(none, SelectionFlags());
}

TEST(SlotOfKey, WholeKeyIgnoringCase) {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    AddFreeSlotBody(catalogue, "apollo");
    const std::vector<std::pair<std::string, int>> cases = {
        {"sun", 1},   {"MARS", 5},   {"Jupiter", 6}, {"mc ", 19}, {"mc", 0},      {"MC ", 19},
        {"jupit", 0}, {"partf", 20}, {"node", 13},   {"", 0},     {"Apollo", 21}, {"unused", 22},
    };
    for (const auto& [key, slot] : cases) EXPECT_EQ(SlotOfKey(catalogue, key), slot) << key;
}

}  // namespace
}  // namespace quintaro
