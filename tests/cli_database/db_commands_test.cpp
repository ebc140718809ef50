// SPDX-License-Identifier: AGPL-3.0-or-later
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli_run.h"
#include "database/apd_file.h"
#include "database/record_layout.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::RunCli;

const std::string kSamples = std::string(QUINTARO_SOURCE_DIR) + "/data/samples/";

class DbCommand : public ::testing::Test {
  protected:
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), "db");
        return RunCli(folder.path(), args);
    }
    std::string Path(const char* name) const { return (folder.path() / name).string(); }
    std::string Bytes(const char* name) const {
        std::string bytes;
        ReadWholeFile(folder.path() / name, bytes);
        return bytes;
    }
    PersonRecord Record(const char* name, long number) const {
        std::string error;
        auto record = LoadRecord(folder.path() / name, number, error);
        EXPECT_TRUE(record) << error;
        return record ? *record : PersonRecord{};
    }
    // A database of the MLB sample list.
    void ImportMlb() {
        auto r = Run({"import", "mlb", kSamples + "mlb_players.csv", Path("mlb.apd")});
        ASSERT_EQ(r.status, 0) << r.err;
    }
    test::TempFolder folder;
};

TEST_F(DbCommand, CreateWritesBlankRecords) {
    auto r = Run({"create", Path("blank.apd"), "--records", "3"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Created " + Path("blank.apd") + " with 3 blank records\n");
    ASSERT_EQ(Bytes("blank.apd").size(), 3 * RecordSize);
    PersonRecord second = Record("blank.apd", 2);
    EXPECT_EQ(second.recordKey.size(), 16u);
    second.recordKey.clear();
    EXPECT_EQ(second, BlankRecord());
}

TEST_F(DbCommand, CreateRefusesBadCountsAndExistingFiles) {
    for (const char* count : {"0", "100000", "-1", "many"}) {
        auto r = Run({"create", Path("blank.apd"), "--records", count});
        EXPECT_NE(r.status, 0) << count;
        EXPECT_FALSE(std::filesystem::exists(Path("blank.apd"))) << count;
    }
    EXPECT_NE(Run({"create", Path("blank.apd"), "--records", "0"}).err.find("1 to 99999"),
              std::string::npos);
    std::ofstream(Path("old.apd")) << "keep";
    auto r = Run({"create", Path("old.apd"), "--records", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "error: " + Path("old.apd") + " exists; give --force to replace it\n");
    EXPECT_EQ(Bytes("old.apd"), "keep");
    EXPECT_EQ(Run({"create", Path("old.apd"), "--records", "1", "--force"}).status, 0);
    EXPECT_EQ(Bytes("old.apd").size(), RecordSize);
}

TEST_F(DbCommand, ImportEverySampleList) {
    struct Case {
        const char* kind;
        const char* file;
        const char* records;
        const char* title;
    };
    const Case cases[] = {
        {"mlb", "mlb_players.csv", "5", "MLB"},      {"nba", "nba_players.csv", "4", "NBA"},
        {"nfl", "nfl_players.csv", "4", "NFL"},      {"nhl", "nhl_players.csv", "4", "NHL"},
        {"pitchers", "bb_pitchers.csv", "4", "BBP"}, {"ftd", "first_trade_dates.csv", "4", "FTD"}};
    for (const Case& c : cases) {
        auto r = Run({"import", c.kind, kSamples + c.file, Path("list.apd"), "--force"});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, std::string("Imported ") + c.records + " records from " + kSamples +
                             c.file + " into " + Path("list.apd") + "\n");
        EXPECT_EQ(Bytes("list.apd").size(), std::stoul(c.records) * RecordSize);
        EXPECT_EQ(Record("list.apd", 1).emails[3].text, c.title);
    }
}

TEST_F(DbCommand, ImportStopsAtABadLineAndKeepsTheRecordsBefore) {
    std::ofstream(Path("bad.csv")) << "Name,Birth date,Team,Number,Position,Weight,Bats/Throws\n"
                                      "Ann Lee,1/2/1990,T,1,P,200,R/R\n"
                                      "Bo Dee,3/4/1991,T,2,P,200,R/R\n"
                                      "Cy Fox,2/30/1990,T,3,P,200,R/R\n";
    auto r = Run({"import", "mlb", Path("bad.csv"), Path("bad.apd")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "Imported 2 records from " + Path("bad.csv") + " into " + Path("bad.apd") + "\n");
    EXPECT_NE(r.err.find("error: Error in reading specified data file: Your data file has errors"),
              std::string::npos);
    EXPECT_NE(r.err.find("bad.csv, line 4: the Birth date: the date \"2/30/1990\" is not a "
                         "calendar date."),
              std::string::npos);
    EXPECT_NE(r.err.find("ID = 2\nName = Dee, Bo\nBirthdate = 03/04/1991"), std::string::npos);
    EXPECT_NE(r.err.find("The current bad record is:\nCy Fox,2/30/1990"), std::string::npos);
    EXPECT_EQ(Bytes("bad.apd").size(), 2 * RecordSize);
    EXPECT_EQ(Record("bad.apd", 2).primaryName, "Dee, Bo");
}

TEST_F(DbCommand, ImportOfAnUnknownListOrMissingFileFails) {
    EXPECT_NE(Run({"import", "cricket", kSamples + "mlb_players.csv", Path("x.apd")}).status, 0);
    auto r = Run({"import", "nba", Path("missing.csv"), Path("x.apd")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("missing.csv"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Path("x.apd")));
}

TEST_F(DbCommand, ListInTheThreeOrdersAndFormats) {
    ImportMlb();
    auto text = Run({"list", Path("mlb.apd")});
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.out, Path("mlb.apd") +
                            " - 5 records\n"
                            "     1  1994-04-12  Feldcastle, Orrin\n"
                            "     2  1991-11-03  Quenby, Tavish\n"
                            "     3  1996-07-30  Marrow-Lyle, Benedek\n"
                            "     4              Dree, Caspian\n"
                            "     5  1992-02-29  \"Ulli\" Vantongren, Ulrich\n");

    auto json = Run({"list", Path("mlb.apd"), "--sort", "name", "--json"});
    ASSERT_EQ(json.status, 0);
    auto parsed = nlohmann::json::parse(json.out);
    EXPECT_EQ(parsed["records"], 5);
    std::vector<int> order;
    for (const auto& p : parsed["people"]) order.push_back(p["number"]);
    EXPECT_EQ(order, (std::vector<int>{5, 4, 1, 3, 2}));
    EXPECT_EQ(parsed["people"][1]["birth_date"], nullptr);
    EXPECT_EQ(parsed["people"][2]["birth_date"], "1994-04-12");

    auto csv = Run({"list", Path("mlb.apd"), "--sort", "date", "--csv"});
    ASSERT_EQ(csv.status, 0);
    std::istringstream lines(csv.out);
    std::string line;
    std::vector<std::string> firstCells;
    while (std::getline(lines, line)) firstCells.push_back(line.substr(0, line.find(',')));
    EXPECT_EQ(firstCells, (std::vector<std::string>{"number", "2", "5", "1", "3", "4"}));
    EXPECT_NE(csv.out.find("\n2,\"Quenby, Tavish\",Tavish,Quenby,1991-11-03,2,"),
              std::string::npos);
}

TEST_F(DbCommand, DamagedAndForeignFilesAreNamedAndFail) {
    ImportMlb();
    std::string bytes = Bytes("mlb.apd");
    std::ofstream(Path("short.apd"), std::ios::binary) << bytes.substr(0, RecordSize - 1);
    auto shortList = Run({"list", Path("short.apd")});
    EXPECT_EQ(shortList.status, 1);
    EXPECT_EQ(shortList.out, Path("short.apd") + " - 0 records\n");
    EXPECT_EQ(shortList.err, "error: " + Path("short.apd") +
                                 ": the last 9348 bytes make no whole record of 9349 bytes; the "
                                 "file is damaged\n");

    std::string foreign(2 * RecordSize, '\0');
    for (size_t i = 0; i < foreign.size(); ++i) foreign[i] = static_cast<char>(i % 251);
    std::ofstream(Path("foreign.apd"), std::ios::binary) << foreign;
    for (auto args : std::vector<std::vector<std::string>>{{"list", Path("foreign.apd")},
                                                           {"show", Path("foreign.apd"), "2"},
                                                           {"search", Path("foreign.apd"), "a"}}) {
        auto r = Run(args);
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_NE(r.err.find(Path("foreign.apd") + ": record "), std::string::npos) << r.err;
    }
    EXPECT_EQ(Bytes("foreign.apd"), foreign);
}

TEST_F(DbCommand, ShowOneRecord) {
    ImportMlb();
    auto json = Run({"show", Path("mlb.apd"), "2", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    auto r = nlohmann::json::parse(json.out);
    EXPECT_EQ(r["number"], 2);
    EXPECT_EQ(r["primary_name"], "Quenby, Tavish");
    EXPECT_EQ(r["birth_date"], "1991-11-03");
    EXPECT_EQ(r["birth_hour"], 12);
    EXPECT_EQ(r["am_pm"], "PM");
    EXPECT_EQ(r["time_zone"], 6.0);
    EXPECT_EQ(r["historical_data"][4]["comment"], "Bats/Throws");
    EXPECT_EQ(r["historical_data"][4]["data"], "L/R");
    auto text = Run({"show", Path("mlb.apd"), "4"});
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("Primary name: Dree, Caspian\n"), std::string::npos);
    EXPECT_EQ(text.out.find("Birth date"), std::string::npos);  // the missing date is not shown
    for (const char* bad : {"0", "6"}) {
        auto out = Run({"show", Path("mlb.apd"), bad});
        EXPECT_EQ(out.status, 1);
        EXPECT_EQ(out.err, "error: " + Path("mlb.apd") + ": record " + bad +
                               " is not in 1 to 5 (the file holds 5 records)\n");
    }
}

TEST_F(DbCommand, SearchNames) {
    ImportMlb();
    auto found = Run({"search", Path("mlb.apd"), "AN"});
    EXPECT_EQ(found.status, 0);
    EXPECT_EQ(found.out,
              "Search found 2 items\n     4  Dree, Caspian\n     5  \"Ulli\" Vantongren, Ulrich\n");
    EXPECT_EQ(Run({"search", Path("mlb.apd"), "Zebra"}).out, "No items found.\n");
}

TEST_F(DbCommand, SubsetCopiesRecordsUnchanged) {
    ImportMlb();
    std::string bytes = Bytes("mlb.apd");
    auto r = Run({"subset", Path("mlb.apd"), "--records", "3,1", "--out", Path("sub.apd")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Bytes("sub.apd"),
              bytes.substr(2 * RecordSize, RecordSize) + bytes.substr(0, RecordSize));
    auto bad = Run({"subset", Path("mlb.apd"), "--records", "3,9", "--out", Path("bad.apd")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "error: " + Path("mlb.apd") + ": record 9 is not in 1 to 5\n");
    EXPECT_FALSE(std::filesystem::exists(Path("bad.apd")));
    auto self =
        Run({"subset", Path("mlb.apd"), "--records", "1", "--out", Path("mlb.apd"), "--force"});
    EXPECT_EQ(self.status, 1);
    EXPECT_EQ(Bytes("mlb.apd"), bytes);
}

}  // namespace
}  // namespace quintaro
