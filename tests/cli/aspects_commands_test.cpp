// SPDX-License-Identifier: AGPL-3.0-or-later
// aspects and grid: readable lists, exact times or the sentence that none was found, and the
// same rows in JSON and CSV.
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "cli_fixture.h"

namespace quintaro::test {
namespace {

class AspectsCommand : public CliTest {};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST_F(AspectsCommand, TextListsNamesAnglesAndOrbsAsTheGridsRoundThem) {
    const std::string text = Output({"aspects", "--opt", J2000Chart()});
    const auto lines = Lines(text);
    ASSERT_GT(lines.size(), 4u) << text;
    EXPECT_EQ(lines[0],
              "Natal    J2000  2000-01-01  12:00 P.M. (12:00)  zone 0 (UTC)  0°00′ W  51°29′ N");
    EXPECT_EQ(lines[2], "natal–natal aspects in geocentric longitude, orb 3.00°");
    const std::regex row(
        R"(([A-Z][a-z]+( node| of fortune)?) +(\d\d\d) +([a-z-]+) +([A-Z][a-z]+( node| of fortune)?) +(\d\.\d\d)° +(applying|separating)?)");
    for (size_t i = 3; i < lines.size(); ++i) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(lines[i], m, row)) << lines[i];
        const std::map<std::string, std::string> names = {
            {"000", "conjunction"}, {"030", "semi-sextile"}, {"060", "sextile"},
            {"072", "quintile"},    {"090", "square"},       {"120", "trine"},
            {"144", "biquintile"},  {"150", "quincunx"},     {"180", "opposition"}};
        ASSERT_TRUE(names.count(m[3])) << lines[i];
        EXPECT_EQ(names.at(m[3]), m[4]) << lines[i];
        EXPECT_LE(std::stod(m[7]), 3.0) << lines[i];
    }
}

TEST_F(AspectsCommand, DeclinationAspectsShowTheirSymbols) {
    const std::string text = Output({"aspects", "--opt", J2000Chart(), "--kind", "gd"});
    EXPECT_TRUE(Contains(text, "  ∥  parallel  ")) << text;
    EXPECT_TRUE(Contains(text, "  ⋕  contra-parallel  ")) << text;
    EXPECT_TRUE(Contains(text, "orb 1.20°")) << text;
}

// The transit chart of the file is one day after the natal one: the transit Sun was exactly on
// the natal Sun at the natal moment, one day before.
TEST_F(AspectsCommand, ExactTimesInJsonTextAndCsv) {
    auto json = Json({"aspects", "--opt", J2000Chart(), "--pairing", "tn", "--exact"});
    ASSERT_FALSE(json["entries"].empty()) << json.dump();
    const auto& first = json["entries"][0];
    EXPECT_EQ(first["body1_name"], "Sun");
    EXPECT_EQ(first["aspect"], "conjunction");
    EXPECT_EQ(first["angle"], 0);
    EXPECT_EQ(first["body2_name"], "Sun");
    EXPECT_EQ(first["applying"], false);
    EXPECT_EQ(first["days_to_exact"], -1.0);
    EXPECT_EQ(first["exact_local"], "2000-01-01 12:00");
    EXPECT_NEAR(first["orb"].get<double>(), -1.02, 0.01);
    EXPECT_EQ(json["transit"]["date"], "2000-01-02");

    const std::string text =
        Output({"aspects", "--opt", J2000Chart(), "--pairing", "TN", "--exact"});
    EXPECT_TRUE(std::regex_search(
        text,
        std::regex(
            R"(\nSun +000 +conjunction +Sun +1\.02° +separating +1\.00 d ago +2000-01-01 12:00\n)")))
        << text;

    const auto csv =
        Lines(Output({"aspects", "--opt", J2000Chart(), "--pairing", "tn", "--exact", "--csv"}));
    ASSERT_EQ(csv.size(), json["entries"].size() + 1);
    EXPECT_EQ(csv[0],
              "body1,body1_name,code,aspect,angle,body2,body2_name,orb,applying,days_to_exact,"
              "exact_local\r");
    EXPECT_TRUE(csv[1].starts_with("1,Sun,2,conjunction,0,1,Sun,-1.01")) << csv[1];
    EXPECT_TRUE(csv[1].ends_with(",no,-1,2000-01-01 12:00\r")) << csv[1];
}

// Uranus moves too little in the search window to reach the exact quintile of the ascendant.
TEST_F(AspectsCommand, NoExactTimeIsSaidInWordsNeverAsANumber) {
    const std::string text = Output({"aspects", "--opt", J2000Chart(), "--exact"});
    EXPECT_TRUE(std::regex_search(
        text,
        std::regex(
            R"(\nUranus +072 +quintile +Ascendant .* no exact time within the search window\n)")))
        << text;
    const auto raw = Run({"aspects", "--opt", J2000Chart(), "--exact", "--json"}).out;
    auto json = nlohmann::json::parse(raw);
    bool found = false;
    for (const auto& e : json["entries"])
        if (e["body1_name"] == "Uranus" && e["body2_name"] == "Ascendant") {
            found = true;
            EXPECT_TRUE(e["days_to_exact"].is_null());
            EXPECT_TRUE(e["exact_local"].is_null());
        }
    EXPECT_TRUE(found);
    for (const std::string& out : {text, raw}) {
        EXPECT_FALSE(Contains(out, "9999"));
        EXPECT_FALSE(Contains(out, "***"));
    }
    EXPECT_FALSE(std::regex_search(raw, std::regex(R"(\d\.\d{7,})"))) << raw;
}

TEST_F(AspectsCommand, RefusedRequests) {
    ExpectRefused({"aspects", "--pairing", "tt", "--exact"}, "exact times are searched for the nn");
    ExpectRefused({"aspects", "--kind", "xx"}, "--kind");
    ExpectRefused({"aspects", "--json", "--csv"}, "--json and --csv exclude each other");
    ExpectRefused({"aspects", "--natal-date", "1990-12-25", "--natal-time", "10.30", "--natal-zone",
                   "5", "--natal-long", "73w59", "--natal-lat", "40n46"},
                  "Accepted forms");
}

// With the quintiles shown, the grid holds the Uranus–ascendant quintile, whose exact time lies
// outside the search window.
TEST_F(AspectsCommand, GridTextHasFullNamesAndNoPlaceholders) {
    const std::vector<std::string> grid = {"grid",    "long",     "--opt", J2000Chart(),
                                           "--exact", "--filter", "4"};
    const std::string text = Output(grid);
    const auto lines = Lines(text);
    ASSERT_GT(lines.size(), 5u);
    EXPECT_EQ(lines[0], "Combined Longitudes - geo + helio");
    EXPECT_TRUE(Contains(text, "Ascendant")) << text;
    EXPECT_FALSE(Contains(text, "ascen")) << text;
    EXPECT_FALSE(Contains(text, "***")) << text;
    EXPECT_FALSE(Contains(text, "9999")) << text;
    EXPECT_TRUE(Contains(text, "\nnone: no exact time within the search window\n")) << text;

    auto json = Json(grid);
    ASSERT_EQ(json["sections"].size(), 2u);
    size_t rows = 0;
    for (const auto& section : json["sections"]) {
        rows += section["rows"].size();
        for (const auto& row : section["rows"]) {
            EXPECT_TRUE(row["body1_name"].is_string());
            EXPECT_TRUE(row["time_to_exact"].is_null() || row["time_to_exact"].is_number());
            if (row["time_to_exact"].is_null()) {
                EXPECT_TRUE(row["exact_date"].is_null());
            }
        }
    }
    // Text: caption, and per section a blank line, the title and the column titles.
    EXPECT_EQ(lines.size(), 1 + rows + 3 * 2 + 2) << text;
    std::vector<std::string> csvArgs = grid;
    csvArgs.push_back("--csv");
    const auto csv = Lines(Output(csvArgs));
    EXPECT_EQ(csv.size(), rows + 1);
}

TEST_F(AspectsCommand, GridDeclinationSymbols) {
    auto json = Json({"grid", "decl", "--opt", J2000Chart()});
    ASSERT_FALSE(json["sections"].empty());
    std::set<std::string> symbols;
    for (const auto& row : json["sections"][0]["rows"]) symbols.insert(row["aspect"]);
    EXPECT_EQ(symbols, (std::set<std::string>{"∥", "⋕"}));
    ExpectRefused({"grid", "long", "--filter", "9"}, "--filter");
}

}  // namespace
}  // namespace quintaro::test
