// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/group_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "core/atomic_file.h"
#include "recording_messages.h"
#include "setup/file_lines.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::RecordingMessages;
using test::TempFolder;

// One line of a group file and what it does: the flag it sets (index 1..106, 0 for none) or
// the entry it adds to the unrecognised list.
struct LineCase {
    std::string line;
    int flag;
    std::string unrecognised;
};

TEST(GroupFile, EachLineSelectsOneBodySideOrIsListed) {
    const std::vector<LineCase> cases = {
        {"sun-n", 1, ""},
        {"MARS-t", 53 + 5, ""},  // keys match ignoring case
        {"mc -n", 19, ""},       // the midheaven's key has a trailing blank
        {"mc-n", 0, "mc-n for group3.cru"},
        {"sun", 0, ""},          // no "-": ignored without a word
        {"  venus-n\t", 3, ""},  // trimmed
        {"venus-n\r", 3, ""},
        {"venus-x", 53 + 3, ""},  // only "n" means natal
        {"-", 0, "- for group3.cru"},
        {"x-", 0, "x- for group3.cru"},
        {"chiron-nn", 0, "chiron-nn for group3.cru"},
        {"jupit-n", 0, "jupit-n for group3.cru"},  // whole keys, not five letters
        {"", 0, ""},
    };
    BodyCatalogue catalogue = MakeBodyCatalogue();
    for (const LineCase& c : cases) {
        GroupFileContents contents = ReadGroupText(c.line + "\n", GroupKind::Crucial, 3, catalogue);
        SelectionFlags expected;
        expected.setFlag(c.flag, true);
        EXPECT_EQ(contents.flags, expected) << c.line;
        if (c.unrecognised.empty())
            EXPECT_TRUE(contents.unrecognised.empty()) << c.line;
        else
            EXPECT_EQ(contents.unrecognised, std::vector<std::string>{c.unrecognised}) << c.line;
    }
}

TEST(GroupFile, FreeSlotBodiesAreKnownOnceTheLoaderNamedThem) {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    EXPECT_EQ(ReadGroupText("apollo-t\n", GroupKind::Select, 1, catalogue).unrecognised,
              std::vector<std::string>{"apollo-t for group1.sel"});
    AddFreeSlotBody(catalogue, "hebe");
    AddFreeSlotBody(catalogue, "apollo");
    GroupFileContents contents = ReadGroupText("apollo-t\n", GroupKind::Select, 1, catalogue);
    EXPECT_TRUE(contents.unrecognised.empty());
    EXPECT_TRUE(contents.flags.transit(22));
}

TEST(GroupFile, AMissingFileSaysFileNotFound) {
    TempFolder folder;
    RecordingMessages messages;
    std::filesystem::path file = folder.path() / "group4.sel";
    EXPECT_FALSE(ReadGroupFile(file, GroupKind::Select, 4, MakeBodyCatalogue(), messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "File not found");
    EXPECT_EQ(messages.shown[0].text, "You do not have a file called " + file.string());
}

TEST(GroupFile, UnknownBodiesAreShownAsMissingEphemerisFilesAndTheRestTakesEffect) {
    TempFolder folder;
    RecordingMessages messages;
    std::filesystem::path file = folder.path() / "group2.syn";
    // Carriage returns before the line breaks and no line break at the end.
    ASSERT_EQ(WriteFileAtomically(file, "pluto-n\r\nsedna-n\r\nmc-t"), "");
    auto contents = ReadGroupFile(file, GroupKind::Synch, 2, MakeBodyCatalogue(), messages);
    ASSERT_TRUE(contents);
    EXPECT_TRUE(contents->flags.natal(10));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Missing ephemeris files");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(messages.shown[0].text,
              "You are missing the following ephemeris files. Please add them.\n"
              "sedna-n for group2.syn\nmc-t for group2.syn\n");
}

TEST(GroupFile, AVeryDamagedFileListsOnlyTheFirstEntries) {
    std::vector<std::string> entries;
    for (int i = 0; i < 1000; ++i) entries.push_back("x" + std::to_string(i) + "-n");
    RecordingMessages messages;
    ShowMissingEphemerisFiles(entries, messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    const std::string& text = messages.shown[0].text;
    EXPECT_NE(text.find("x29-n\n"), std::string::npos);
    EXPECT_EQ(text.find("x30-n"), std::string::npos);
    EXPECT_NE(text.find("970 more"), std::string::npos);
}

TEST(GroupFile, GarbageAndLongLinesDoNotHurt) {
    std::string garbage;
    for (int i = 0; i < 20000; ++i) garbage += static_cast<char>((i * 131) % 256);
    BodyCatalogue catalogue = MakeBodyCatalogue();
    GroupFileContents contents = ReadGroupText(garbage, GroupKind::Select, 1, catalogue);
    EXPECT_EQ(contents.flags, SelectionFlags());

    contents = ReadGroupText(std::string(50000, '-') + "\nsun-n", GroupKind::Select, 1, catalogue);
    EXPECT_TRUE(contents.flags.natal(1));
    ASSERT_EQ(contents.unrecognised.size(), 1u);
    EXPECT_EQ(contents.unrecognised[0].size(),
              MaxFileLineLength + std::string(" for group1.sel").size());
}

TEST(GroupFile, WritesNatalLinesFirstAndSkipsUnusedSlots) {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    AddFreeSlotBody(catalogue, "eros");
    SelectionFlags flags;
    flags.setTransit(1, true);
    flags.setNatal(19, true);
    flags.setNatal(2, true);
    flags.setNatal(21, true);
    flags.setNatal(30, true);  // still "unused"
    EXPECT_EQ(GroupText(flags, catalogue), "mercury-n\nmc -n\neros-n\nsun-t\n");
}

TEST(GroupFile, WriteReadWriteGivesIdenticalBytes) {
    TempFolder folder;
    RecordingMessages messages;
    BodyCatalogue catalogue = MakeBodyCatalogue();
    AddFreeSlotBody(catalogue, "eros");
    AddFreeSlotBody(catalogue, "sedna");
    SelectionFlags flags;
    for (int slot : {1, 4, 13, 18, 19, 20, 22}) flags.setNatal(slot, true);
    for (int slot : {2, 11, 19, 21}) flags.setTransit(slot, true);
    std::filesystem::path file = folder.path() / "group5.cru";
    ASSERT_TRUE(WriteGroupFile(file, flags, catalogue, messages));
    auto read = ReadGroupFile(file, GroupKind::Crucial, 5, catalogue, messages);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->flags, flags);
    std::string first;
    ASSERT_TRUE(ReadWholeFile(file, first));
    EXPECT_EQ(GroupText(read->flags, catalogue), first);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace quintaro
