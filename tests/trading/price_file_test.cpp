// SPDX-License-Identifier: AGPL-3.0-or-later
#include "trading/price_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/atomic_file.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

std::string Bytes(const std::filesystem::path& file) {
    std::string bytes;
    ReadWholeFile(file, bytes);
    return bytes;
}

TEST(PriceFile, LinesBecomeRowsWithTheDateAsMonthDayYear) {
    std::string error;
    auto table = ParsePriceFile(
        "20240305, 110.25,100,105,101,5000,120\r\n\r\n"
        "19991231,12.5,11,11.3,12,6000,\n",
        PriceFileKind::Futures, "es.prn", error);
    ASSERT_TRUE(table) << error;
    ASSERT_EQ(table->rows.size(), 2u);
    EXPECT_EQ(table->rows[0].cells, (std::array<std::string, 7>{"03/05/2024", "110.25", "100",
                                                                "105", "101", "5000", "120"}));
    EXPECT_EQ(table->rows[0].high, 110.25);
    EXPECT_EQ(table->rows[0].low, 100);
    EXPECT_EQ(table->rows[0].close, 105);
    EXPECT_EQ(table->rows[1].cells[0], "12/31/1999");
    EXPECT_EQ(table->rows[1].cells[6], "");  // no open interest that day

    auto stock =
        ParsePriceFile("20240305,11,10,10.5,10.2,900", PriceFileKind::Stock, "x.csf", error);
    ASSERT_TRUE(stock) << error;
    EXPECT_EQ(stock->rows[0].cells[5], "900");
    EXPECT_EQ(stock->rows[0].cells[6], "");
}

TEST(PriceFile, BadLinesNameTheFileAndLine) {
    struct Case {
        PriceFileKind kind;
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {PriceFileKind::Futures, "20240305,110,100,105,101,5000,1\n20240306,110,100,105\n",
         "f, line 2: too few values: 4 instead of 7"},
        {PriceFileKind::Stock, "20240305,110,100,105,101,5000,1\n",
         "f, line 1: too many values: 7 instead of 6"},
        {PriceFileKind::Stock, "\n20240230,110,100,105,101,5000\n",
         "f, line 2: the date \"20240230\" is not eight digits yyyymmdd of a calendar date"},
        {PriceFileKind::Stock, "2024035,110,100,105,101,5000\n",
         "f, line 1: the date \"2024035\" is not eight digits yyyymmdd of a calendar date"},
        {PriceFileKind::Stock, "20240305,110,abc,105,101,5000\n",
         "f, line 1: the low \"abc\" is not a number"},
        {PriceFileKind::Stock, "20240305,110,100,,101,5000\n",
         "f, line 1: the close \"\" is not a number"},
        {PriceFileKind::Futures, "20240305,110,100,105,101,5000,x\n",
         "f, line 1: the open interest \"x\" is not a number"},
        {PriceFileKind::Stock, "20240305,110,100,105,101,nan\n",
         "f, line 1: the volume \"nan\" is not a number"},
        {PriceFileKind::Stock, "20240305,1e300,100,105,101,5\n",
         "f, line 1: the high \"1e300\" is not a number"},
        {PriceFileKind::Stock, "20240305,99999999999999999999,100,105,101,5\n",
         "f, line 1: the high \"99999999999999999999\" is too large for a price or volume"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ParsePriceFile(c.text, c.kind, "f", error)) << c.text;
        EXPECT_EQ(error, c.error);
    }
}

TEST(PriceFile, KindFromTheExtension) {
    EXPECT_EQ(PriceFileKindOf("a/b.prn"), PriceFileKind::Futures);
    EXPECT_EQ(PriceFileKindOf("B.CSF"), PriceFileKind::Stock);
    EXPECT_FALSE(PriceFileKindOf("b.csv"));
    std::string error;
    EXPECT_FALSE(LoadPriceFile("prices.txt", error));
    EXPECT_EQ(error, "prices.txt is not a price file (.prn or .csf)");
}

PriceEntry Day() {
    return {"3", "7", "2024", {"110", "100", "105", "101", "5000", ""}};
}

TEST(PriceFile, AppendWritesOneLineInFileOrder) {
    test::TempFolder folder;
    auto prn = folder.path() / "es.prn";
    auto csf = folder.path() / "ibm.csf";
    std::ofstream(prn, std::ios::binary) << "20240306,1,1,1,1,1,1\r\n";
    ASSERT_EQ(CreatePriceFile(csf), "");
    ASSERT_EQ(AppendPriceDay(prn, Day()), "");
    ASSERT_EQ(AppendPriceDay(csf, Day()), "");
    PriceEntry withInterest = Day();
    withInterest.values[5] = "12";
    ASSERT_EQ(AppendPriceDay(prn, withInterest), "");
    EXPECT_EQ(Bytes(prn),
              "20240306,1,1,1,1,1,1\r\n20240307,110,100,105,101,5000,\r\n"
              "20240307,110,100,105,101,5000,12\r\n");
    EXPECT_EQ(Bytes(csf), "20240307,110,100,105,101,5000\n");
    std::string error;
    auto table = LoadPriceFile(prn, error);
    ASSERT_TRUE(table) << error;
    EXPECT_EQ(table->rows.size(), 3u);
}

TEST(PriceFile, IncompleteDaysWriteNothing) {
    test::TempFolder folder;
    auto prn = folder.path() / "es.prn";
    std::ofstream(prn, std::ios::binary) << "20240306,1,1,1,1,1,1";
    for (int i = 0; i < 5; ++i) {
        PriceEntry day = Day();
        day.values[i] = " ";
        EXPECT_NE(AppendPriceDay(prn, day), "") << i;
    }
    PriceEntry badDate = Day();
    badDate.day = "30";
    badDate.month = "2";
    EXPECT_EQ(AppendPriceDay(prn, badDate),
              "the date 2/30/2024 is not a calendar date; nothing was written");
    PriceEntry notANumber = Day();
    notANumber.values[2] = "1o5";
    EXPECT_EQ(AppendPriceDay(prn, notANumber),
              "the close \"1o5\" is not a number; nothing was written");
    PriceEntry interestInStock = Day();
    interestInStock.values[5] = "3";
    EXPECT_NE(AppendPriceDay(folder.path() / "x.csf", interestInStock), "");
    EXPECT_NE(AppendPriceDay(folder.path() / "missing.prn", Day()), "");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "missing.prn"));
    EXPECT_EQ(Bytes(prn), "20240306,1,1,1,1,1,1");
    EXPECT_NE(CreatePriceFile(prn), "");  // never replaces a file
    EXPECT_EQ(Bytes(prn), "20240306,1,1,1,1,1,1");
}

}  // namespace
}  // namespace quintaro
