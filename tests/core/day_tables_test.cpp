// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/day_tables.h"

#include <gtest/gtest.h>

#include <fstream>

#include "day_table_files.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::TempFolder;

struct GoodText {
    const char* name;
    std::string text;
    std::vector<float> expected;
};

class ParseGood : public ::testing::TestWithParam<GoodText> {};

TEST_P(ParseGood, ReadsTheNumbers) {
    const GoodText& c = GetParam();
    std::vector<float> out;
    EXPECT_EQ(ParseDayTable(c.text, c.expected.size(), out), "");
    EXPECT_EQ(out, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Separators, ParseGood,
    ::testing::Values(GoodText{"Commas", "1,2.5,-3", {1, 2.5f, -3}},
                      GoodText{"LineEnds", "1\n2.5\n-3\n", {1, 2.5f, -3}},
                      GoodText{"WindowsLineEnds", "1\r\n2.5\r\n-3\r\n", {1, 2.5f, -3}},
                      GoodText{"MixedWithBlanks", " 1 ,\t2.5\n -3", {1, 2.5f, -3}},
                      GoodText{"CommaEndingLines", "1,\n2.5,\n-3,\n", {1, 2.5f, -3}},
                      GoodText{"BlankLines", "1\n\n2.5\n\n\n-3", {1, 2.5f, -3}},
                      GoodText{"SignsAndExponents", "+1,2.5e0,-0.3E1", {1, 2.5f, -3}},
                      GoodText{"ExtraNumbersIgnored", "1,2.5,-3,4,5", {1, 2.5f, -3}},
                      GoodText{"NoFinalLineEnd", "359.9999", {359.9999f}},
                      GoodText{"ByteOrderMark",
                               "\xEF\xBB\xBF"
                               "7\n8",
                               {7, 8}}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadText {
    const char* name;
    std::string text;
    std::size_t count;
    std::string error;
};

class ParseBad : public ::testing::TestWithParam<BadText> {};

TEST_P(ParseBad, SaysWhatIsWrong) {
    const BadText& c = GetParam();
    std::vector<float> out;
    EXPECT_EQ(ParseDayTable(c.text, c.count, out), c.error);
}

INSTANTIATE_TEST_SUITE_P(
    Damage, ParseBad,
    ::testing::Values(BadText{"TooFew", "1\n2\n", 3, "holds only 2 of the 3 numbers"},
                      BadText{"Empty", "", 1, "holds only 0 of the 1 numbers"},
                      BadText{"OnlySeparators", ",\n \n", 2, "holds only 0 of the 2 numbers"},
                      BadText{"Word", "1\n2\nabc\n", 3, "line 3: \"abc\" is not a number"},
                      BadText{"NumberWithTail", "1,2x,3", 3, "line 1: \"2x\" is not a number"},
                      BadText{"TwoPoints", "1.5.5", 1, "line 1: \"1.5.5\" is not a number"},
                      BadText{"Hexadecimal", "0x1F", 1, "line 1: \"0x1F\" is not a number"},
                      BadText{"NotANumber", "1\nnan", 2, "line 2: \"nan\" is not a number"},
                      BadText{"Infinity", "inf", 1, "line 1: \"inf\" is not a number"},
                      BadText{"TooLargeForASingle", "1e50", 1, "line 1: \"1e50\" is out of range"},
                      BadText{"EmptyField", "1,,2,3", 3, "line 1: empty field between two commas"},
                      BadText{"DoubleSign", "+-5", 1, "line 1: \"+-5\" is not a number"},
                      BadText{"LoneMinus", "-", 1, "line 1: \"-\" is not a number"},
                      BadText{"ControlCharacters", "1\n\x01\x02", 2,
                              "line 2: \"??\" is not a number"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseDayTable, LongWordsAreCutInTheMessage) {
    std::vector<float> out;
    std::string error = ParseDayTable(std::string(200, 'z'), 1, out);
    EXPECT_EQ(error, "line 1: \"" + std::string(24, 'z') + "\" is not a number");
}

TEST(DayTableFileName, BuildsTheEightNames) {
    EXPECT_EQ(DayTableFileName("pholus", DayKind::GeoLong, DayPeriod::From1900), "pholus1900l.eph");
    EXPECT_EQ(DayTableFileName("pholus", DayKind::GeoDecl, DayPeriod::From1900), "pholus1900d.eph");
    EXPECT_EQ(DayTableFileName("hjp", DayKind::HelioLong, DayPeriod::From1750), "hjp1750h.eph");
    EXPECT_EQ(DayTableFileName("hjp", DayKind::HelioLat, DayPeriod::From1750), "hjp1750lat.eph");
}

TEST(DayTables, NothingLoadedTakesNoMemoryAndReadsZero) {
    DayTables tables;
    EXPECT_EQ(tables.MemoryBytes(), 0u);
    EXPECT_EQ(tables.Row(21, DayKind::GeoLong), nullptr);
    EXPECT_EQ(tables.At(21, DayKind::GeoLong, 60000), 0.0f);
    EXPECT_FALSE(tables.Loaded(21));
}

TEST(DayTables, StoreOutsideTheTablesIsIgnored) {
    DayTables tables;
    std::vector<float> days = {1, 2, 3};
    tables.Store(0, DayKind::GeoLong, 0, days);
    tables.Store(54, DayKind::GeoLong, 0, days);
    tables.Store(21, DayKind::GeoLong, DayTableLength, days);
    EXPECT_EQ(tables.MemoryBytes(), 0u);
    tables.Store(21, DayKind::GeoLong, DayTableLength - 1, days);  // only the first fits
    EXPECT_EQ(tables.At(21, DayKind::GeoLong, DayTableLength - 1), 1.0f);
    EXPECT_EQ(tables.At(21, DayKind::GeoLong, DayTableLength), 0.0f);
}

TEST(LoadBodyDayTables, Records1900FillDaysFrom54786) {
    TempFolder folder;
    test::WriteBodyTables(folder.path(), "pholus", DayPeriod::From1900, test::DistinctValue);
    DayTables tables;
    ASSERT_EQ(LoadBodyDayTables(folder.path(), "pholus", 23, DayPeriod::From1900, tables), "");
    EXPECT_TRUE(tables.has1900[23]);
    EXPECT_FALSE(tables.has1750[23]);
    // Record k is day 54786 + k − 1; the first is 1900-01-01, the last 2050-01-01.
    for (DayKind kind : AllDayKinds) {
        EXPECT_EQ(tables.At(23, kind, Start1900), test::DistinctValue(kind, 1));
        EXPECT_EQ(tables.At(23, kind, Start1900 + 99), test::DistinctValue(kind, 100));
        EXPECT_EQ(tables.At(23, kind, DayTableLength - 1), test::DistinctValue(kind, Count1900));
        EXPECT_EQ(tables.At(23, kind, Start1900 - 1), 0.0f);
    }
    // The first number of the longitude file itself.
    std::ifstream first(folder.path() / "pholus1900l.eph");
    double number = 0;
    first >> number;
    EXPECT_EQ(tables.At(23, DayKind::GeoLong, 54786), static_cast<float>(number));
    // Four full tables of one slot, nothing for the others.
    EXPECT_EQ(tables.MemoryBytes(), 4u * DayTableLength * sizeof(float));
}

TEST(LoadBodyDayTables, Records1750FillDaysFromZero) {
    TempFolder folder;
    test::WriteBodyTables(folder.path(), "eros", DayPeriod::From1750, test::DistinctValue);
    DayTables tables;
    ASSERT_EQ(LoadBodyDayTables(folder.path(), "eros", 21, DayPeriod::From1750, tables), "");
    EXPECT_EQ(tables.At(21, DayKind::HelioLat, 0), test::DistinctValue(DayKind::HelioLat, 1));
    EXPECT_EQ(tables.At(21, DayKind::HelioLat, Start1900 - 1),
              test::DistinctValue(DayKind::HelioLat, Count1750));
    EXPECT_EQ(tables.At(21, DayKind::HelioLat, Start1900), 0.0f);
    EXPECT_TRUE(tables.has1750[21]);
}

TEST(LoadBodyDayTables, FileNamesInOtherLetterCaseAreFound) {
    TempFolder folder;
    test::WriteBodyTables(folder.path(), "Pholus", DayPeriod::From1900, test::DistinctValue);
    std::filesystem::rename(folder.path() / "Pholus1900lat.eph",
                            folder.path() / "PHOLUS1900LAT.EPH");
    DayTables tables;
    EXPECT_EQ(LoadBodyDayTables(folder.path(), "Pholus", 21, DayPeriod::From1900, tables), "");
}

TEST(LoadBodyDayTables, DamagedFileLeavesTheSlotAsItWas) {
    TempFolder folder;
    test::WriteBodyTables(folder.path(), "pholus", DayPeriod::From1900, test::DistinctValue);
    DayTables tables;
    ASSERT_EQ(LoadBodyDayTables(folder.path(), "pholus", 21, DayPeriod::From1900, tables), "");

    // Same body rewritten with other values, but its declination file cut short.
    test::WriteBodyTables(folder.path(), "pholus", DayPeriod::From1900,
                          [](DayKind, int) { return 42.0; });
    const auto declination = folder.path() / "pholus1900d.eph";
    std::filesystem::resize_file(declination, 1000);
    std::string error = LoadBodyDayTables(folder.path(), "pholus", 21, DayPeriod::From1900, tables);
    EXPECT_NE(error.find(declination.string()), std::string::npos) << error;
    EXPECT_NE(error.find("of the 54788 numbers"), std::string::npos) << error;
    EXPECT_EQ(tables.At(21, DayKind::GeoLong, Start1900), test::DistinctValue(DayKind::GeoLong, 1));

    // A word in the heliocentric latitude file of a body never loaded: nothing is taken.
    test::WriteBodyTables(folder.path(), "eros", DayPeriod::From1900,
                          [](DayKind, int) { return 1.0; });
    {
        std::fstream damaged(folder.path() / "eros1900lat.eph",
                             std::ios::in | std::ios::out | std::ios::binary);
        damaged.seekp(9 * 2);  // third line of "1.000000\n"
        damaged << "oops";
    }
    error = LoadBodyDayTables(folder.path(), "eros", 22, DayPeriod::From1900, tables);
    EXPECT_NE(error.find("line 3: \"oops0000\" is not a number"), std::string::npos) << error;
    EXPECT_FALSE(tables.Loaded(22));
    EXPECT_EQ(tables.Row(22, DayKind::GeoLong), nullptr);
}

TEST(LoadBodyDayTables, MissingFileIsNamed) {
    TempFolder folder;
    test::WriteBodyTables(folder.path(), "pholus", DayPeriod::From1900, test::DistinctValue);
    std::filesystem::remove(folder.path() / "pholus1900h.eph");
    DayTables tables;
    std::string error = LoadBodyDayTables(folder.path(), "pholus", 21, DayPeriod::From1900, tables);
    EXPECT_EQ(error, (folder.path() / "pholus1900h.eph").string() + ": file not found");
    EXPECT_FALSE(tables.Loaded(21));
}

TEST(DayTables, ClearFreesTheSlot) {
    TempFolder folder;
    test::WriteBodyTables(folder.path(), "pholus", DayPeriod::From1900, test::DistinctValue);
    DayTables tables;
    ASSERT_EQ(LoadBodyDayTables(folder.path(), "pholus", 21, DayPeriod::From1900, tables), "");
    tables.Clear(21);
    EXPECT_FALSE(tables.Loaded(21));
    EXPECT_EQ(tables.MemoryBytes(), 0u);
}

}  // namespace
}  // namespace quintaro
