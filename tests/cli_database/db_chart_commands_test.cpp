// SPDX-License-Identifier: AGPL-3.0-or-later
// db chart and db positions, run as a user runs them.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli_run.h"
#include "core/ephemeris_loader.h"
#include "database/apd_file.h"
#include "database/record_layout.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using Json = nlohmann::json;

PersonRecord Person(const char* name, CivilDate born, int hour, int minute, const char* amPm,
                    float zone) {
    PersonRecord r = BlankRecord();
    r.recordKey = "KEY" + std::string(name).substr(0, 4);
    r.primaryName = name;
    r.birthDate = DateToSerial(born);
    r.birthDateForSorting = IsoDateText(born);
    r.birthHour = static_cast<uint8_t>(hour);
    r.birthMinute = static_cast<uint8_t>(minute);
    r.amPm = amPm;
    r.timeZone = zone;
    return r;
}

// A CSV line's values, quotes taken off.
std::vector<std::string> CsvValues(const std::string& line) {
    std::vector<std::string> values(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"')
            values.back() += line[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            values.emplace_back();
        else
            values.back() += c;
    }
    return values;
}

class DbChart : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(GeneratedEphemerisSource() / "ephem000.dat"))
            GTEST_SKIP() << "no generated ephemeris files";
        ApdWriter writer(file);
        writer.add(Person("Quill, Ada", {1990, 7, 15}, 3, 30, "PM", 5));  // 20:30 UT
        writer.add(Person("Ness, Rolf", {1955, 2, 1}, 0, 0, "", 0));      // no time
        writer.add(BlankRecord());                                        // no date
        writer.add(Person("Lark, Ivo", {2020, 10, 31}, 11, 59, "PM", -10));
        ASSERT_EQ(writer.commit(), "");
    }
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", (folder.path() / "home").string(), "db"});
        return test::RunCli(folder.path(), args);
    }
    Json Chart(long number) {
        const test::CliResult r = Run({"chart", file.string(), std::to_string(number), "--json"});
        EXPECT_EQ(r.status, 0) << r.err;
        return Json::parse(r.out, nullptr, false);
    }
    // The CSV table: heading and rows, each split at the commas.
    std::vector<std::vector<std::string>> Table(const std::string& out) {
        std::vector<std::vector<std::string>> table;
        std::stringstream in(out);
        for (std::string line; std::getline(in, line);) table.push_back(CsvValues(line));
        return table;
    }

    test::TempFolder folder;
    std::filesystem::path file = folder.path() / "people.apd";
};

TEST_F(DbChart, ARecordsBirthDataBecomesTheNatalChart) {
    const Json out = Chart(1);
    ASSERT_FALSE(out.is_discarded());
    const double jd = 2448087.5 + 20.5 / 24;
    EXPECT_NEAR(out["record"]["jd"].get<double>(), jd, 1e-6);
    EXPECT_NEAR(out["natal"]["jd"].get<double>(), jd, 1e-6);
    EXPECT_EQ(out["natal"]["name"], "Quill, Ada");
    EXPECT_EQ(out["record"]["noon_assumed"], false);
    EXPECT_FALSE(out["natal"]["bodies"].empty());

    const Json noon = Chart(2);
    EXPECT_EQ(noon["record"]["noon_assumed"], true);
    const std::string notes = noon["record"]["notes"].dump();
    EXPECT_NE(notes.find("no birth time"), std::string::npos) << notes;
    EXPECT_NE(notes.find("home location"), std::string::npos) << notes;

    const test::CliResult text = Run({"chart", file.string(), "4"});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out.rfind("Record 4 of " + file.string() + "\n", 0), 0u) << text.out;
    EXPECT_NE(text.out.find("Natal  Lark, Ivo  2020-10-31"), std::string::npos) << text.out;
}

TEST_F(DbChart, RecordsThatGiveNoChartAreRefused) {
    std::ofstream(folder.path() / "foreign.apd") << std::string(RecordSize, '\x02');
    struct Case {
        std::string file;
        const char* number;
        const char* says;
    };
    const Case cases[] = {
        {file.string(), "5", "5"},
        {file.string(), "0", "0"},
        {file.string(), "3", "no birth date"},
        {(folder.path() / "foreign.apd").string(), "1", "damaged or no person record"},
        {(folder.path() / "absent.apd").string(), "1", "absent.apd"},
    };
    for (const Case& c : cases) {
        const test::CliResult r = Run({"chart", c.file, c.number});
        EXPECT_EQ(r.status, 1) << c.file << " " << c.number;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "") << c.number;
    }
}

// Every row of the table holds what the record's own chart shows; a record without a birth date
// is named on stderr and makes the command fail, the other rows still being written.
TEST_F(DbChart, PositionsTableAgreesWithEachRecordsChart) {
    const test::CliResult r = Run({"positions", file.string(), "--csv"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("record 3 skipped: no birth date"), std::string::npos) << r.err;
    const auto table = Table(r.out);
    ASSERT_EQ(table.size(), 4u) << r.out;  // heading and three records
    const auto& heading = table[0];
    ASSERT_GT(heading.size(), 5u);
    EXPECT_EQ((std::vector<std::string>(heading.begin(), heading.begin() + 5)),
              (std::vector<std::string>{"number", "name", "birth_date", "jd", "sun"}));
    EXPECT_EQ(table[1][1], "Quill, Ada");
    EXPECT_EQ(table[2][2], "1955-02-01");
    EXPECT_EQ(table[3][0], "4");
    for (size_t row = 1; row < table.size(); ++row) ASSERT_EQ(table[row].size(), heading.size());
    // The columns after the fourth are the bodies the JSON form lists, by slot.
    const Json listed =
        Json::parse(Run({"positions", file.string(), "--json"}).out, nullptr, false);
    ASSERT_EQ(listed["bodies"].size() + 4, heading.size()) << listed.dump();
    std::map<int, size_t> columnOfSlot;
    for (size_t k = 0; k < listed["bodies"].size(); ++k) {
        EXPECT_EQ(listed["bodies"][k]["name"], heading[k + 4]);
        columnOfSlot[listed["bodies"][k]["slot"].get<int>()] = k + 4;
    }
    for (size_t row = 1; row < table.size(); ++row) {
        const long number = std::stol(table[row][0]);
        const Json chart = Chart(number);
        EXPECT_NEAR(std::stod(table[row][3]), chart["natal"]["jd"].get<double>(), 1e-6);
        size_t compared = 0;
        for (const Json& body : chart["natal"]["bodies"]) {
            const auto at = columnOfSlot.find(body["slot"].get<int>());
            if (at == columnOfSlot.end()) continue;
            const std::string cell = table[row][at->second];
            ASSERT_FALSE(cell.empty()) << body["name"];
            // The chart keeps single-precision positions: 1e-4 degree covers their rounding.
            EXPECT_NEAR(std::stod(cell), body["geo_long"].get<double>(), 1e-4)
                << "record " << number << " " << body["name"];
            ++compared;
        }
        EXPECT_GE(compared, 10u);
    }
}

TEST_F(DbChart, PositionKindsListTheBodiesOfTheirFrame) {
    const test::CliResult geo = Run({"positions", file.string(), "--kind", "gd", "--json"});
    const test::CliResult helio = Run({"positions", file.string(), "--kind", "hl", "--json"});
    EXPECT_EQ(geo.status, 1);
    EXPECT_EQ(helio.status, 1);
    const Json g = Json::parse(geo.out, nullptr, false), h = Json::parse(helio.out, nullptr, false);
    ASSERT_FALSE(g.is_discarded() || h.is_discarded()) << geo.out << helio.out;
    auto names = [](const Json& out) {
        std::vector<std::string> names;
        for (const Json& body : out["bodies"]) names.push_back(body["name"]);
        return names;
    };
    auto has = [](const std::vector<std::string>& names, const char* name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    EXPECT_TRUE(has(names(g), "sun") && !has(names(g), "earth"));
    EXPECT_TRUE(has(names(h), "earth") && !has(names(h), "sun") && !has(names(h), "moon"));
    ASSERT_EQ(g["rows"].size(), 3u);
    EXPECT_EQ(g["skipped"][0]["number"], 3);
    for (const Json& row : g["rows"])
        for (const Json& value : row["values"]) {
            ASSERT_TRUE(value.is_number());
            EXPECT_LE(std::abs(value.get<double>()), 30.0);  // declinations
        }
    for (const Json& row : h["rows"])
        for (const Json& value : row["values"]) {
            ASSERT_TRUE(value.is_number());
            EXPECT_GE(value.get<double>(), 0.0);
            EXPECT_LT(value.get<double>(), 360.0);
        }

    const test::CliResult bad = Run({"positions", file.string(), "--kind", "xyz"});
    EXPECT_NE(bad.status, 0);
    EXPECT_EQ(bad.out, "");
}

}  // namespace
}  // namespace quintaro
