// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/options_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/atomic_file.h"
#include "recording_messages.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::RecordingMessages;
using test::TempFolder;

Options ReadOverDefaults(const std::string& text) {
    RecordingMessages messages;
    Options options = DefaultOptions();
    ReadOptionsText(text, options, messages);
    EXPECT_TRUE(messages.shown.empty());
    return options;
}

TEST(OptionsFile, DefaultHomeLocationIsEntries18To24) {
    HomeLocation home = HomeLocationOf(DefaultOptions());
    EXPECT_EQ(home.zone, 5);
    EXPECT_EQ(home.longitude.angle.units, 73);
    EXPECT_EQ(home.longitude.angle.minutes, 59);
    EXPECT_EQ(home.longitude.side, EastWest::West);
    EXPECT_EQ(home.latitude.angle.units, 40);
    EXPECT_EQ(home.latitude.angle.minutes, 46);
    EXPECT_EQ(home.latitude.side, NorthSouth::North);
    const auto& e = DefaultOptions().entries;
    for (auto [entry, value] : std::vector<std::pair<int, double>>{
             {1, 0}, {16, 0}, {17, 1}, {30, 58}, {44, 6}, {48, 12}, {57, 79}, {58, 95}, {60, 0}})
        EXPECT_EQ(e[entry], value) << "entry " << entry;
}

// The home location read from a file and stored back gives the same file, byte for byte: zones
// with fractions, both directions, directions written as other numbers than 1 read as East/South.
TEST(OptionsFile, HomeLocationRoundTripsThroughTheFile) {
    const std::vector<std::vector<std::string>> homes = {
        {" 5", " 73", " 59", " 0", " 40", " 46", " 0"},
        {"-10", " 151", " 12", " 1", " 33", " 52", " 1"},
        {"-5.5", " 77", " 12", " 1", " 28", " 36", " 0"},
        {" 3.25", " 0", " 0", " 0", " 0", " 0", " 1"},
    };
    for (const auto& fields : homes) {
        Options written = DefaultOptions();
        std::string text = OptionsText(written);
        std::vector<std::string> lines;
        for (size_t at = 0; at < text.size();) {
            size_t end = text.find('\n', at);
            lines.push_back(text.substr(at, end - at));
            at = end + 1;
        }
        for (size_t k = 0; k < fields.size(); ++k) lines[17 + k] = fields[k];
        std::string file;
        for (const std::string& line : lines) file += line + "\n";

        Options read = ReadOverDefaults(file);
        HomeLocation home = HomeLocationOf(read);
        Options stored = DefaultOptions();
        StoreHomeLocation(home, stored);
        EXPECT_EQ(OptionsText(stored), file) << fields[0];
    }
    Options odd = DefaultOptions();
    odd.entries[21] = 2;
    odd.entries[24] = -1;
    EXPECT_EQ(HomeLocationOf(odd).longitude.side, EastWest::East);
    EXPECT_EQ(HomeLocationOf(odd).latitude.side, NorthSouth::South);
}

TEST(OptionsFile, ASingleLineChangesOnlyEntryOne) {
    Options options = ReadOverDefaults("6\n");
    Options expected = DefaultOptions();
    expected.entries[1] = 6;
    EXPECT_EQ(options.entries, expected.entries);
}

TEST(OptionsFile, OnlyTheLeadingNumberOfTheFirstSevenCharactersCounts) {
    struct Case {
        std::string line;
        double expected;
    };
    const std::vector<Case> cases = {{"1234567890", 1234567},
                                     {" 40.123456", 40.123},
                                     {"12abc", 12},
                                     {"abc", 0},
                                     {"-5", -5},
                                     {"      9", 9},
                                     {"       9", 0},
                                     {"3.5\r", 3.5},
                                     {".25", 0.25},
                                     {"1e3", 1000},
                                     {"\x01\xff", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(ReadOverDefaults(c.line + "\n").entries[1], c.expected) << c.line;
}

TEST(OptionsFile, ReadingStopsAtAnEmptyLine) {
    std::string text;
    for (int i = 0; i < 17; ++i) text += "1\n";
    text += "\n9\n9\n";
    Options options = ReadOverDefaults(text);
    EXPECT_EQ(options.entries[17], 1);
    EXPECT_EQ(options.entries[18], 5);  // the home zone keeps its default
    EXPECT_EQ(options.entries[19], 73);
}

TEST(OptionsFile, LinesAfterTheSixtiethAreIgnored) {
    std::string text;
    for (int i = 1; i <= 70; ++i) text += std::to_string(i) + "\n";
    Options options = ReadOverDefaults(text);
    EXPECT_EQ(options.entries[60], 60);
    EXPECT_EQ(options.entries[18], 18);
}

TEST(OptionsFile, AMissingFileKeepsTheDefaults) {
    TempFolder folder;
    RecordingMessages messages;
    EXPECT_EQ(ReadOptions(folder.path(), messages).entries, DefaultOptions().entries);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(OptionsFile, EachEntryIsWrittenInAtMostSevenCharacters) {
    struct Case {
        double value;
        std::string written;
    };
    const std::vector<Case> cases = {
        {5, " 5"},
        {-5, "-5"},
        {0, " 0"},
        {-0.0, " 0"},
        {40.5, " 40.5"},
        {-0.25, "-0.25"},
        {0.999999, ".999999"},
        {123.456789, "123.457"},
        {1e7, "9999999"},
        {-2e6, "-999999"},
        {0.0000001, " 0"},
        {-12345.678, "-12346"},
    };
    for (const Case& c : cases) {
        Options options;
        options.entries[1] = c.value;
        std::string text = OptionsText(options);
        EXPECT_EQ(text.substr(0, text.find('\n')), c.written) << c.value;
    }
}

TEST(OptionsFile, WriteReadWriteGivesIdenticalBytes) {
    TempFolder folder;
    RecordingMessages messages;
    Options options = DefaultOptions();
    const double values[] = {1.5, -3.25, 0.999999, 123.456789, 1e9, -0.5, 7, 1.0 / 3.0};
    for (int entry = 1; entry <= OptionCount; ++entry)
        options.entries[entry] = values[entry % 8] * entry;
    std::filesystem::path file = folder.path() / "OPTIONS.DAT";
    ASSERT_TRUE(WriteOptionsFile(file, options, messages));
    std::string first, second;
    ASSERT_TRUE(ReadWholeFile(file, first));
    Options read = ReadOptions(folder.path(), messages);
    ASSERT_TRUE(WriteOptionsFile(file, read, messages));
    ASSERT_TRUE(ReadWholeFile(file, second));
    EXPECT_EQ(first, second);
    EXPECT_EQ(read.entries[8], 1.5 * 8);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace quintaro
