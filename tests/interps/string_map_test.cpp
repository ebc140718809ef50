// SPDX-License-Identifier: AGPL-3.0-or-later
// The store's operations: replacing texts, limits, balance, switching kinds, report look-ups.
#include "interps/string_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

#include "recording_messages.h"
#include "store_bytes.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::FileBytes;
using test::RecordingMessages;
using test::StoreBytes;
using test::TempFolder;

std::string KeyNumber(int i) {
    char key[16];
    std::snprintf(key, sizeof key, "key%06d", i);
    return key;
}

TEST(StringMap, ReplacingATextIgnoresChangesOfLetterCaseOnly) {
    StringMap store;
    ASSERT_TRUE(store.SetAt("Sun_Ven_Flowing", "Warm and easy."));
    store.SetIsModified(false);

    ASSERT_TRUE(store.SetAt("SUN_VEN_FLOWING", "WARM AND EASY."));
    EXPECT_FALSE(store.IsModified());
    EXPECT_EQ(store.GetAt("sun_ven_flowing"), "Warm and easy.");
    EXPECT_EQ(store.Count(), 1);

    ASSERT_TRUE(store.SetAt("sun_ven_flowing", "Warm, easy and kind."));
    EXPECT_TRUE(store.IsModified());
    EXPECT_EQ(store.GetAt("Sun_Ven_Flowing"), "Warm, easy and kind.");
    EXPECT_EQ(store.Count(), 1);
    EXPECT_EQ(store.Keys(), std::vector<std::string>{"Sun_Ven_Flowing"});
}

TEST(StringMap, KeysAndTextsKeepToTheSixteenBitLengthFields) {
    StringMap store;
    const std::string longest(32767, 'x'), tooLong(32768, 'x');
    EXPECT_TRUE(store.SetAt(longest, "text"));
    EXPECT_TRUE(store.SetAt("key", longest));
    EXPECT_FALSE(store.SetAt(tooLong, "text"));
    EXPECT_NE(store.LastError().find("key is longer than 32767"), std::string::npos);
    EXPECT_FALSE(store.SetAt("other", tooLong));
    EXPECT_NE(store.LastError().find("text of 'other' is longer"), std::string::npos);
    EXPECT_EQ(store.Count(), 2);
    EXPECT_EQ(store.GetAt("key"), longest);
}

TEST(StringMap, AStoreTakesAMillionKeysAndNoMore) {
    // Written by hand as a chain of sorted keys, which the store balances when it opens.
    TempFolder folder;
    const int count = 1000000;
    StoreBytes bytes;
    bytes.text(std::string("\x01\x00\x53\x4D", 4)).i32(count).i32(0);
    for (int i = 0; i < count; ++i) {
        bytes.plainNode(-1, i + 1 < count ? i + 1 : -1, i - 1, KeyNumber(i), "");
    }
    bytes.writeTo(folder.path() / "full.dat");
    StringMap store;
    ASSERT_TRUE(store.OpenFile(folder.path() / "full.dat"));
    EXPECT_EQ(store.Count(), count);
    EXPECT_EQ(store.Height(), 20);
    EXPECT_FALSE(store.SetAt("one more", "text"));
    EXPECT_NE(store.LastError().find("full"), std::string::npos);
    EXPECT_TRUE(store.SetAt(KeyNumber(17), "a present key may still change"));
    EXPECT_EQ(store.GetAt(KeyNumber(17)), "a present key may still change");
}

TEST(StringMap, InsertingInSortedOrderKeepsTheTreeShallow) {
    for (bool descending : {false, true}) {
        StringMap store;
        const int count = 20000;
        for (int i = 0; i < count; ++i) store.SetAt(KeyNumber(descending ? count - i : i), "t");
        // A weight-balanced tree of 2/3 stays within log base 3/2 of the count.
        EXPECT_LE(store.Height(), static_cast<int>(std::log(count) / std::log(1.5)) + 1);
        store.ReBalance();
        EXPECT_EQ(store.Height(), 15);  // 20000 keys fill 15 levels
        EXPECT_EQ(store.Count(), count);
        EXPECT_TRUE(store.Lookup(KeyNumber(descending ? count : 0)));
        const std::vector<std::string> keys = store.Keys();
        EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
    }
}

// Random keys and texts survive writing and reading in both kinds, and switching between them.
TEST(StringMap, EveryTextSurvivesWritingReadingAndSwitchingKinds) {
    std::mt19937 random(7);
    std::map<std::string, std::string> expected;
    StringMap store;
    for (int i = 0; i < 3000; ++i) {
        std::string key = "k" + std::to_string(random() % 5000);
        std::string text(random() % 60, 'a');
        for (char& c : text) c = static_cast<char>('a' + random() % 26);
        if (i % 7 == 0) text.clear();
        ASSERT_TRUE(store.SetAt(key, text));
        expected[key] = text;
    }
    TempFolder folder;
    auto check = [&](const StringMap& map, const char* stage) {
        ASSERT_EQ(map.Count(), static_cast<int>(expected.size())) << stage;
        for (const auto& [key, text] : expected) ASSERT_EQ(map.GetAt(key), text) << stage << key;
    };
    for (bool indexed : {false, true, false}) {
        store.SetIndexed(indexed);
        check(store, "switched");
        store.SetFileName(folder.path() / "round.dat");
        ASSERT_TRUE(store.WriteFile()) << store.LastError();
        StringMap again;
        ASSERT_TRUE(again.OpenFile(folder.path() / "round.dat")) << again.LastError();
        EXPECT_EQ(again.Indexed(), indexed);
        EXPECT_TRUE(again.LastError().empty());
        check(again, indexed ? "indexed" : "plain");
    }
}

TEST(StringMap, AReplacedTextOfAnIndexedStoreLeavesTheFile) {
    TempFolder folder;
    const auto path = folder.path() / "store.dat";
    StringMap store;
    store.SetIndexed(true);
    store.SetFileName(path);
    store.SetAt("sun_moo_conjunction", "The first version of the text.");
    store.SetAt("sun_ven_flowing", "Unchanged.");
    ASSERT_TRUE(store.WriteFile());
    const auto firstSize = FileBytes(path).size();
    for (int round = 0; round < 5; ++round) {
        store.SetAt("sun_moo_conjunction", "Version " + std::to_string(round) + " of the text.");
        ASSERT_TRUE(store.WriteFile());
    }
    const std::string bytes = FileBytes(path);
    EXPECT_EQ(bytes.find("first version"), std::string::npos);
    EXPECT_EQ(bytes.find("Version 3"), std::string::npos);
    EXPECT_NE(bytes.find("Version 4"), std::string::npos);
    EXPECT_EQ(bytes.size(), firstSize - std::string("The first version").size() +
                                std::string("Version 4").size());
    StringMap again;
    ASSERT_TRUE(again.OpenFile(path));
    EXPECT_EQ(again.GetAt("SUN_MOO_CONJUNCTION"), "Version 4 of the text.");
    EXPECT_EQ(again.GetAt("sun_ven_flowing"), "Unchanged.");
}

TEST(StringMap, ClearEmptiesTheStoreAndMarksItModified) {
    StringMap store;
    store.SetAt("a", "b");
    store.SetIsModified(false);
    store.Clear();
    EXPECT_EQ(store.Count(), 0);
    EXPECT_TRUE(store.IsModified());
    EXPECT_EQ(store.GetAt("a"), "");
    EXPECT_TRUE(store.SetAt("a", "c"));
    EXPECT_EQ(store.GetAt("a"), "c");
}

TEST(StringMap, ReportLookupsFindTheParagraphOfTheAspectsFamily) {
    StringMap store;
    store.SetAt("sun_ven_flowing", "Sun and Venus {flow}.\r\nSecond line");
    store.SetAt("sat_ven_challenging", "Transiting Saturn tests your Venus.");
    RecordingMessages messages;
    EXPECT_EQ(
        store.Interpretation_Decrypt("ven_sun_120", ReportMode::RomanceCompatibility, messages),
        "Sun and Venus {flow}.\r\nSecond line");
    EXPECT_EQ(store.Interpretation_Decrypt_RTF("SUN_VEN_060", ReportMode::NatalRomance, messages),
              "Sun and Venus \\{flow\\}.\\par Second line");
    EXPECT_EQ(store.Interpretation_Decrypt("sat_ven_090", ReportMode::RomanceTransits, messages),
              "Transiting Saturn tests your Venus.");
    // Transit stores keep the order: the transit body first.
    EXPECT_EQ(store.Interpretation_Decrypt("ven_sat_090", ReportMode::RomanceTransits, messages),
              "");
    EXPECT_EQ(store.Interpretation_Decrypt("sun_ven_999", ReportMode::NatalFull, messages), "");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(store.GetAt_Decrypt("sun_ven_flowing"), store.GetAt("sun_ven_flowing"));
    EXPECT_EQ(store.GetAt_Decrypt_RTF("sat_ven_challenging"),
              "Transiting Saturn tests your Venus.");
}

TEST(StringMap, AnEmptyStoreAsksForTheInterpretationFiles) {
    StringMap store;
    RecordingMessages messages;
    EXPECT_EQ(store.Interpretation_Decrypt("sun_ven_120", ReportMode::NatalFull, messages), "");
    EXPECT_EQ(store.Interpretation_Decrypt_RTF("sun_ven_120", ReportMode::NatalFull, messages), "");
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, "Please load interpretation files 8/9 before click here.");
}

TEST(StringMap, RichTextEscapesBracesBackslashesBreaksAndHighBytes) {
    EXPECT_EQ(RtfEscape("a\\b{c}d"), "a\\\\b\\{c\\}d");
    EXPECT_EQ(RtfEscape("one\r\ntwo\nthree\rfour\tfive"),
              "one\\par two\\par three\\par four\\tab five");
    EXPECT_EQ(RtfEscape("caf\xe9"), "caf\\'e9");
}

}  // namespace
}  // namespace quintaro
