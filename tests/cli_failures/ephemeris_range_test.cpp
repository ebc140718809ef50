// SPDX-License-Identifier: AGPL-3.0-or-later
// Moments outside the ephemeris: no chart, no aspects, no wheel for them, a message with the
// range the ephemeris covers, and a non-zero exit; "opt write" writes the file and warns.
#include "cli_home.h"
#include "setup/chart_data_file.h"

namespace quintaro::test {
namespace {

using nlohmann::json;

class EphemerisRange : public CliHome {
  protected:
    // A chart data file with the natal and transit dates given.
    std::string chartFile(const std::string& natal, const std::string& transit) {
        const std::string file = path("chart.opt");
        CliResult written =
            run({"opt", "write", file, "--natal-date", natal, "--natal-time", "12.00", "--natal-pm",
                 "--natal-zone", "0", "--natal-long", "0w00", "--natal-lat", "51n29",
                 "--transit-date", transit, "--transit-time", "12.00", "--transit-pm"});
        EXPECT_EQ(written.status, 0) << written.err;
        return file;
    }
};

constexpr const char* kRange = "which covers 1900-01-01 to 2050-01-01 (UT)";

TEST_F(EphemerisRange, NoChartAspectsOrWheelForANatalMomentOutsideTheRange) {
    for (const char* date : {"2100-01-01", "1600-01-01", "1899-12-31", "2050-01-02"}) {
        SCOPED_TRACE(date);
        const std::string file = chartFile(date, "2000-01-01");
        for (const std::vector<std::string>& command :
             {std::vector<std::string>{"chart", "--opt", file},
              {"chart", "--opt", file, "--json"},
              {"aspects", "--opt", file, "--json"},
              {"grid", "long", "--opt", file}}) {
            CliResult r = run(command);
            EXPECT_EQ(r.status, 1) << command[0];
            EXPECT_EQ(r.out, "") << command[0];
            EXPECT_TRUE(Has(r.err, kRange)) << r.err;
            EXPECT_TRUE(Has(r.err, "no natal chart")) << r.err;
        }
        const std::string wheel = path("wheel.png");
        CliResult r = run({"wheel", "--opt", file, "--out", wheel, "--natal-only"});
        EXPECT_EQ(r.status, 1);
        EXPECT_FALSE(std::filesystem::exists(wheel));
    }
}

// The last covered day still gives a chart.
TEST_F(EphemerisRange, TheEdgesOfTheRangeAreCovered) {
    for (const char* date : {"1900-01-01", "2050-01-01"}) {
        CliResult r = run({"chart", "--opt", chartFile(date, date), "--json"});
        EXPECT_EQ(r.status, 0) << date << r.err;
        EXPECT_EQ(Parse(r.out)["natal"]["valid"], true) << date;
    }
}

// A transit moment outside the range: the natal chart stands, the transit chart is not shown
// (no positions of an earlier transit moment either), and what needs it fails.
TEST_F(EphemerisRange, ATransitOutsideTheRangeLeavesOnlyTheNatalChart) {
    const std::string file = chartFile("2000-01-01", "2100-01-01");
    CliResult chart = run({"chart", "--opt", file, "--json"});
    EXPECT_EQ(chart.status, 1);
    EXPECT_TRUE(Has(chart.err, "no transit chart")) << chart.err;
    json parsed = Parse(chart.out);
    ASSERT_FALSE(parsed.is_discarded()) << chart.out;
    EXPECT_EQ(parsed["natal"]["valid"], true);
    EXPECT_FALSE(parsed["natal"]["bodies"].empty());
    EXPECT_EQ(parsed["transit"]["valid"], false);
    EXPECT_FALSE(parsed["transit"].contains("bodies"));
    EXPECT_NEAR(parsed["transit"]["jd"].get<double>(), 2488070.0, 1e-6);

    CliResult text = run({"chart", "--opt", file});
    EXPECT_EQ(text.status, 1);
    EXPECT_TRUE(Has(text.out, "not computed: the moment lies outside the ephemeris")) << text.out;

    CliResult transitAspects = run({"aspects", "--opt", file, "--pairing", "tn", "--json"});
    EXPECT_EQ(transitAspects.status, 1);
    EXPECT_EQ(transitAspects.out, "");
    CliResult natalAspects = run({"aspects", "--opt", file, "--pairing", "nn", "--json"});
    EXPECT_EQ(natalAspects.status, 0) << natalAspects.err;
    EXPECT_FALSE(Parse(natalAspects.out)["entries"].empty());

    const std::string wheel = path("wheel.png");
    EXPECT_EQ(run({"wheel", "--opt", file, "--out", wheel}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(wheel));
    EXPECT_EQ(run({"wheel", "--opt", file, "--out", wheel, "--natal-only"}).status, 0);
    EXPECT_TRUE(std::filesystem::exists(wheel));
}

// "opt write" writes what was asked, warns, and exits 0: the file may be meant for later or for
// another installation.
TEST_F(EphemerisRange, OptWriteWarnsAndWritesTheFileAsAsked) {
    const std::string file = path("far.opt");
    CliResult r = run({"opt", "write", file, "--natal-date", "2100-01-01", "--natal-time", "12:00",
                       "--natal-zone", "0", "--natal-long", "0w00", "--natal-lat", "51n29",
                       "--transit-date", "1800-06-15", "--transit-time", "12:00"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.err,
                    "warning: Warning!: the natal moment 2100-1-1 lies outside the "
                    "ephemeris, which covers 1900-01-01 to 2050-01-01 (UT); no chart can "
                    "be computed for it"))
        << r.err;
    EXPECT_TRUE(Has(r.err,
                    "the transit moment 1800-6-15 lies outside the ephemeris, which "
                    "covers 1900-01-01 to 2050-01-01 (UT); only the 1750 tables reach it"))
        << r.err;
    auto read = ReadChartFile(file);
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->problems.empty());
    EXPECT_EQ(read->natal.year, "2100");
    EXPECT_EQ(read->transit.year, "1800");

    CliResult inside =
        run({"opt", "write", file, "--natal-date", "2000-01-01", "--natal-time", "12:00",
             "--natal-zone", "0", "--natal-long", "0w00", "--natal-lat", "51n29"});
    EXPECT_EQ(inside.status, 0);
    EXPECT_EQ(inside.err, "");
}

}  // namespace
}  // namespace quintaro::test
