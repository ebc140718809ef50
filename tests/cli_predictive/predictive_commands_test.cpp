// SPDX-License-Identifier: AGPL-3.0-or-later
// The chart data file j2000.opt holds a natal chart for 1 January 2000, 12:00 P.M. in zone 0
// (JD 2451545.0) at 0°00' W, 51°29' N. Expected values are worked out from that moment by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "cli_run.h"
#include "core/ephemeris_loader.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using Json = nlohmann::json;

constexpr double kNatalJD = 2451545.0;
const std::string kOutsideRange =
    "You have entered a date outside the range of my ephemeris, which covers 1900-01-01 to "
    "2050-01-01 (UT). Please enter another date.";

double AngleBetween(double a, double b) {
    const double d = std::fmod(std::abs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

class PredictiveCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(GeneratedEphemerisSource() / "ephem000.dat"))
            GTEST_SKIP() << "no generated ephemeris files";
        const std::filesystem::path data =
            std::filesystem::path(QUINTARO_SOURCE_DIR) / "tests/cli/data";
        std::filesystem::copy_file(data / "j2000.opt", opt);
        std::filesystem::copy_file(data / "truncated.opt", damaged);
    }
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", (folder.path() / "home").string()});
        return test::RunCli(folder.path(), args);
    }
    Json RunJson(std::vector<std::string> args) {
        args.push_back("--json");
        const test::CliResult r = Run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return Json::parse(r.out, nullptr, false);
    }
    // The body of one chart ("natal" or "transit") by slot.
    static const Json& Body(const Json& out, const char* chart, int slot) {
        for (const Json& body : out[chart]["bodies"])
            if (body["slot"] == slot) return body;
        static const Json none;
        return none;
    }

    test::TempFolder folder;
    std::string opt = (folder.path() / "j2000.opt").string();
    std::string damaged = (folder.path() / "truncated.opt").string();
};

TEST_F(PredictiveCommands, ProgressListsTheProgressedTransitAndTheCharts) {
    // 2030-01-01 0h UT is 10957.5 days after birth: 30.00064 days of progression, 12:00:55 P.M.
    const test::CliResult r = Run({"progress", "--opt", opt, "--to", "2030-01-01"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
              "progressed for 2030-01-01: \"J2000 - progressed\"  2000-01-31  12:01 P.M. (12:01)  "
              "zone 0 (UTC)  JD 2451575.00064");
    EXPECT_NE(r.out.find("\nNatal  J2000  2000-01-01  12:00 P.M. (12:00)  zone 0 (UTC)"),
              std::string::npos);
    EXPECT_NE(r.out.find("\nTransit  J2000 - progressed  2000-01-31  12:01 P.M. (12:01)"),
              std::string::npos);

    // To the birth date itself: half a day before birth, divided by 365.2422: 1.97 minutes.
    const Json birth = RunJson({"progress", "--opt", opt, "--to", "2000-01-01"});
    EXPECT_NEAR(birth["derived"]["jd"].get<double>(), kNatalJD - 0.5 / 365.2422, 1e-9);
    EXPECT_EQ(birth["derived"]["clock"], "11.58");
    EXPECT_EQ(birth["derived"]["meridiem"], "A.M.");
    EXPECT_NEAR(birth["transit"]["jd"].get<double>(), kNatalJD - 2.0 / 1440, 1e-7);
    EXPECT_EQ(birth["transit"]["name"], "J2000 - progressed");
}

TEST_F(PredictiveCommands, SolarArcMovesTheNatalLongitudesByTheArc) {
    const Json out = RunJson({"solar-arc", "--opt", opt, "--to", "2030-01-01"});
    const Json& derived = out["derived"];
    EXPECT_NEAR(derived["progressed_jd"].get<double>(), kNatalJD + 10957.5 / 365.2422, 1e-9);
    // The Sun runs about 1.02 degrees a day in January.
    const double arc = derived["geo_arc"];
    EXPECT_GT(arc, 30.3);
    EXPECT_LT(arc, 30.8);
    EXPECT_EQ(out["transit"]["name"], "J2000 - solar arc prog.");
    for (int slot : {1, 4, 9})  // Sun, Moon, Neptune
        EXPECT_NEAR(AngleBetween(Body(out, "transit", slot)["geo_long"],
                                 Body(out, "natal", slot)["geo_long"].get<double>() + arc),
                    0, 1e-6)
            << slot;
}

TEST_F(PredictiveCommands, ReturnsBringTheBodyBackToItsNatalPlace) {
    // Thirty years of 365.2422 days after birth: 2029-12-31, 6:23 P.M. UT, give or take minutes.
    const Json sun = RunJson({"return", "sun", "--opt", opt, "--near", "2030-01-01"});
    EXPECT_NEAR(sun["derived"]["jd"].get<double>(), kNatalJD + 30 * 365.2422, 0.05);
    EXPECT_EQ(sun["derived"]["date"], "2029-12-31");
    EXPECT_EQ(sun["derived"]["latitude"], "51 29 N");
    EXPECT_EQ(sun["transit"]["name"], "J2000 - solar return");
    // Written to the minute: within the Sun's motion in half a minute.
    EXPECT_LT(AngleBetween(Body(sun, "transit", 1)["geo_long"], Body(sun, "natal", 1)["geo_long"]),
              0.0004);

    const Json moon = RunJson({"return", "moon", "--opt", opt, "--near", "2030-01-01"});
    const double target = 2462502.5, found = moon["derived"]["jd"];
    EXPECT_LE(found, target);
    EXPECT_GT(found, target - 27.33);  // the last return before the target
    EXPECT_LT(
        AngleBetween(Body(moon, "transit", 4)["geo_long"], Body(moon, "natal", 4)["geo_long"]),
        0.005);
    EXPECT_EQ(moon["transit"]["name"], "J2000 - lunar return");
}

TEST_F(PredictiveCommands, SiderealChartTakesTheSiderealVernalPoint) {
    const Json tropical = RunJson({"chart", "--opt", opt});
    const Json sidereal = RunJson({"chart", "--opt", opt, "--sidereal"});
    // The sidereal vernal point stood at 5 degrees 15.3 minutes of Pisces in 2000: 24.74 degrees
    // before the tropical one.
    const double shift = Body(tropical, "natal", 1)["geo_long"].get<double>() -
                         Body(sidereal, "natal", 1)["geo_long"].get<double>();
    EXPECT_NEAR(shift, 24.74, 0.01);
}

TEST_F(PredictiveCommands, BadInputFailsWithAClearMessage) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"progress", "--opt", opt, "--to", "2100-01-01"}, kOutsideRange},
        {{"solar-arc", "--opt", opt, "--to", "1800-06-01"}, kOutsideRange},
        {{"return", "moon", "--opt", opt, "--near", "1900-01-20"}, kOutsideRange},
        {{"return", "sun", "--opt", damaged, "--near", "2020-01-01"},
         "is damaged: it ends after 4 of its 40 values"},
        {{"progress", "--opt", damaged, "--to", "2020-01-01"}, "nothing was computed"},
        {{"solar-arc", "--opt", opt + ".missing", "--to", "2020-01-01"},
         "cannot read chart data file"},
        {{"progress", "--opt", opt, "--to", "2020-02-30"}, "day 30 does not exist in month 2"},
        {{"return", "mars", "--near", "2020-01-01"}, "mars not in {sun,moon}"},
        {{"progress", "--opt", opt}, "--to is required"},
    };
    for (const Case& c : cases) {
        const test::CliResult r = Run(c.args);
        EXPECT_NE(r.status, 0) << c.args[0] << " " << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "") << c.message;
    }
}

}  // namespace
}  // namespace quintaro
