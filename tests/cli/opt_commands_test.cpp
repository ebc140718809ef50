// SPDX-License-Identifier: AGPL-3.0-or-later
// opt write and opt read: the files are read back with the chart file reader, and a chart
// written and loaded is the chart typed on one line.
#include <regex>

#include "cli_fixture.h"
#include "setup/chart_data_file.h"
#include "setup/planet_groups.h"

namespace quintaro::test {
namespace {

using Args = std::vector<std::string>;

class OptCommand : public CliTest {
  protected:
    std::optional<ChartFile> ReadBack(const std::string& name) { return ReadChartFile(Path(name)); }
    CliResult Write(const std::string& name, const Args& more) {
        Args args = {"opt", "write", Path(name)};
        args.insert(args.end(), more.begin(), more.end());
        return Run(args);
    }
};

const Args kAnn = {"--natal-name", "Ann",          "--natal-place", "New York",     "--natal-date",
                   "1990-12-25",   "--natal-time", "10:30pm",       "--natal-zone", "5",
                   "--natal-long", "73w59",        "--natal-lat",   "40n46"};

TEST_F(OptCommand, WritesTheFileAndSaysHowItUnderstoodTheChart) {
    CliResult r = Write("ann.opt", kAnn);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Wrote " + Path("ann.opt") +
                         "\n"
                         "natal    Ann (New York)  1990-12-25  10:30 P.M. (22:30)  zone 5 "
                         "(UTC-5:00)  73°59′ W  40°46′ N\n"
                         "transit  Transits (New York)  1990-12-25  10:30 P.M. (22:30)  zone 5 "
                         "(UTC-5:00)  73°59′ W  40°46′ N\n"
                         "bodies   chiron, moon\n");
    auto file = ReadBack("ann.opt");
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->problems.empty());
    EXPECT_EQ(file->natal.name, "Ann");
    EXPECT_EQ(file->natal.hour24, 22);
    EXPECT_EQ(file->natal.minute, "30");
    EXPECT_NEAR(file->natal.longitude, 73 + 59 / 60.0, 1e-4);  // West positive
    EXPECT_NEAR(file->natal.latitude, 40 + 46 / 60.0, 1e-4);
}

// The check boxes the entry window starts with: the Moon and Chiron on, the node, the angles and
// the part of fortune off.
TEST_F(OptCommand, SelectsTheBodiesTheEntryWindowStartsWith) {
    ASSERT_EQ(Write("default.opt", kAnn).status, 0);
    auto file = ReadBack("default.opt");
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->flags[FlagMoon]);
    EXPECT_TRUE(file->flags[FlagChiron]);
    EXPECT_FALSE(file->flags[FlagNode]);
    EXPECT_FALSE(file->flags[FlagAngles]);
    EXPECT_FALSE(file->flags[FlagPartOfFortune]);
    const SelectionFlags window = DefaultSelectGroup();
    EXPECT_EQ(file->flags[FlagMoon], window.natal(SlotMoon));
    EXPECT_EQ(file->flags[FlagChiron], window.natal(SlotChiron));

    Args chosen = kAnn;
    chosen.insert(chosen.end(), {"--select", "Node, PF,moon"});
    ASSERT_EQ(Write("chosen.opt", chosen).status, 0);
    file = ReadBack("chosen.opt");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->flags, (std::array<bool, 5>{true, false, true, false, true}));
    chosen.back() = "none";
    ASSERT_EQ(Write("none.opt", chosen).status, 0);
    EXPECT_EQ(ReadBack("none.opt")->flags, (std::array<bool, 5>{}));
}

TEST_F(OptCommand, AChartWrittenAndLoadedIsTheChartTypedOnOneLine) {
    ASSERT_EQ(Write("ann.opt", kAnn).status, 0);
    auto loaded = Json({"chart", "--opt", Path("ann.opt"), "--natal-only"})["natal"];
    Args typed = {"chart", "--natal-only"};
    typed.insert(typed.end(), kAnn.begin(), kAnn.end());
    auto direct = Json(typed)["natal"];
    EXPECT_EQ(loaded["jd"], direct["jd"]);
    EXPECT_EQ(loaded["asc"], direct["asc"]);
    EXPECT_EQ(loaded["longitude"], "73°59′ W");
    ASSERT_FALSE(loaded["bodies"].empty());
    EXPECT_EQ(loaded["bodies"][0], direct["bodies"][0]);
}

TEST_F(OptCommand, ReadShowsTheChartsAndFlags) {
    Args args = kAnn;
    args.insert(args.end(), {"--transit-name", "Transits", "--transit-date", "2027-01-02",
                             "--transit-time", "0:05", "--transit-zone", "6", "--transit-long",
                             "87w38", "--transit-lat", "41n52", "--select", "node,pf,moon"});
    ASSERT_EQ(Write("sample.opt", args).status, 0);
    const std::string text = Output({"opt", "read", Path("sample.opt")});
    EXPECT_EQ(text,
              "natal    Ann (New York)  1990-12-25  10:30 P.M. (22:30)  zone 5 (UTC-5:00)  73°59′ "
              "W  40°46′ N\n"
              "transit  Transits (New York)  2027-01-02  12:05 A.M. (00:05)  zone 6 (UTC-6:00)  "
              "87°38′ W  41°52′ N\n"
              "bodies   node, pf, moon\n"
              "carried  0 0\n"
              "values   40 of 40\n");
    auto json = Json({"opt", "read", Path("sample.opt")});
    EXPECT_EQ(json["transit"]["hour24"], 0.0);
    EXPECT_EQ(json["transit"]["meridiem"], "A.M.");
    EXPECT_EQ(json["natal"]["zone"], "5");
    EXPECT_EQ(json["natal"]["zone_name"], "");  // a zone typed as hours has no name
    EXPECT_EQ(json["flags"]["node"], true);
    EXPECT_EQ(json["flags"]["angles"], false);
}

TEST_F(OptCommand, ReadsDamagedFilesAsFarAsTheyGo) {
    const std::string data = std::string(QUINTARO_SOURCE_DIR) + "/tests/cli/data/";
    auto commas = Json({"opt", "read", data + "commas.opt"});
    EXPECT_EQ(commas["natal"]["name"], "Ann, Lee");
    EXPECT_EQ(commas["natal"]["long_word"], "East");
    EXPECT_EQ(commas["natal"]["lat_word"], "North");
    EXPECT_EQ(commas["transit"]["lat_word"], "South");
    EXPECT_EQ(commas["carried"], (nlohmann::json{7.0, -2.5}));
    CliResult truncated = Run({"opt", "read", data + "truncated.opt"});
    EXPECT_TRUE(Contains(truncated.err, "ends after 4 of its 40 values")) << truncated.err;
    EXPECT_TRUE(Contains(truncated.out, "values   4 of 40")) << truncated.out;
    ExpectRefused({"opt", "read", data + "missing.opt"}, "cannot open the chart data file");
}

TEST_F(OptCommand, RefusalsLeaveExistingFilesAlone) {
    ASSERT_EQ(Write("keep.opt", kAnn).status, 0);
    std::string before;
    ASSERT_TRUE(ReadWholeFile(Path("keep.opt"), before));
    struct Case {
        Args args;
        const char* message;
    } cases[] = {
        {{}, "--natal-date is required"},
        {{"--natal-date", "2000-01-01"}, "--natal-date needs --natal-time"},
        {{"--natal-date", "2000-01-01", "--natal-time", "15.00", "--natal-am", "--natal-zone", "0",
          "--natal-long", "0w00", "--natal-lat", "0n00"},
         "the hours go from 1 to 12"},
        {{"--natal-date", "2000-01-01", "--natal-time", "12:00", "--natal-zone", "0",
          "--natal-long", "87.60", "--natal-lat", "0n00"},
         "the minutes go from 0 to 59"},
        {{"--natal-date", "2000-01-01", "--natal-time", "12:00", "--natal-zone", "0",
          "--natal-long", "0w00", "--natal-lat", "0n00", "--select", "sun"},
         "unknown body 'sun' in --select"},
    };
    for (const Case& c : cases) {
        Args args = {"opt", "write", Path("keep.opt")};
        args.insert(args.end(), c.args.begin(), c.args.end());
        ExpectRefused(args, c.message);
        std::string after;
        ASSERT_TRUE(ReadWholeFile(Path("keep.opt"), after));
        EXPECT_EQ(after, before) << c.message;
    }
    CliResult noFolder = Write("no/such/folder/x.opt", kAnn);
    EXPECT_NE(noFolder.status, 0);
    EXPECT_FALSE(noFolder.err.empty());
}

}  // namespace
}  // namespace quintaro::test
