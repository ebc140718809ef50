// SPDX-License-Identifier: AGPL-3.0-or-later
// Expected zones checked with Python's zoneinfo on the same zoneinfo files.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_run.h"
#include "core/atomic_file.h"
#include "setup/chart_data_file.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using nlohmann::json;

class PlaceCommand : public ::testing::Test {
  protected:
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", (folder.path() / "home").string()});
        return test::RunCli(folder.path(), args);
    }
    json Json(const test::CliResult& r) {
        EXPECT_FALSE(r.out.empty()) << r.err;
        return json::parse(r.out, nullptr, false);
    }
    std::string Path(const char* name) const { return (folder.path() / name).string(); }
    void OwnPlaces(const std::string& text) {
        std::filesystem::create_directories(folder.path() / "home");
        ASSERT_TRUE(WriteFileAtomically(folder.path() / "home" / "places.txt", text).empty());
    }
    test::TempFolder folder;
};

TEST_F(PlaceCommand, SearchListsTheBiggestFirst) {
    auto r = Run({"place", "search", "london", "--limit", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "London, England, United Kingdom  51\u00b031\u2032 N  0\u00b008\u2032 W  "
              "Europe/London\n"
              "London, Ontario, Canada  42\u00b059\u2032 N  81\u00b014\u2032 W  America/Toronto\n");
    const json found = Json(Run({"place", "search", "Zürich, CH", "--json"}));
    ASSERT_EQ(found["places"].size(), 1u);
    EXPECT_EQ(found["places"][0]["name"], "Zurich");
    EXPECT_EQ(found["places"][0]["zone_name"], "Europe/Zurich");
    EXPECT_NEAR(found["places"][0]["longitude"].get<double>(), 8.55, 0.01);
    EXPECT_EQ(Json(Run({"place", "search", "london, ca", "--json"}))["places"][0]["region"],
              "Ontario");
}

TEST_F(PlaceCommand, AnUnknownPlaceNamesTheClosestAndFails) {
    auto r = Run({"place", "search", "Nwe Yrok"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "error: no place \"Nwe Yrok\" in the atlas or in your places; the closest are: New "
              "York, United States of America\n");
    r = Run({"place", "search", "Nwe Yrok", "--json"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(Json(r)["closest"][0]["name"], "New York");
    EXPECT_NE(Run({"place", "search", "york", "--limit", "0"}).status, 0);
}

TEST_F(PlaceCommand, OwnPlacesAreAddedAndFoundFirst) {
    auto r = Run({"place", "add", "Yorkshire farm", "--lat", "53N57", "--long", "1W05", "--tz",
                  "europe/london"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Yorkshire farm; 53N57; 1W5; Europe/London"), std::string::npos) << r.out;
    const json found = Json(Run({"place", "search", "york", "--json"}));
    EXPECT_EQ(found["places"][0]["name"], "Yorkshire farm");
    EXPECT_EQ(found["places"][0]["own"], true);
    EXPECT_EQ(found["places"][1]["name"], "York");
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"place", "add", "X", "--lat", "95", "--long", "0", "--tz",
                                   "Etc/UTC"},
          {"place", "add", "X", "--lat", "10", "--long", "0", "--tz", "Mars/Base"},
          {"place", "add", "X;Y", "--lat", "10", "--long", "0", "--tz", "Etc/UTC"}}) {
        r = Run(bad);
        EXPECT_EQ(r.status, 1) << bad[2];
        EXPECT_NE(r.err, "") << bad[2];
    }
}

TEST_F(PlaceCommand, ADamagedPlacesFileKeepsItsGoodLinesAndFails) {
    OwnPlaces("Yew tree; 51N30; 0W10; Europe/London\nYurt; far north; 0W10; Europe/London\n");
    auto r = Run({"place", "search", "y", "--limit", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.rfind("Yew tree (your place)", 0), 0u) << r.out;
    EXPECT_NE(r.err.find("line 2: the latitude \"far north\""), std::string::npos) << r.err;
    // No chart file is made while the file needs mending.
    r = Run({"opt", "write", Path("x.opt"), "--natal-date", "2000-01-01", "--natal-time", "12:00",
             "--natal-place", "London"});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(std::filesystem::exists(Path("x.opt")));
}

struct ZoneCase {
    std::vector<std::string> where;
    const char* date;
    const char* time;
    double zone;
    const char* abbreviation;
    bool daylight;
};

TEST_F(PlaceCommand, ZoneGivesTheOffsetOfTheMoment) {
    const ZoneCase cases[] = {
        {{"--place", "New York"}, "1990-12-25", "22:30", 5, "EST", false},
        {{"--place", "New York"}, "1990-07-04", "12:00", 4, "EDT", true},
        {{"--place", "London, GB"}, "1940-07-01", "12:00", -1, "BST", true},
        {{"--tz", "Europe/London"}, "1941-07-01", "12:00", -2, "BDST", true},
        {{"--place", "Kolkata"}, "1990-01-01", "12:00", -5.5, "IST", false},
        {{"--place", "Tokyo"}, "1990-01-01", "12:00", -9, "JST", false},
        {{"--place", "Sydney"}, "2045-01-15", "12:00", -11, "AEDT", true},
    };
    for (const ZoneCase& c : cases) {
        std::vector<std::string> args = {"zone", "--date", c.date, "--time", c.time, "--json"};
        args.insert(args.end(), c.where.begin(), c.where.end());
        auto r = Run(args);
        ASSERT_EQ(r.status, 0) << c.where[1] << " " << c.date << r.err;
        const json out = Json(r);
        EXPECT_EQ(out["kind"], "unique");
        ASSERT_EQ(out["readings"].size(), 1u);
        EXPECT_EQ(out["readings"][0]["zone"].get<double>(), c.zone) << c.where[1] << c.date;
        EXPECT_EQ(out["readings"][0]["abbreviation"], c.abbreviation);
        EXPECT_EQ(out["readings"][0]["daylight_saving"], c.daylight);
    }
    auto r = Run({"zone", "--place", "New York", "--date", "1990-12-25", "--time", "22:30"});
    EXPECT_EQ(r.out,
              "New York, United States of America\n1990-12-25 22:30 America/New_York: zone 5 "
              "(EST, standard time, UTC-05:00)\n");
}

TEST_F(PlaceCommand, ZoneReportsSkippedAndRepeatedTimesAndFails) {
    auto r =
        Run({"zone", "--place", "New York", "--date", "2021-03-14", "--time", "02:30", "--json"});
    EXPECT_EQ(r.status, 1);
    json out = Json(r);
    EXPECT_EQ(out["kind"], "skipped");
    ASSERT_EQ(out["readings"].size(), 2u);
    EXPECT_EQ(out["readings"][0]["abbreviation"], "EST");
    EXPECT_EQ(out["readings"][1]["abbreviation"], "EDT");
    EXPECT_EQ(r.err,
              "error: 2021-03-14 02:30 did not exist in America/New_York: the clocks went from "
              "EST (zone 5) to EDT (zone 4)\n");
    r = Run(
        {"zone", "--tz", "America/New_York", "--date", "2021-11-07", "--time", "01:30", "--json"});
    EXPECT_EQ(r.status, 1);
    out = Json(r);
    EXPECT_EQ(out["kind"], "repeated");
    EXPECT_EQ(out["readings"][0]["zone"], 4.0);
    EXPECT_EQ(out["readings"][1]["zone"], 5.0);
}

TEST_F(PlaceCommand, ZoneUsesLocalMeanTimeBeforeStandardTime) {
    const json kolkata = Json(
        Run({"zone", "--place", "Kolkata", "--date", "1850-01-01", "--time", "12:00", "--json"}));
    EXPECT_EQ(kolkata["readings"][0]["local_mean_time"], true);
    EXPECT_EQ(kolkata["readings"][0]["utc_offset_seconds"], 21207);  // 88.36304 E
    const json given = Json(Run({"zone", "--tz", "America/New_York", "--long", "75W00", "--date",
                                 "1850-01-01", "--time", "12:00", "--json"}));
    EXPECT_EQ(given["readings"][0]["zone"], 5.0);
}

TEST_F(PlaceCommand, ZoneRefusesWhatItCannotAnswer) {
    struct Bad {
        std::vector<std::string> args;
        const char* says;
    };
    const Bad cases[] = {
        {{"--tz", "Europe/Londn", "--date", "2000-01-01", "--time", "12:00"},
         "did you mean Europe/London"},
        {{"--place", "Qqxyzzy", "--date", "2000-01-01", "--time", "12:00"}, "no place"},
        {{"--date", "2000-01-01", "--time", "12:00"}, "give --place or --tz"},
        {{"--tz", "Etc/UTC", "--date", "10000-01-01", "--time", "12:00"}, "outside the zone data"},
        {{"--tz", "Etc/UTC", "--date", "2000-01-01", "--time", "24:00"}, "HH:MM"},
        {{"--tz", "Etc/UTC", "--date", "2000-02-30", "--time", "12:00"}, "does not exist"},
    };
    for (const Bad& c : cases) {
        std::vector<std::string> args = {"zone"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        auto r = Run(args);
        EXPECT_EQ(r.status, 1) << c.says;
        EXPECT_EQ(r.out, "") << c.says;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
}

TEST_F(PlaceCommand, OptWriteTakesCoordinatesAndZoneFromThePlace) {
    auto r = Run({"opt", "write", Path("ny.opt"), "--natal-date", "1990-12-25", "--natal-time",
                  "10.30", "--natal-pm", "--natal-place", "New York", "--transit-date",
                  "1990-07-04", "--transit-time", "12.00", "--transit-pm"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto file = ReadChartFile(Path("ny.opt"));
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->problems.empty());
    EXPECT_EQ(file->natal.place, "New York, United States of America");
    EXPECT_EQ(file->natal.zone, "5");
    EXPECT_EQ(file->natal.zoneName, "America/New_York");
    EXPECT_NEAR(file->natal.longitude, 74.0, 1e-9);  // 74°00' West, whole minutes
    EXPECT_NEAR(file->natal.latitude, 40.71667, 1e-9);
    // The transit section took the place with the natal fields and its zone for July.
    EXPECT_EQ(file->transit.zone, "4");
    EXPECT_EQ(file->transit.zoneName, "America/New_York");
}

TEST_F(PlaceCommand, OptWriteTakesANamedZoneAndLeavesGivenFieldsAlone) {
    auto r = Run({"opt", "write", Path("tz.opt"), "--natal-date", "1941-07-01", "--natal-time",
                  "12.00", "--natal-pm", "--natal-tz", "Europe/London", "--natal-long", "0w10",
                  "--natal-lat", "51n30"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto file = ReadChartFile(Path("tz.opt"));
    EXPECT_EQ(file->natal.zone, "-2");
    EXPECT_EQ(file->natal.zoneName, "Europe/London");
    // A zone given as a number stands, and a place with all its fields given is only a name.
    r = Run({"opt", "write", Path("label.opt"), "--natal-date", "2021-03-14", "--natal-time",
             "2:30", "--natal-place", "Qqxyzzy", "--natal-zone", "5", "--natal-long", "74w00",
             "--natal-lat", "40n43"});
    ASSERT_EQ(r.status, 0) << r.err;
    file = ReadChartFile(Path("label.opt"));
    EXPECT_EQ(file->natal.place, "Qqxyzzy");
    EXPECT_EQ(file->natal.zoneName, "");
    std::string text;
    ReadWholeFile(Path("label.opt"), text);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7);  // no line of zone names
}

TEST_F(PlaceCommand, OptWriteComputesNoChartFromAGuessedZone) {
    struct Bad {
        std::vector<std::string> args;
        const char* says;
    };
    const Bad cases[] = {
        {{"--natal-date", "2021-03-14", "--natal-time", "2:30", "--natal-place", "New York"},
         "did not exist in America/New_York"},
        {{"--natal-date", "2021-11-07", "--natal-time", "1:30", "--natal-place", "New York"},
         "happened twice in America/New_York: first EDT (zone 4), then EST (zone 5); give the "
         "zone as a number"},
        {{"--natal-date", "2000-01-01", "--natal-time", "12:00", "--natal-place", "Nwe Yrok"},
         "closest are: New York, United States of America"},
        {{"--natal-date", "2000-01-01", "--natal-time", "12:00", "--natal-tz", "Europe/Londn",
          "--natal-long", "0w10", "--natal-lat", "51n30"},
         "unknown zone"},
        {{"--natal-date", "2000-01-01", "--natal-time", "12:00", "--natal-place", "London",
          "--transit-date", "2021-03-28", "--transit-time", "1:30"},
         "transit: 2021-03-28 01:30 did not exist in Europe/London"},
    };
    for (const Bad& c : cases) {
        std::vector<std::string> args = {"opt", "write", Path("bad.opt")};
        args.insert(args.end(), c.args.begin(), c.args.end());
        auto r = Run(args);
        EXPECT_EQ(r.status, 1) << c.says;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(Path("bad.opt"))) << c.says;
    }
}

TEST_F(PlaceCommand, OptReadShowsTheZoneName) {
    ASSERT_EQ(Run({"opt", "write", Path("ny.opt"), "--natal-date", "1990-07-04", "--natal-time",
                   "12:00", "--natal-place", "New York"})
                  .status,
              0);
    const json out = Json(Run({"opt", "read", Path("ny.opt"), "--json"}));
    EXPECT_EQ(out["natal"]["zone"], "4");
    EXPECT_EQ(out["natal"]["zone_name"], "America/New_York");
    EXPECT_EQ(out["values_read"], 40);
    // The readable listing names the zone after its hours.
    const auto text = Run({"opt", "read", Path("ny.opt")});
    EXPECT_NE(text.out.find("zone 4 (UTC-4:00) America/New_York"), std::string::npos) << text.out;
}

// The chart commands read the chart entry as opt write does: a place fills what is left open.
TEST_F(PlaceCommand, ChartCommandsTakeThePlaceAndTheZoneName) {
    const json ny = Json(Run({"chart", "--natal-only", "--natal-date", "1990-12-25", "--natal-time",
                              "22:30", "--natal-place", "New York", "--json"}));
    const json& natal = ny["natal"];
    EXPECT_EQ(natal["place"], "New York, United States of America");
    EXPECT_EQ(natal["zone"], 5.0);
    EXPECT_EQ(natal["zone_name"], "America/New_York");
    EXPECT_NEAR(natal["longitude_east"].get<double>(), -74.0, 1e-6);
    EXPECT_NEAR(natal["latitude_north"].get<double>(), 40.716667, 1e-6);

    // Double summer time in London, 1941: two hours east of Greenwich.
    const json london = Json(Run({"chart", "--natal-only", "--natal-date", "1941-07-01",
                                  "--natal-time", "12:00", "--natal-tz", "Europe/London",
                                  "--natal-long", "0w10", "--natal-lat", "51n30", "--json"}));
    EXPECT_EQ(london["natal"]["zone"], -2.0);
    EXPECT_EQ(london["natal"]["zone_name"], "Europe/London");

    // A transit typed on top of a chart file takes its zone from its own place and time.
    ASSERT_EQ(Run({"opt", "write", Path("ny.opt"), "--natal-date", "1990-12-25", "--natal-time",
                   "22:30", "--natal-place", "New York"})
                  .status,
              0);
    const json both = Json(Run({"chart", "--opt", Path("ny.opt"), "--transit-date", "2021-07-04",
                                "--transit-time", "12:00", "--transit-place", "Zurich", "--json"}));
    EXPECT_EQ(both["transit"]["zone"], -2.0);
    EXPECT_EQ(both["transit"]["zone_name"], "Europe/Zurich");
    EXPECT_EQ(both["natal"]["zone"], 5.0);

    const auto skipped = Run({"wheel", "--out", Path("w.svg"), "--natal-date", "2021-03-14",
                              "--natal-time", "2:30", "--natal-place", "New York"});
    EXPECT_EQ(skipped.status, 1);
    EXPECT_NE(skipped.err.find("--natal-place: "), std::string::npos) << skipped.err;
    EXPECT_NE(skipped.err.find("did not exist in America/New_York"), std::string::npos)
        << skipped.err;
    EXPECT_FALSE(std::filesystem::exists(Path("w.svg")));
}

}  // namespace
}  // namespace quintaro
