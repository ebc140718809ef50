// SPDX-License-Identifier: AGPL-3.0-or-later
// houses and positions: the same moment and place options as the chart commands, readable text,
// JSON and CSV.
#include <regex>
#include <sstream>

#include "cli_fixture.h"

namespace quintaro::test {
namespace {

class HousesCommand : public CliTest {};
class PositionsCommand : public CliTest {};

// The ascendant of RAMC 30° at latitude 51.5° with obliquity 23.4392911° is 137.91088° and the
// midheaven 32.18125°: tan(MC) = tan(RAMC) / cos(e); tan(ASC) = -cos(RAMC) / (sin(e) tan(phi) +
// cos(e) sin(RAMC)), worked by hand.
TEST_F(HousesCommand, FromRamcInJsonWithCuspsInHouseOrder) {
    auto json = Json({"houses", "--system", "placidus", "--ramc", "30", "--lat", "51.5",
                      "--obliquity", "23.4392911"});
    EXPECT_EQ(json["system"], "Placidus");
    EXPECT_NEAR(json["asc"].get<double>(), 137.91088, 1e-5);
    EXPECT_NEAR(json["mc"].get<double>(), 32.18125, 1e-5);
    ASSERT_EQ(json["cusps"].size(), 12u);
    EXPECT_EQ(json["cusps"][0], json["asc"]);  // house 1
    EXPECT_EQ(json["cusps"][9], json["mc"]);   // house 10
    EXPECT_EQ(json["sidereal_time"], "02:00:00");
    EXPECT_FALSE(std::regex_search(json.dump(), std::regex(R"(\d\.\d{7,})")));
}

TEST_F(HousesCommand, ArabicFromTheNatalAscendantAndEquator) {
    auto arabic = Json({"houses", "--system", "Arabic", "--natal-asc", "45.5", "--ramc", "100",
                        "--lat", "40", "--obliquity", "23.44"});
    EXPECT_EQ(arabic["cusps"][0], 30.0);  // Taurus, the sign of the natal ascendant, from 0°
    EXPECT_EQ(arabic["cusps"][1], 60.0);
    auto equator = Json(
        {"houses", "--system", "Meridian", "--ramc", "0", "--lat", "0", "--obliquity", "23.44"});
    EXPECT_EQ(equator["asc"], 90.0);
    EXPECT_EQ(equator["mc"], 0.0);
}

// Greenwich, 1987-04-10 19:21 UT: mean sidereal time 8h34m57s (worked example of the almanac
// method, Meeus 12.b).
TEST_F(HousesCommand, MomentAndPlaceInTheChartCommandsForms) {
    const std::vector<std::string> forms[] = {
        {"--time", "19:21", "--zone", "0", "--long", "0w00", "--lat", "51n30"},
        {"--time", "7.21pm", "--zone", "UTC", "--long", "0.00", "--lat", "51°30'N"},
        {"--time", "7:21 P.M.", "--zone", "0", "--lon", "-0.0", "--lat", "51.5"},
    };
    std::string first;
    for (const auto& form : forms) {
        std::vector<std::string> args = {"houses", "--system", "O", "--date", "1987-04-10"};
        args.insert(args.end(), form.begin(), form.end());
        const std::string text = Output(args);
        EXPECT_TRUE(std::regex_search(text, std::regex("Sidereal time +08:34:5"))) << text;
        EXPECT_TRUE(text.starts_with(
            "Porphyry houses  1987-04-10  7:21 P.M. (19:21)  zone 0 (UTC)  0°00′ W  51°30′ N"))
            << text;
        EXPECT_TRUE(std::regex_search(text, std::regex(R"(\nHouse 12 +\d+°\d\d′ \S+\n)"))) << text;
        if (first.empty()) first = text;
        EXPECT_EQ(text, first);
    }
}

TEST_F(HousesCommand, ChartFileAndCsv) {
    auto fromFile = Json({"houses", "--opt", J2000Chart(), "--system", "Koch"});
    auto chart = Json({"chart", "--opt", J2000Chart(), "--house-system", "koch"});
    EXPECT_EQ(fromFile["cusps"], chart["natal"]["cusps"]);
    EXPECT_EQ(fromFile["chart"],
              "J2000  2000-01-01  12:00 P.M. (12:00)  zone 0 (UTC)  0°00′ W  51°29′ N");
    const std::string csv = Output({"houses", "--opt", J2000Chart(), "--csv"});
    EXPECT_TRUE(csv.starts_with("point,longitude\r\n1,")) << csv;
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 12 + 3);
}

TEST_F(HousesCommand, PolarLatitudesFallBackWithANote) {
    CliResult r =
        Run({"houses", "--system", "Koch", "--ramc", "30", "--lat", "70", "--obliquity", "23.44"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "Porphyry house cusps instead")) << r.err;
    EXPECT_TRUE(Contains(r.out, "House 12")) << r.out;
}

TEST_F(HousesCommand, RefusedRequests) {
    struct Case {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--system", "xyz", "--ramc", "1", "--lat", "1", "--obliquity", "23"},
         "unknown house system 'xyz'"},
        {{"--system", "Solar", "--ramc", "1", "--lat", "1", "--obliquity", "23"},
         "need the natal Sun"},
        {{"--ramc", "1", "--lat", "1", "--obliquity", "95"}, "--obliquity must be"},
        {{"--ramc", "1", "--obliquity", "23"}, "--ramc needs --lat and --obliquity"},
        {{"--ramc", "abc", "--lat", "1", "--obliquity", "23"}, "--ramc"},
        {{"--ramc", "1", "--lat", "91", "--obliquity", "23"}, "beyond 90"},
        {{"--date", "2000-01-01", "--time", "1:00", "--zone", "0", "--long", "10.75", "--lat",
          "3n00"},
         "the minutes go from 0 to 59"},
        {{"--date", "2000-01-01", "--time", "1:00"}, "a moment needs --date, --time, --zone"},
        {{"--date", "2000-01-01", "--time", "1:00", "--long", "0w00", "--lat", "51n30"},
         "--zone: a date needs its time zone"},
        {{"--date", "2000-01-01", "--time", "1:00", "--zone", "0", "--long", "10w00", "--lat",
          "3n00", "--east"},
         "--east"},
        {{"--opt", J2000Chart(), "--date", "2000-01-01"}, "give one or the other"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"houses"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        ExpectRefused(args, c.message);
    }
}

// The Sun's apparent longitude at 2000-01-01 12h UT is 280.369° (published almanac value).
TEST_F(PositionsCommand, AtAJulianDayOrACivilMoment) {
    auto byJd = Json({"positions", "--jd", "2451545.0"});
    auto byDate = Json({"positions", "--date", "2000-01-01", "--time", "12:00"});
    EXPECT_EQ(byJd, byDate);
    EXPECT_EQ(byJd["valid"], true);
    const auto& sun = byJd["bodies"][0];
    EXPECT_EQ(sun["name"], "Sun");
    EXPECT_NEAR(sun["long"].get<double>(), 280.369, 0.002);
    ASSERT_EQ(byJd["bodies"].size(), 53u);
    EXPECT_EQ(byJd["bodies"][20]["name"], "pholus");
    EXPECT_EQ(byJd["bodies"][21]["name"], "hjp");
    // A slot no body was given has no position: null, as every value that could not be computed.
    EXPECT_EQ(byJd["bodies"][52]["name"], "unused");
    EXPECT_TRUE(byJd["bodies"][52]["long"].is_null());
}

TEST_F(PositionsCommand, HeliocentricSunAndMoonHaveNoPosition) {
    auto helio = Json({"positions", "--jd", "2451545.0", "--helio"});
    EXPECT_EQ(helio["kind"], "helio");
    for (int index : {0, 3}) {
        EXPECT_TRUE(helio["bodies"][index]["long"].is_null()) << index;
        EXPECT_TRUE(helio["bodies"][index]["second"].is_null()) << index;
    }
    EXPECT_TRUE(helio["bodies"][10]["long"].is_number());  // the Earth
}

TEST_F(PositionsCommand, TextAndCsv) {
    const std::string text = Output({"positions", "--jd", "2451545.0"});
    EXPECT_TRUE(text.starts_with("Geocentric positions at JD 2451545.000000 (2000-01-01 12:00 UT)"))
        << text;
    EXPECT_TRUE(
        std::regex_search(text, std::regex(R"(\n +1  Sun +10°22′ ♑ +-23°0[23]′  rising\n)")))
        << text;
    const std::string csv = Output({"positions", "--jd", "2451545.0", "--csv"});
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 54);
    EXPECT_TRUE(Contains(csv, "\r\n1,Sun,280.36")) << csv;
}

TEST_F(PositionsCommand, OutsideTheEphemerisAndBadMoments) {
    CliResult before1900 = Run({"positions", "--jd", "2415020.4", "--json"});
    EXPECT_NE(before1900.status, 0);
    EXPECT_TRUE(Contains(before1900.out, "\"valid\":false")) << before1900.out;
    EXPECT_TRUE(Contains(before1900.err, "outside the range of my ephemeris")) << before1900.err;
    auto with1750 = Json({"positions", "--jd", "2415020.4", "--use1750"});
    EXPECT_EQ(with1750["valid"], true);
    ExpectRefused({"positions"}, "positions needs a moment");
    ExpectRefused({"positions", "--jd", "yesterday"}, "--jd");
    ExpectRefused({"positions", "--jd", "2451545", "--date", "2000-01-01", "--time", "1:00"},
                  "give --jd or --date, not both");
}

}  // namespace
}  // namespace quintaro::test
