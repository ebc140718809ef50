// SPDX-License-Identifier: AGPL-3.0-or-later
// The committed interpretation texts: one readable paragraph for every key the reports use, each
// about the bodies and the aspect family its key names.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <sstream>

#include "interps/interpretation_keys.h"
#include "interps/string_map.h"

namespace quintaro {
namespace {

const std::filesystem::path TextFolder =
    std::filesystem::path(QUINTARO_SOURCE_DIR) / "data/interps";

// How the paragraphs write each body.
const std::map<std::string, std::string> BodyNames = {
    {"sun", "Sun"},        {"mer", "Mercury"},   {"ven", "Venus"},    {"moo", "Moon"},
    {"mar", "Mars"},       {"jup", "Jupiter"},   {"sat", "Saturn"},   {"ura", "Uranus"},
    {"nep", "Neptune"},    {"plu", "Pluto"},     {"ear", "Earth"},    {"chi", "Chiron"},
    {"nod", "North Node"}, {"cer", "Ceres"},     {"pal", "Pallas"},   {"ves", "Vesta"},
    {"jun", "Juno"},       {"asc", "Ascendant"}, {"mc", "Midheaven"}, {"par", "Part of Fortune"},
    {"ver", "Vertex"}};

// Words that tell the family in the first sentence.
const std::map<std::string, std::vector<std::string>> FamilyWords = {
    {"conjunction", {"conjunct", "falls on", "same place"}},
    {"flowing", {"flowing"}},
    {"challenging", {"challenging"}},
    {"minor", {"minor"}},
    {"parallel", {"parallel"}},
    {"synch", {"same degree"}}};

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
    return parts;
}

std::string FirstSentence(const std::string& text) {
    return text.substr(0, text.find(". ") + 1);
}

// Faults a reader would notice; empty when the paragraph reads cleanly.
std::string Faults(const std::string& text) {
    if (text.size() < 150 || text.size() > 1000) return "length " + std::to_string(text.size());
    if (!std::isupper(static_cast<unsigned char>(text.front())) || text.back() != '.')
        return "not a paragraph";
    for (char c : text) {
        if (c < 0x20 || c > 0x7e) return "a character outside plain text";
    }
    if (text.find("  ") != std::string::npos) return "a double blank";
    const auto words = Split(text, ' ');
    for (std::size_t i = 1; i < words.size(); ++i) {
        if (words[i - 1].back() == '.' && !std::isupper(static_cast<unsigned char>(words[i][0])))
            return "a sentence starting in small letters: " + words[i];
        std::string a = words[i - 1], b = words[i];
        for (char& c : a) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (char& c : b) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (a == b) return "the word '" + a + "' twice";
    }
    return {};
}

TEST(InterpretationTexts, EveryStoreHasExactlyTheParagraphsItsReportsAskFor) {
    for (ReportMode mode : AllReportModes) {
        const std::string name(StoreName(mode));
        StringMap store;
        const ImportResult result = store.ImportAscii(TextFolder / (name + ".txt"));
        EXPECT_TRUE(result.complete) << ImportStopMessage(result, name);
        EXPECT_EQ(result.skipped, 0) << name;
        const auto required = RequiredStoreKeys(mode);
        EXPECT_EQ(result.stored, static_cast<int>(required.size())) << name;
        const auto keys = store.Keys();
        EXPECT_EQ(std::set<std::string>(keys.begin(), keys.end()),
                  std::set<std::string>(required.begin(), required.end()))
            << name;
    }
}

TEST(InterpretationTexts, EveryParagraphReadsCleanlyAndIsUnique) {
    std::map<std::string, std::string> seen;  // text → where
    int paragraphs = 0;
    for (ReportMode mode : AllReportModes) {
        const std::string name(StoreName(mode));
        StringMap store;
        store.ImportAscii(TextFolder / (name + ".txt"));
        for (const std::string& key : store.Keys()) {
            const std::string text = store.GetAt(key);
            const std::string where = name + " " + key;
            ++paragraphs;
            EXPECT_EQ(Faults(text), "") << where << ": " << text;
            const auto [previous, fresh] = seen.emplace(text, where);
            EXPECT_TRUE(fresh) << where << " repeats " << previous->second;
        }
    }
    EXPECT_GT(paragraphs, 10000);
}

TEST(InterpretationTexts, EachParagraphNamesTheBodiesAndFamilyOfItsKey) {
    for (ReportMode mode : AllReportModes) {
        const std::string name(StoreName(mode));
        StringMap store;
        store.ImportAscii(TextFolder / (name + ".txt"));
        for (const std::string& key : store.Keys()) {
            const auto parts = Split(key, '_');
            ASSERT_EQ(parts.size(), 3u) << key;
            const std::string first = FirstSentence(store.GetAt(key));
            const std::string where = name + " " + key + ": " + first;
            for (int i : {0, 1}) {
                EXPECT_NE(first.find(BodyNames.at(parts[i])), std::string::npos) << where;
            }
            const auto& words = FamilyWords.at(parts[2]);
            EXPECT_TRUE(std::any_of(words.begin(), words.end(), [&first](const std::string& w) {
                return first.find(w) != std::string::npos;
            })) << where;
            if (IsTransitMode(mode)) {
                // The transit body leads: "Transiting Mars ..." or "The transiting Sun ...".
                EXPECT_NE(first.find("ransiting " + BodyNames.at(parts[0])), std::string::npos)
                    << where;
            }
        }
    }
}

}  // namespace
}  // namespace quintaro
