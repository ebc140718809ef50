// SPDX-License-Identifier: AGPL-3.0-or-later
// The import text rules, and what an import that cannot finish leaves behind.
#include "interps/text_import.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "interps/string_map.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::TempFolder;

std::vector<ImportEntry> EntriesOf(std::string_view text, ImportResult* result = nullptr) {
    std::vector<ImportEntry> entries;
    ImportResult got = ReadImportText(text, [&entries](const ImportEntry& entry) {
        entries.push_back(entry);
        return std::string();
    });
    if (result) *result = got;
    return entries;
}

struct RuleCase {
    const char* rule;
    std::string text;
    std::vector<std::pair<std::string, std::string>> entries;  // key, text
};

TEST(TextImport, EntriesFollowTheKeyLineRules) {
    const std::vector<RuleCase> cases = {
        {"lines before the first key line are not read",
         "Title line\nsun_ven_flowing is not a key\n\n#a\none\n",
         {{"a", "one"}}},
        {"a '#' that does not start the line is text",
         " #a\nx\n#b\ny\n#c\n  #d\n",
         {{"b", "y"}, {"c", "  #d"}}},
        {"the key is trimmed and loses one trailing ':'",
         "#  sun_ven_flowing:  \ntext\n",
         {{"sun_ven_flowing", "text"}}},
        {"only one ':' goes", "#key::\ntext\n", {{"key:", "text"}}},
        {"a ':' before blanks stays with the blank", "#key :\ntext\n", {{"key ", "text"}}},
        {"text lines are joined with CR LF",
         "#k\nfirst\n  second\nthird\n",
         {{"k", "first\r\n  second\r\nthird"}}},
        {"trailing breaks, tabs and blanks go, leading ones stay",
         "#k\n\n  text \t\n\n \t\n#next\n",
         {{"k", "\r\n  text"}, {"next", ""}}},
        {"inner blank lines stay", "#k\none\n\ntwo\n", {{"k", "one\r\n\r\ntwo"}}},
        {"CR LF line ends read as LF ones", "#k:\r\none\r\ntwo\r\n", {{"k", "one\r\ntwo"}}},
        {"the last line needs no line end", "#k\nlast", {{"k", "last"}}},
        {"a key line at the very end has an empty text", "#a\nx\n#b", {{"a", "x"}, {"b", ""}}},
        {"'!' keys are skipped", "#!draft\nnot yet\n#kept\nyes\n#!\n", {{"kept", "yes"}}},
        {"a '!' inside a key is kept", "#a!b\nz\n", {{"a!b", "z"}}},
        {"a bare '#' opens an entry with an empty key", "#\nz\n#:\ny\n", {{"", "z"}, {"", "y"}}},
        {"an empty file has no entries", "", {}},
        {"a file without key lines has no entries", "just\ntext\n", {}},
    };
    for (const RuleCase& c : cases) {
        std::vector<std::pair<std::string, std::string>> got;
        for (const ImportEntry& entry : EntriesOf(c.text)) got.emplace_back(entry.key, entry.text);
        EXPECT_EQ(got, c.entries) << c.rule;
    }
}

TEST(TextImport, SkippedEntriesAreCountedAndKeyLinesNumbered) {
    ImportResult result;
    const auto entries = EntriesOf("intro\n#!x\ny\n#a\nb\nc\n#d\n", &result);
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(result.stored, 2);
    EXPECT_EQ(result.skipped, 1);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].line, 4);
    EXPECT_EQ(entries[1].line, 7);
}

TEST(TextImport, AZeroByteStopsTheImportAfterTheEntriesBeforeIt) {
    ImportResult result;
    const std::string text = std::string("#a\none\n#b\ntw") + '\0' + "o\n#c\nthree\n";
    const auto entries = EntriesOf(text, &result);
    EXPECT_FALSE(result.complete);
    EXPECT_EQ(result.stopLine, 4);
    EXPECT_EQ(result.stored, 2);  // b ends where the damage starts
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].text, "");
    EXPECT_EQ(ImportStopMessage(result, "texts.txt"),
              "Stopped at line 4 of 'texts.txt': the line holds a zero byte; this is not a text "
              "file (2 entries stored before it)");
}

TEST(TextImport, ARefusedEntryStopsTheImportAtItsKeyLine) {
    int offered = 0;
    ImportResult result = ReadImportText("#a\n1\n#b\n2\n#c\n3\n", [&offered](const ImportEntry& e) {
        ++offered;
        return e.key == "b" ? std::string("no room") : std::string();
    });
    EXPECT_EQ(offered, 2);
    EXPECT_FALSE(result.complete);
    EXPECT_EQ(result.stopLine, 3);
    EXPECT_EQ(result.stored, 1);
    EXPECT_EQ(result.problem, "no room");
    EXPECT_EQ(ImportStopMessage(ImportResult{}, "x"), "");
}

TEST(TextImport, ImportAsciiStoresWhatItCanAndSaysWhereItStopped) {
    TempFolder folder;
    const auto path = folder.path() / "texts.txt";
    {
        std::ofstream out(path, std::ios::binary);
        out << "Texts for testing\n#Sun_Ven_Flowing:\nEasy warmth.  \n#sun_ven_flowing\nEASY "
               "WARMTH.\n#\nUnder the empty key.\n#long\n"
            << std::string(40000, 'w') << "\n#late\nx\n";
    }
    StringMap store;
    const ImportResult result = store.ImportAscii(path);
    EXPECT_FALSE(result.complete);
    EXPECT_EQ(result.stopLine, 8);
    EXPECT_EQ(result.stored, 3);
    EXPECT_EQ(result.problem, "the text of 'long' is longer than 32767 characters");
    EXPECT_EQ(store.Count(), 2);
    EXPECT_EQ(store.GetAt("SUN_VEN_FLOWING"), "Easy warmth.");
    EXPECT_EQ(store.GetAt(""), "Under the empty key.");
    EXPECT_FALSE(store.Lookup("late"));

    const ImportResult missing = store.ImportAscii(folder.path() / "missing.txt");
    EXPECT_FALSE(missing.complete);
    EXPECT_EQ(missing.stopLine, 0);
    EXPECT_NE(ImportStopMessage(missing, "missing.txt").find("cannot read the file"),
              std::string::npos);
}

}  // namespace
}  // namespace quintaro
