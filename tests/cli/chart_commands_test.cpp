// SPDX-License-Identifier: AGPL-3.0-or-later
// chart and now, with the chart entered on one line or loaded from a chart data file.
#include <regex>
#include <sstream>

#include "cli_fixture.h"

namespace quintaro::test {
namespace {

using Args = std::vector<std::string>;

// J2000 at Greenwich: 2000-01-01 12:00 UT, 0°00' W, 51°29' N (the chart of data/j2000.opt).
const Args kJ2000Entry = {"--natal-name", "J2000", "--natal-date", "2000-01-01",
                          "--natal-time", "12:00", "--natal-zone", "0",
                          "--natal-long", "0w00",  "--natal-lat",  "51n29"};

Args With(Args args, const Args& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

const nlohmann::json* Body(const nlohmann::json& chart, int slot) {
    for (const auto& body : chart["bodies"])
        if (body["slot"] == slot) return &body;
    return nullptr;
}

class ChartCommand : public CliTest {};

// The Sun's apparent longitude at 2000-01-01 12h UT is 280.369° (published almanac value).
TEST_F(ChartCommand, OneLineEntryGivesTheChartOfTheChartFile) {
    nlohmann::json typed = Json(With({"chart"}, kJ2000Entry));
    nlohmann::json loaded = Json({"chart", "--opt", J2000Chart()});
    ASSERT_TRUE(typed.contains("natal")) << typed.dump();
    EXPECT_EQ(typed["natal"]["jd"], 2451545.0);
    EXPECT_EQ(typed["natal"]["jd"], loaded["natal"]["jd"]);
    EXPECT_EQ(typed["natal"]["latitude"], "51°29′ N");
    EXPECT_EQ(typed["natal"]["asc"], loaded["natal"]["asc"]);
    // The file selects the node and the angles but not Chiron; every body in both is the same.
    int both = 0;
    for (const auto& body : typed["natal"]["bodies"]) {
        const nlohmann::json* same = Body(loaded["natal"], body["slot"]);
        if (!same) continue;
        ++both;
        EXPECT_EQ(*same, body);
    }
    EXPECT_EQ(both, 15);
    const nlohmann::json* sun = Body(typed["natal"], 1);
    ASSERT_TRUE(sun);
    EXPECT_EQ((*sun)["name"], "Sun");
    EXPECT_NEAR((*sun)["geo_long"].get<double>(), 280.369, 0.002);
}

// 1990-12-25 22:30 in New York, written three ways: the same moment, place and chart.
TEST_F(ChartCommand, EveryWrittenFormOfAChartGivesTheSameChart) {
    const Args forms[] = {
        {"--natal-time", "22:30", "--natal-zone", "5", "--natal-long", "73w59", "--natal-lat",
         "40n46"},
        {"--natal-time", "10:30pm", "--natal-zone", "UTC-5", "--natal-long", "73°59'W",
         "--natal-lat", "40°46′ N"},
        {"--natal-time", "10.30", "--natal-pm", "--natal-zone", "5.0", "--natal-long", "73.59",
         "--natal-lat", "40.46"},
    };
    std::vector<nlohmann::json> charts;
    std::vector<std::string> echoes;
    for (const Args& form : forms) {
        Args args = With({"chart", "--natal-only", "--natal-date", "1990-12-25"}, form);
        charts.push_back(Json(args)["natal"]);
        const std::string text = Output(args);
        echoes.push_back(text.substr(0, text.find('\n')));
    }
    // 22:30 zone 5 west is 03:30 UT on the 26th: JD 2448251.5 + 3.5 / 24.
    EXPECT_NEAR(charts[0]["jd"].get<double>(), 2448251.5 + 3.5 / 24, 1e-7);
    for (size_t i = 1; i < charts.size(); ++i) {
        EXPECT_EQ(charts[i], charts[0]) << i;
        EXPECT_EQ(echoes[i], echoes[0]);
    }
    EXPECT_EQ(
        echoes[0],
        "Natal  Natal  1990-12-25  10:30 P.M. (22:30)  zone 5 (UTC-5:00)  73°59′ W  40°46′ N");
    EXPECT_EQ(charts[0]["longitude_east"], -73.983333);
    EXPECT_EQ(charts[0]["time"], "22:30");
}

TEST_F(ChartCommand, DecimalDegreesAreEastPositive) {
    nlohmann::json paris =
        Json({"chart", "--natal-only", "--natal-date", "2000-06-21", "--natal-time", "12:00",
              "--natal-zone", "-1", "--natal-long", "+2.3522", "--natal-lat", "48.8566"})["natal"];
    EXPECT_EQ(paris["longitude"], "2°21′08″ E");
    EXPECT_EQ(paris["latitude"], "48°51′24″ N");
    EXPECT_NEAR(paris["longitude_east"].get<double>(), 2.3522, 1e-6);
    EXPECT_EQ(paris["zone_text"], "-1 (UTC+1:00)");
}

TEST_F(ChartCommand, TextListsFullNamesZodiacPositionsAnglesAndHouses) {
    const std::string text = Output({"chart", "--opt", J2000Chart(), "--natal-only"});
    EXPECT_EQ(text.substr(0, text.find('\n')),
              "Natal  J2000  2000-01-01  12:00 P.M. (12:00)  zone 0 (UTC)  0°00′ W  51°29′ N");
    EXPECT_TRUE(Contains(text, "sidereal time 18:41:5")) << text;  // GMST at J2000: 18h41m50.5s
    std::smatch sun;
    ASSERT_TRUE(std::regex_search(text, sun, std::regex(R"(\n +1  Sun +(\S+ \S+) )"))) << text;
    EXPECT_EQ(sun[1], "10°22′ ♑");  // 280.369°
    for (const char* name : {"Mercury", "Jupiter", "North node", "Ascendant", "Midheaven",
                             "Part of fortune", "Houses (Placidus)"})
        EXPECT_TRUE(Contains(text, name)) << name;
    EXPECT_FALSE(Contains(text, "Transit")) << text;
    EXPECT_FALSE(Contains(text, "jupit")) << text;
    const std::string decimal =
        Output({"chart", "--opt", J2000Chart(), "--natal-only", "--decimal"});
    EXPECT_TRUE(std::regex_search(decimal, std::regex(R"(\n +1  Sun +280\.3[67]\d\d )")))
        << decimal;
}

TEST_F(ChartCommand, BodiesWithoutAPositionInAFrameAreNullNotZero) {
    nlohmann::json natal = Json({"chart", "--opt", J2000Chart()})["natal"];
    ASSERT_TRUE(Body(natal, 1) && Body(natal, 4));
    EXPECT_TRUE((*Body(natal, 1))["helio_long"].is_null());  // the Sun
    EXPECT_TRUE((*Body(natal, 4))["helio_lat"].is_null());   // the Moon
    const nlohmann::json* earth = Body(natal, 11);
    ASSERT_TRUE(earth);
    EXPECT_TRUE((*earth)["geo_long"].is_null());
    EXPECT_TRUE((*earth)["helio_long"].is_number());
    // No value carries float noise: at most six decimals.
    EXPECT_FALSE(std::regex_search(natal.dump(), std::regex(R"(\d\.\d{7,})"))) << natal.dump();
}

TEST_F(ChartCommand, CsvHasOneLinePerSelectedBody) {
    const std::string csv = Output({"chart", "--opt", J2000Chart(), "--csv"});
    std::istringstream in(csv);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "chart,slot,name,geo_long,geo_decl,helio_long,helio_lat,house,retrograde\r");
    int natal = 0, transit = 0;
    while (std::getline(in, line)) {
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), 8) << line;
        natal += line.starts_with("natal,");
        transit += line.starts_with("transit,");
        if (line.starts_with("natal,1,Sun,")) {
            EXPECT_TRUE(line.starts_with("natal,1,Sun,280.36")) << line;
        }
    }
    const nlohmann::json chart = Json({"chart", "--opt", J2000Chart()});
    EXPECT_EQ(natal, static_cast<int>(chart["natal"]["bodies"].size()));
    EXPECT_EQ(transit, static_cast<int>(chart["transit"]["bodies"].size()));
    EXPECT_GT(natal, 10);
}

TEST_F(ChartCommand, HouseSystemNamesInAnyCase) {
    const auto koch = Json({"chart", "--opt", J2000Chart(), "--house-system", "Koch"});
    EXPECT_EQ(koch["natal"]["house_system"], "Koch");
    for (const char* name : {"koch", "K", "KOCH"})
        EXPECT_EQ(Json({"chart", "--opt", J2000Chart(), "--house-system", name})["natal"]["cusps"],
                  koch["natal"]["cusps"])
            << name;
    EXPECT_NE(Json({"chart", "--opt", J2000Chart()})["natal"]["cusps"], koch["natal"]["cusps"]);
    ExpectRefused({"chart", "--house-system", "Nowhere"},
                  "unknown house system 'Nowhere'; the systems are Velm Astro, Placidus (P)");
}

TEST_F(ChartCommand, AmbiguousOrImpossibleEntriesComputeNothing) {
    const Args place = {"--natal-date", "1990-12-25", "--natal-zone", "5"};
    struct Case {
        Args args;
        const char* message;
    } cases[] = {
        {{"--natal-time", "22:30", "--natal-long", "-73.59", "--natal-lat", "40n46"},
         "--natal-long: '-73.59' is not a longitude: a sign with two decimals could be"},
        {{"--natal-time", "10.30", "--natal-long", "73w59", "--natal-lat", "40n46"},
         "needs am or pm (10.30pm)"},
        {{"--natal-time", "22:30", "--natal-long", "73w59", "--natal-lat", "40n46s"},
         "Accepted forms: 40n46"},
        {{"--natal-time", "22:30", "--natal-long", "73w61", "--natal-lat", "40n46"},
         "the minutes go from 0 to 59"},
        {{"--natal-time", "25:00", "--natal-long", "73w59", "--natal-lat", "40n46"},
         "the hours go from 0 to 23"},
        {{"--natal-time", "22:30", "--natal-long", "73.9833", "--natal-lat", "40n46"},
         "need a sign (+ East, - West)"},
        {{"--natal-time", "22:30"}, "needs its place and zone"},
        {{"--natal-long", "73w59", "--natal-lat", "40n46"}, "--natal-date needs --natal-time"},
    };
    for (const Case& c : cases) ExpectRefused(With(With({"chart"}, place), c.args), c.message);
    ExpectRefused({"chart", "--opt", Path("missing.opt")}, "missing.opt");
}

TEST_F(ChartCommand, FileAndTypedFieldsCombine) {
    // The transit of the file moved to another date: the place stays the file's.
    auto chart = Json(
        {"chart", "--opt", J2000Chart(), "--transit-date", "2000-07-01", "--transit-time", "6:00"});
    EXPECT_EQ(chart["transit"]["date"], "2000-07-01");
    EXPECT_EQ(chart["transit"]["name"], "Transits");
    EXPECT_EQ(chart["transit"]["latitude"], "51°29′ N");
    EXPECT_EQ(chart["natal"]["jd"], 2451545.0);
}

TEST_F(ChartCommand, PositionsGridNamesTheCheckBoxPointsAndLeavesNoZeros) {
    const std::string grid = Output({"chart", "--opt", J2000Chart(), "--grid"});
    std::vector<std::string> rows;
    std::istringstream in(grid);
    for (std::string line; std::getline(in, line);) rows.push_back(line);
    ASSERT_EQ(rows.size(), 54u) << grid;
    EXPECT_TRUE(std::regex_match(rows[11], std::regex(R"(11\s+EAR\s+\d+\S+\d\d\s+-?\d+\.\d\d)")))
        << rows[11];  // no geocentric Earth; its heliocentric longitude and latitude
    EXPECT_TRUE(std::regex_match(rows[13], std::regex(R"(13\s+N\.N\s+\d.*)"))) << rows[13];
    EXPECT_TRUE(std::regex_match(rows[18], std::regex(R"(18\s+ASC\s+\d.*)"))) << rows[18];
    EXPECT_TRUE(std::regex_match(rows[19], std::regex(R"(19\s+MC\s+\d.*)"))) << rows[19];
    EXPECT_EQ(rows[20], "20  PF");  // the file leaves the part of fortune off
    EXPECT_EQ(rows[30], "30");      // an unused slot
    EXPECT_FALSE(Contains(grid, "00♈00")) << grid;
}

TEST_F(ChartCommand, NowListsThePresentChartAtHome) {
    const std::string text = Output({"now"});
    EXPECT_TRUE(text.starts_with("Natal  Now  ")) << text;
    EXPECT_TRUE(Contains(text, "73°59′ W  40°46′ N")) << text;  // the default home location
    EXPECT_FALSE(Contains(text, "\nTransit")) << text;
}

TEST_F(ChartCommand, AspectsAfterEachChart) {
    const std::string text = Output({"chart", "--opt", J2000Chart(), "--aspects"});
    EXPECT_TRUE(Contains(text, "natal–natal aspects in geocentric longitude\n")) << text;
    EXPECT_TRUE(Contains(text, "transit–natal aspects in geocentric longitude\n")) << text;
    auto json = Json({"chart", "--opt", J2000Chart(), "--aspects"});
    EXPECT_FALSE(json["natal"]["aspects"].empty());
    EXPECT_EQ(json["transit"]["aspects"][0]["body1_name"], "Sun");
}

// The derived charts start from the natal chart typed on the command line as from the chart
// file: same natal moment, same derived moment. A typed moment changes the file's chart.
TEST_F(ChartCommand, DerivedChartsTakeTheTypedNatalChart) {
    struct Case {
        Args command;
        const char* moment;  // the derived moment that follows from the natal one
    };
    const Case cases[] = {{{"progress", "--to", "2030-01-01"}, "jd"},
                          {{"solar-arc", "--to", "2030-01-01"}, "progressed_jd"},
                          {{"return", "sun", "--near", "2030-01-01"}, "jd"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command[0]);
        const nlohmann::json typed = Json(With(c.command, kJ2000Entry));
        const nlohmann::json loaded = Json(With(c.command, {"--opt", J2000Chart()}));
        ASSERT_TRUE(typed.is_object() && loaded.is_object());
        EXPECT_EQ(typed["natal"]["jd"], 2451545.0);
        EXPECT_EQ(typed["natal"]["name"], "J2000");
        EXPECT_EQ(typed["derived"][c.moment], loaded["derived"][c.moment]);

        const nlohmann::json later =
            Json(With(c.command, {"--opt", J2000Chart(), "--natal-date", "2000-01-01",
                                  "--natal-time", "6:00pm"}));
        ASSERT_TRUE(later.is_object());
        EXPECT_EQ(later["natal"]["jd"], 2451545.25);
        EXPECT_EQ(later["natal"]["latitude"], "51°29′ N");
        EXPECT_NE(later["derived"][c.moment], loaded["derived"][c.moment]);
    }
    ExpectRefused(
        {"progress", "--to", "2030-01-01", "--natal-date", "2000-01-01", "--natal-time", "12:00"},
        "needs its place and zone");
}

}  // namespace
}  // namespace quintaro::test
