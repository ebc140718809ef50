// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/startup_files.h"

#include <gtest/gtest.h>

#include <fstream>

#include "recording_messages.h"
#include "setup/default_files.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

void Write(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

TEST(MessageTexts, CommentsEmptyLinesAndMarkersAreSkipped) {
    test::TempFolder folder;
    auto file = folder.path() / "errormsg.txt";
    Write(file, "* a comment *\n\n   \n*=?\n  First text  \r\n*not a comment\nlast*\n*\n");
    auto texts = ReadMessageTexts(file);
    ASSERT_TRUE(texts);
    // "*" alone begins and ends with an asterisk: a comment.
    std::vector<std::string> expected = {"First text", "*not a comment", "last*"};
    EXPECT_EQ(*texts, expected);
    EXPECT_FALSE(ReadMessageTexts(folder.path() / "missing.txt"));
}

TEST(MessageTexts, BinaryGarbageAndHugeLinesDoNotHurt) {
    test::TempFolder folder;
    auto file = folder.path() / "errormsg.txt";
    std::string garbage(100000, 'x');
    garbage += std::string("\0\x01\xff\n", 4) + "ok\n";
    Write(file, garbage);
    auto texts = ReadMessageTexts(file);
    ASSERT_TRUE(texts);
    ASSERT_EQ(texts->size(), 2u);
    EXPECT_LE((*texts)[0].size(), 4096u);
    EXPECT_EQ((*texts)[1], "ok");
}

TEST(PrintoutInfo, HeaderLinesAndNoticeBlock) {
    test::TempFolder folder;
    auto file = folder.path() / "infoforprintout.txt";
    Write(file, "one\ntwo\n");
    PrintoutInfo two = ReadPrintoutInfo(file);
    EXPECT_EQ(two.line1, "one");
    EXPECT_EQ(two.line2, "two");
    EXPECT_EQ(two.line3, "");
    EXPECT_EQ(two.notice, "");

    std::string text = "a\nb\nc\n";
    for (int i = 0; i < 250; ++i) text += "n" + std::to_string(i) + "\n";
    Write(file, text);
    PrintoutInfo many = ReadPrintoutInfo(file);
    EXPECT_EQ(many.line3, "c");
    EXPECT_EQ(many.notice.substr(0, 6), "n0\nn1\n");
    EXPECT_EQ(std::count(many.notice.begin(), many.notice.end(), '\n'), 200);

    PrintoutInfo none = ReadPrintoutInfo(folder.path() / "missing.txt");
    EXPECT_EQ(none.line1 + none.line2 + none.line3 + none.notice, "");
}

TEST(FolderLayout, CreatedTwiceWithoutComplaint) {
    test::TempFolder folder;
    CreateFolderLayout(folder.path(), 5);
    CreateFolderLayout(folder.path(), 5);
    for (const char* name : {"aspectarian", "PlanetaryStation", "velmeph", "interps/apex5", "research"})
        EXPECT_TRUE(std::filesystem::is_directory(folder.path() / name)) << name;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "ephems"));
    CreateFolderLayout(folder.path(), 1);
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "ephems" / "loadephems"));
    EXPECT_EQ(EphemerisLoadFolder(1), "\\ephems\\loadephems");
    EXPECT_EQ(EphemerisLoadFolder(5), "\\velmeph");
}

TEST(DefaultFiles, InstalledOnceAndNotBroughtBack) {
    test::TempFolder folder;
    test::RecordingMessages messages;
    auto home = folder.path() / "home";
    ASSERT_TRUE(InstallDefaultFiles(home, messages));
    auto texts = ReadMessageTexts(home / "errormsg.txt");
    ASSERT_TRUE(texts);
    EXPECT_FALSE(texts->empty());
    EXPECT_TRUE(std::filesystem::exists(home / "infoforprintout.txt"));

    std::filesystem::remove(home / "errormsg.txt");
    ASSERT_TRUE(InstallDefaultFiles(home, messages));
    EXPECT_FALSE(std::filesystem::exists(home / "errormsg.txt"));
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace quintaro
