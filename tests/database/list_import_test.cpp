// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/list_import.h"

#include <gtest/gtest.h>

#include <fstream>

#include "database/apd_file.h"
#include "recording_messages.h"
#include "sample_records.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

const std::filesystem::path kSamples = std::filesystem::path(QUINTARO_SOURCE_DIR) / "data/samples";

PersonRecord Load(const std::filesystem::path& file, long number) {
    std::string error;
    auto record = LoadRecord(file, number, error);
    EXPECT_TRUE(record) << error;
    return record ? *record : PersonRecord{};
}

// The labelled values of a record as "label=value" texts, up to the first empty label.
std::vector<std::string> Labelled(const PersonRecord& r) {
    std::vector<std::string> values;
    for (const auto& d : r.historicalData) {
        if (d.comment.empty()) break;
        values.push_back(d.comment + "=" + d.data);
    }
    return values;
}

class Import : public ::testing::Test {
  protected:
    ImportOutcome Run(ListKind kind, const std::filesystem::path& list, Progress progress = {}) {
        return ImportList(kind, list, database, messages, SystemRandomUnit(), progress);
    }
    std::filesystem::path Write(const std::string& text) {
        auto list = folder.path() / "list.csv";
        std::ofstream(list, std::ios::binary) << text;
        return list;
    }
    test::TempFolder folder;
    std::filesystem::path database = folder.path() / "new.apd";
    test::RecordingMessages messages;
};

// Each sample list: how many records, and the first line as the record should hold it.
TEST_F(Import, EverySampleListBecomesADatabase) {
    struct Case {
        ListKind kind;
        const char* file;
        long records;
        const char* title;
        const char* primary;
        const char* sortDate;
        std::vector<std::string> labelled;
    };
    const Case cases[] = {
        {ListKind::Mlb,
         "mlb_players.csv",
         5,
         "MLB",
         "Feldcastle, Orrin",
         "1994-04-12",
         {"Team=Harbor City Gulls", "Number=27", "Position=P", "Weight=205", "Bats/Throws=R/R"}},
        {ListKind::Nba,
         "nba_players.csv",
         4,
         "NBA",
         "Pelloway, Idris",
         "1997-06-14",
         {"Team=Lakeshore Comets", "Number=3", "Position=G", "Weight=190",
          "From=Northfield College", "Years in league=5"}},
        {ListKind::Nfl,
         "nfl_players.csv",
         4,
         "NFL",
         "Olumide, Garrick",
         "1996-03-05",
         {"Team=Ironbridge Rams", "Number=54", "Position=LB", "Weight=240",
          "From=Eastvale University", "Years in league=6"}},
        {ListKind::Nhl,
         "nhl_players.csv",
         4,
         "NHL",
         "Brennholt, Aksel",
         "1997-02-08",
         {"Team=Northgate Lynx", "Number=91", "Position=C", "Weight=192"}},
        {ListKind::Pitchers,
         "bb_pitchers.csv",
         4,
         "BBP",
         "Feldcastle, Orrin",
         "1994-04-12",
         {"Game Date=04/03/2023",
          "Team=Harbor City Gulls",
          "Opponent=Pine Valley Owls",
          "IP=6.2",
          "ERA=2.70",
          "K/IP=1.05",
          "H/IP=0.75",
          "BB/IP=0.30",
          "CG=0",
          "Sho=0",
          "GS=1",
          "GF=0",
          "W=1",
          "L=0",
          "Sv=0",
          "H=5",
          "R=2",
          "ER=2",
          "HR=1",
          "BB=2",
          "K=7",
          "HBP=0",
          "BK=0",
          "WP=1"}},
        {ListKind::FirstTradeDates,
         "first_trade_dates.csv",
         4,
         "FTD",
         "Bramblewick Tools Inc.",
         // The label is one character wider than the 15-character comment field.
         "1962-03-15",
         {"First trade dat=03/15/1962"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ImportOutcome outcome = Run(c.kind, kSamples / c.file);
        EXPECT_EQ(outcome.records, c.records);
        EXPECT_EQ(outcome.error, "");
        std::string error;
        EXPECT_EQ(ReadApdSize(database, error)->records, c.records);
        PersonRecord first = Load(database, 1);
        EXPECT_EQ(first.primaryName, c.primary);
        EXPECT_EQ(first.birthDateForSorting, c.sortDate);
        EXPECT_EQ(first.memberNumber, "1");
        EXPECT_EQ(first.recordKey.size(), 16u);
        EXPECT_EQ(first.emails[3].text, c.title);
        EXPECT_EQ(first.emails[4].text, std::string("Imported from ") + c.file);
        EXPECT_EQ(Labelled(first), c.labelled);
        PersonRecord second = Load(database, 2);
        EXPECT_EQ(second.memberNumber, "2");
        EXPECT_EQ(second.emails[3].text, "");
        EXPECT_EQ(second.emails[4].text, "");
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Import, BirthTimeDefaultsOfPlayersAndCompanies) {
    Run(ListKind::Nhl, kSamples / "nhl_players.csv");
    PersonRecord player = Load(database, 2);
    EXPECT_EQ(player.primaryName, "Castonguet, R\u00e9mi");
    EXPECT_EQ(player.firstName, "R\u00e9mi");
    EXPECT_EQ(player.lastName, "Castonguet");
    EXPECT_EQ(player.birthHour, 12);
    EXPECT_EQ(player.birthMinute, 0);
    EXPECT_EQ(player.amPm, "PM");
    EXPECT_EQ(player.timeZone, 6.0f);
    EXPECT_EQ(player.birthDate, DateToSerial({1995, 7, 19}));

    Run(ListKind::FirstTradeDates, kSamples / "first_trade_dates.csv");
    PersonRecord company = Load(database, 3);
    EXPECT_EQ(company.primaryName, "Harrowgate, Lyme & Sons");
    EXPECT_EQ(company.firstName, "");
    EXPECT_EQ(company.lastName, "");
    EXPECT_EQ(company.birthHour, 10);
    EXPECT_EQ(company.amPm, "AM");
    EXPECT_EQ(company.timeZone, 5.0f);
}

TEST_F(Import, EmptyBirthDateGivesTheMissingDate) {
    Run(ListKind::Mlb, kSamples / "mlb_players.csv");
    PersonRecord r = Load(database, 4);
    EXPECT_EQ(r.primaryName, "Dree, Caspian");
    EXPECT_EQ(r.birthDateForSorting, "");
    EXPECT_EQ(r.birthDate, MissingDateSerial);  // 12/31/1899
    EXPECT_EQ(Labelled(r)[1], "Number=00");
    EXPECT_EQ(Load(database, 5).firstName, "Ulrich");  // quoted name with quotes inside
    EXPECT_EQ(Load(database, 5).lastName, "\"Ulli\" Vantongren");
}

TEST_F(Import, RatiosOverNoInningsStayBlank) {
    Run(ListKind::Pitchers, kSamples / "bb_pitchers.csv");
    auto third = Labelled(Load(database, 3));  // 0.1 innings: one out, 4 hits, 2 walks, 0 K
    EXPECT_EQ(third[5], "K/IP=0.00");
    EXPECT_EQ(third[6], "H/IP=12.00");
    EXPECT_EQ(third[7], "BB/IP=6.00");
    auto fourth = Labelled(Load(database, 4));  // 0.0 innings
    EXPECT_EQ(fourth[4], "ERA=");
    EXPECT_EQ(fourth[5], "K/IP=");
    EXPECT_EQ(fourth[6], "H/IP=");
}

TEST(ListLine, BrokenLinesNameTheirFault) {
    const ListDefinition& mlb = ListDefinitionOf(ListKind::Mlb);
    struct Case {
        const char* line;
        const char* error;
    };
    const Case cases[] = {
        {"Orrin Feldcastle,4/12/1994,Gulls,27,P,205",
         "expected 7 values (Name, Birth date, Team, Number, Position, Weight, Bats/Throws), "
         "found 6"},
        {"Orrin Feldcastle,4/12/1994,Gulls,27,P,205,R/R,extra",
         "expected 7 values (Name, Birth date, Team, Number, Position, Weight, Bats/Throws), "
         "found 8"},
        {",4/12/1994,Gulls,27,P,205,R/R", "the Name is empty"},
        {"Orrin Feldcastle,2/30/1990,Gulls,27,P,205,R/R",
         "the Birth date: the date \"2/30/1990\" is not a calendar date"},
        {"Orrin Feldcastle,4/12/1994,Gulls,2x,P,205,R/R",
         "the Number \"2x\" is not a whole number"},
        {"Orrin Feldcastle,4/12/1994,Gulls,27,P,heavy,R/R", "the Weight \"heavy\" is not a number"},
        {"\"Orrin Feldcastle,4/12/1994,Gulls,27,P,205,R/R", "a quoted value is not closed"},
        {"\"Orrin\" Feldcastle,4/12/1994,Gulls,27,P,205,R/R",
         "text follows the closing quote of value 1"},
        {"Orrin\x01"
         "Feldcastle,4/12/1994,Gulls,27,P,205,R/R",
         "the Name holds control characters"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ParseListLine(mlb, c.line, error)) << c.line;
        EXPECT_EQ(error, c.error);
    }
    std::string error;
    const ListDefinition& pitchers = ListDefinitionOf(ListKind::Pitchers);
    EXPECT_FALSE(ParseListLine(
        pitchers, "A B,,4/3/2023,T,O,6.3,2.70,0,0,1,0,1,0,0,5,2,2,1,2,7,0,0,1", error));
    EXPECT_EQ(error, "the IP \"6.3\" is not a number of innings such as 6.2");
    EXPECT_TRUE(ParseListLine(mlb, " Ann Lee , 1990-05-17 ,,,,-1.5,", error)) << error;
}

TEST_F(Import, ABadLineStopsTheImportAndKeepsTheRecordsBefore) {
    auto list = Write(
        "Name,Birth date,Team,Number,Position,Weight,Bats/Throws\n"
        "Orrin Feldcastle,4/12/1994,Gulls,27,P,205,R/R\n"
        "\n"
        "Tavish Quenby,11/3/1991,Gulls,8,SS,182,L/R\n"
        "Caspian Dree,2/30/1990,Owls,00,C,220,R/R\n"
        "Teodor Vail,1/1/1990,Owls,1,C,220,R/R\n");
    ImportOutcome outcome = Run(ListKind::Mlb, list);
    EXPECT_TRUE(outcome.badLine);
    EXPECT_EQ(outcome.records, 2);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Error in reading specified data file");
    EXPECT_EQ(messages.shown[0].text,
              "Your data file has errors, so I cannot continue.\n"
              "list.csv, line 5: the Birth date: the date \"2/30/1990\" is not a calendar date.\n"
              "\nThe last good record was:\nID = 2\nName = Quenby, Tavish\nBirthdate = "
              "11/03/1991\n"
              "\nThe current bad record is:\nCaspian Dree,2/30/1990,Owls,00,C,220,R/R\n"
              "\nThe 2 records before it are kept in new.apd.");
    std::string error;
    EXPECT_EQ(ReadApdSize(database, error)->records, 2);
    EXPECT_EQ(Load(database, 2).primaryName, "Quenby, Tavish");
}

TEST_F(Import, NothingReplacesAnOlderFileWhenNoRecordIsWritten) {
    std::ofstream(database) << "older";
    for (const char* text : {"", "\n\n", "Name,Birth date\n", "Only,one,value\nA B,1/1/1990\n"}) {
        messages.shown.clear();
        ImportOutcome outcome = Run(ListKind::Mlb, Write(text));
        EXPECT_EQ(outcome.records, 0) << text;
        EXPECT_EQ(test::FileBytes(database), "older") << text;
        ASSERT_EQ(messages.shown.size(), 1u);
    }
    EXPECT_NE(messages.shown[0].text.find("(none)"), std::string::npos);
    EXPECT_NE(messages.shown[0].text.find("No database was created."), std::string::npos);
    Run(ListKind::Mlb, folder.path() / "missing.csv");
    EXPECT_EQ(test::FileBytes(database), "older");
}

TEST_F(Import, ProgressCountsTheRecordLinesAndCancelWritesNothing) {
    std::ofstream(database) << "older";
    std::vector<std::pair<long, long>> seen;
    ImportOutcome outcome = Run(ListKind::Nba, kSamples / "nba_players.csv",
                                [&](std::string_view text, long n, long of) {
                                    EXPECT_EQ(text, "Importing nba_players.csv");
                                    seen.emplace_back(n, of);
                                    return n < 3;
                                });
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.records, 0);
    EXPECT_EQ(seen, (std::vector<std::pair<long, long>>{{1, 4}, {2, 4}, {3, 4}}));
    EXPECT_EQ(test::FileBytes(database), "older");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Operation stopped by user");
}

}  // namespace
}  // namespace quintaro
