// SPDX-License-Identifier: AGPL-3.0-or-later
#include "synch/synch_members.h"

#include <gtest/gtest.h>

#include <fstream>

#include "synch_test_chart.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::Natal;
using test::Transit;

struct MemberLineCase {
    const char* line;
    std::vector<SynchMember> members;
    size_t unknown;
};

TEST(MemberLines, EachLineNamesOneBodySideOrIsSkipped) {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    AddFreeSlotBody(catalogue, "x3-andromache");
    const MemberLineCase cases[] = {
        {"sun-n", {Natal(1)}, 0},
        {"  MARS-t \r", {Transit(5)}, 0},      // trimmed, case ignored
        {"mc -n", {Natal(19)}, 0},             // the key with its blank
        {"mc-n", {Natal(19)}, 0},              // blanks around the name do not count
        {"jupiter-T", {Transit(6)}, 0},        // the mark in either case
        {"ascendant-n", {Natal(18)}, 0},       // first five characters: "ascen"
        {"x3-andromache-n", {Natal(21)}, 0},   // a "-" inside the name
        {"vesta-n and more", {Natal(16)}, 0},  // the last mark decides
        {"sun", {}, 0},                        // no mark: not a member line
        {"sun - n", {}, 0},                    // "- n" is no mark
        {"plato-n", {}, 1},                    // unknown names are skipped
        {"unused-t", {}, 1},                   // a free slot not in use names no body
        {"-n", {}, 1},                         // a mark without a name
        {"venus-n\nvenus-n\nvenus-t", {Natal(3), Transit(3)}, 0},  // each side once
    };
    for (const MemberLineCase& c : cases) {
        MemberList list = ReadMemberText(c.line, catalogue);
        EXPECT_EQ(list.members, c.members) << c.line;
        EXPECT_EQ(list.unknown.size(), c.unknown) << c.line;
    }
}

TEST(MemberLines, NamesMatchOnTheirFirstFiveCharacters) {
    const BodyCatalogue catalogue = MakeBodyCatalogue();
    EXPECT_EQ(SlotOfMemberName(catalogue, "satur"), 7);
    EXPECT_EQ(SlotOfMemberName(catalogue, "saturnine"), 7);
    EXPECT_EQ(SlotOfMemberName(catalogue, "Neptu "), 9);
    EXPECT_EQ(SlotOfMemberName(catalogue, "mc   "), 19);
    EXPECT_EQ(SlotOfMemberName(catalogue, "sat"), 0);
    EXPECT_EQ(SlotOfMemberName(catalogue, "     "), 0);
    EXPECT_EQ(MemberName5(catalogue, 1), "sun  ");
    EXPECT_EQ(MemberName5(catalogue, 12), "chiro");
}

TEST(MemberLines, TheSelectionWindowsTextReadsBackAsItsSelection) {
    const BodyCatalogue catalogue = MakeBodyCatalogue();
    SelectionFlags flags;
    flags.setNatal(19, true);
    flags.setNatal(2, true);
    flags.setTransit(12, true);
    const std::string text = MemberTextOfSelection(flags, catalogue);
    EXPECT_EQ(text, "mercury-n\nmc -n\nchiron-t\n");
    const MemberList list = ReadMemberText(text, catalogue);
    EXPECT_EQ(list.members, (std::vector<SynchMember>{Natal(2), Natal(19), Transit(12)}));
    EXPECT_EQ(SelectionOfMembers(list), flags);
}

class MemberFiles : public ::testing::Test {
  protected:
    std::filesystem::path write(const std::string& name, const std::string& bytes) {
        auto path = folder.path() / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    test::TempFolder folder;
    BodyCatalogue catalogue = MakeBodyCatalogue();
};

TEST_F(MemberFiles, AGoodFileIsReadWhole) {
    auto path = write("a.syn", "sun-n\r\nmars-t\r\n");
    MemberFile file = ReadMemberFile(path, catalogue);
    EXPECT_EQ(file.error, "");
    EXPECT_EQ(file.text, "sun-n\r\nmars-t\r\n");
    EXPECT_EQ(file.list.members, (std::vector<SynchMember>{Natal(1), Transit(5)}));
}

TEST_F(MemberFiles, FilesThatCannotServeSayWhy) {
    struct Case {
        std::string name, bytes, expected;
    };
    const Case cases[] = {
        {"binary.syn", std::string("sun-n\n\0\x01mars-t\n", 14), "is damaged (byte 7"},
        {"empty.syn", "", "lists no body that can take part"},
        {"unknown.syn", "plato-n\nzeus-t\nsun\n", "lists no body that can take part"},
        {"huge.syn", std::string(MaxMemberFileBytes + 1, 'a'), "is larger than"},
    };
    for (const Case& c : cases) {
        MemberFile file = ReadMemberFile(write(c.name, c.bytes), catalogue);
        EXPECT_NE(file.error.find(c.expected), std::string::npos) << c.name << ": " << file.error;
        EXPECT_NE(file.error.find(c.name), std::string::npos) << file.error;
        EXPECT_TRUE(file.list.members.empty() || !file.error.empty());
    }
    MemberFile missing = ReadMemberFile(folder.path() / "gone.syn", catalogue);
    EXPECT_NE(missing.error.find("could not be read"), std::string::npos);
    MemberFile folderAsFile = ReadMemberFile(folder.path(), catalogue);
    EXPECT_NE(folderAsFile.error.find("could not be read"), std::string::npos);
}

}  // namespace
}  // namespace quintaro
