// SPDX-License-Identifier: AGPL-3.0-or-later
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "cli_run.h"
#include "temp_folder.h"
#include "trading/price_file.h"

namespace quintaro {
namespace {

class PivotsCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        std::ofstream(file, std::ios::binary) << "20240305,110,100,105,101,5000,120\n"
                                                 "20240306,12.5,11,11.3,12,6000,\n";
    }
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), "pivots");
        return test::RunCli(folder.path(), args);
    }
    std::string Bytes() const {
        std::string bytes;
        ReadWholeFile(file, bytes);
        return bytes;
    }
    test::TempFolder folder;
    std::string file = (folder.path() / "es.prn").string();
};

TEST_F(PivotsCommand, LastDayByDefault) {
    auto r = Run({file});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Current file = es.prn\n"
              "Last date in es.prn = 06 Mar 2024\n"
              "Data Point # 1  03/06/2024  high 12.5  low 11  close 11.3\n"
              "Pivot           11.60\nR1              12.20\nR2              13.10\n"
              "S1              10.70\nS2              10.10\nBreakout        15.20\n"
              "Breakdown        7.70\n");
}

TEST_F(PivotsCommand, ChosenDayAsJson) {
    for (auto args : std::vector<std::vector<std::string>>{
             {file, "--row", "0", "--json"}, {file, "--date", "2024-03-05", "--json"}}) {
        auto r = Run(args);
        ASSERT_EQ(r.status, 0) << r.err;
        auto j = nlohmann::json::parse(r.out);
        EXPECT_EQ(j["data_point"], 0);
        EXPECT_EQ(j["date"], "2024-03-05");
        EXPECT_EQ(j["levels"]["pivot"], 105.0);
        EXPECT_EQ(j["levels"]["breakout"], 130.0);
        EXPECT_EQ(j["formatted"]["s2"], "95.00");
    }
}

TEST_F(PivotsCommand, ExportOfEveryDayReadsBack) {
    auto csv = (folder.path() / "levels.csv").string();
    ASSERT_EQ(Run({file, "--export", csv, "--all"}).status, 0);
    std::string text;
    ReadWholeFile(csv, text);
    EXPECT_EQ(text,
              "Date,Pivot,R1,R2,S1,S2,Breakout,Breakdown\n"
              "03/05/2024,105.00,110.00,115.00,100.00,95.00,130.00,80.00\n"
              "03/06/2024,11.60,12.20,13.10,10.70,10.10,15.20,7.70\n");
}

TEST_F(PivotsCommand, DaysThatDoNotExistFail) {
    auto row = Run({file, "--row", "2"});
    EXPECT_EQ(row.status, 1);
    EXPECT_EQ(row.err, "error: " + file + " has no data point 2 (0 to 1)\n");
    auto date = Run({file, "--date", "2024-03-07"});
    EXPECT_EQ(date.status, 1);
    EXPECT_EQ(date.err, "error: " + file + " holds no day 2024-03-07\n");
    EXPECT_NE(Run({file, "--row", "0", "--date", "2024-03-05"}).status, 0);
}

TEST_F(PivotsCommand, BadPriceFilesNameTheLine) {
    std::ofstream(file, std::ios::app) << "20240307,1,2\n";
    auto r = Run({file});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "error: es.prn, line 3: too few values: 3 instead of 7\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Run({(folder.path() / "missing.prn").string()}).status, 1);
}

TEST_F(PivotsCommand, AppendAddsOneLine) {
    auto r = Run({"append", file, "--date", "2024-03-07", "--high", "50", "--low", "50", "--close",
                  "47", "--open", "49", "--volume", "100", "--oi", "7"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Appended 03/07/2024 to " + file + "\n");
    EXPECT_EQ(Bytes(),
              "20240305,110,100,105,101,5000,120\n20240306,12.5,11,11.3,12,6000,\n"
              "20240307,50,50,47,49,100,7\n");
    std::string error;
    auto table = LoadPriceFile(file, error);
    ASSERT_TRUE(table) << error;
    EXPECT_EQ(table->rows.back().cells[0], "03/07/2024");
}

TEST_F(PivotsCommand, AppendWithoutTheFirstFiveValuesWritesNothing) {
    std::string before = Bytes();
    auto r = Run({"append", file, "--date", "2024-03-07", "--high", "50", "--low", "50", "--close",
                  "47", "--open", "49"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "error: " + file + ": the volume is not filled in; nothing was written\n");
    EXPECT_NE(Run({"append", file, "--date", "2024-02-30", "--high", "1", "--low", "1", "--close",
                   "1", "--open", "1", "--volume", "1"})
                  .status,
              0);
    EXPECT_NE(Run({"append", file, "--high", "1", "--low", "1", "--close", "1", "--open", "1",
                   "--volume", "1"})
                  .status,
              0);
    EXPECT_EQ(Bytes(), before);
}

}  // namespace
}  // namespace quintaro
