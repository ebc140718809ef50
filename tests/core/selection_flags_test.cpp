// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/selection_flags.h"

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
    flags.setBoth(22, true);
    EXPECT_TRUE(flags.of(ChartSide::Natal, 22));
    EXPECT_TRUE(flags.of(ChartSide::Transit, 22));
    EXPECT_FALSE(flags.of(ChartSide::Natal, 4));
    EXPECT_TRUE(flags.of(ChartSide::Transit, 4));
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

// The text is what the settings file keeps: a text of flags reads back as the same text.
TEST(SelectionFlags, TextRoundTrip) {
    std::string mixed(106, '0');
    for (size_t i = 0; i < mixed.size(); i += 3) mixed[i] = '1';
    for (const std::string& text : {mixed, std::string(106, '1'), std::string(106, '0')}) {
        SelectionFlags flags = SelectionFlags::FromText(text);
        EXPECT_EQ(flags.text(), text);
        EXPECT_EQ(SelectionFlags::FromText(flags.text()), flags);
    }
    EXPECT_EQ(SelectionFlags::All().text(), std::string(106, '1'));
}

}  // namespace
}  // namespace quintaro
