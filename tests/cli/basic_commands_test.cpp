// SPDX-License-Identifier: AGPL-3.0-or-later
// jd, calendar, body, help and version; and the window program's help without a display.
#include <regex>

#include "cli_fixture.h"

namespace quintaro::test {
namespace {

class BasicCommands : public CliTest {};

// Published Julian Days: 2000-01-01 12:00 UT is 2451545.0 (J2000); 1987-04-10 19:21 UT is
// 2446896.30625 (Meeus, example 12.b); 1957-10-04 19:26:24 UT is 2436116.31 (example 7.a); the
// calendar reform: 1582-10-04 (Julian) and the next day 1582-10-15 (Gregorian) begin at
// 2299159.5 and 2299160.5.
TEST_F(BasicCommands, JulianDaysOfCivilMoments) {
    struct Case {
        std::vector<std::string> moment;
        double jd;
    } cases[] = {
        {{"--date", "2000-01-01", "--time", "12:00"}, 2451545.0},
        {{"--date", "2000-01-01", "--time", "12.00", "--pm", "--zone", "0"}, 2451545.0},
        {{"--date", "2000-01-01", "--time", "12am"}, 2451544.5},
        {{"--date", "2000-01-01", "--time", "7:30am", "--zone", "5"}, 2451545.0 + 0.5 / 24},
        {{"--date", "2000-01-01", "--time", "7:30", "--zone", "UTC-5"}, 2451545.0 + 0.5 / 24},
        {{"--date", "1987-04-10", "--time", "19:21"}, 2446896.30625},
        {{"--date", "1582-10-04", "--time", "0:00"}, 2299159.5},
        {{"--date", "1582-10-15", "--time", "0:00"}, 2299160.5},
        {{"--date", "1582-10-16", "--time", "0:00"}, 2299161.5},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"jd"};
        args.insert(args.end(), c.moment.begin(), c.moment.end());
        EXPECT_NEAR(Json(args)["jd"].get<double>(), c.jd, 1e-8) << args[2] << " " << args[4];
    }
    const std::string text = Output({"jd", "--date", "1957-10-04", "--time", "19:26"});
    EXPECT_TRUE(text.starts_with("ChartJD     2436116.30")) << text;
}

TEST_F(BasicCommands, JdRefusesImpossibleMoments) {
    ExpectRefused({"jd", "--date", "2000-13-01", "--time", "1:00"}, "month 13");
    ExpectRefused({"jd", "--date", "2023-02-29", "--time", "1:00"}, "29");
    ExpectRefused({"jd", "--date", "1582-10-10", "--time", "1:00"}, "1582-10");
    ExpectRefused({"jd", "--date", "2000-01-01", "--time", "1.75", "--am"}, "minutes");
    ExpectRefused({"jd", "--date", "2000-01-01", "--time", "1.00", "--am", "--pm"}, "--pm");
    ExpectRefused({"jd", "--date", "2000-01-01", "--time", "1.00"}, "needs am or pm");
    ExpectRefused({"jd", "--date", "2000-01-01"}, "--time");
}

// Meeus, example 7.c: JD 2436116.31 is 1957 October 4.81.
TEST_F(BasicCommands, CalendarDatesOfJulianDays) {
    EXPECT_EQ(Output({"calendar", "--jd", "2436116.31"}), "1957-10-04\n");
    auto json = Json({"calendar", "--jd", "2451544.5"});
    EXPECT_EQ(json, (nlohmann::json{{"year", 2000}, {"month", 1}, {"day", 1}}));
    ExpectRefused({"calendar", "--jd", "1e12"}, "jd out of range");
}

TEST_F(BasicCommands, BodyNamesInAnyForm) {
    EXPECT_EQ(Output({"body", "jupiter"}), "6  Jupiter\n");
    EXPECT_EQ(Output({"body", "JUP"}), "6  Jupiter\n");
    EXPECT_EQ(Output({"body", "plutonium"}), "10  Pluto\n");  // the five-letter rule
    EXPECT_EQ(Output({"body", "mc"}), "19  Midheaven\n");
    EXPECT_EQ(Output({"body", "NN"}), "13  North node\n");
    auto pholus = Json({"body", "Pholus"});
    EXPECT_EQ(pholus["slot"], 21);
    EXPECT_EQ(pholus["key"], "pholus");
    ExpectRefused({"body", "xyz"},
                  "unknown body 'xyz'; the bodies are Sun, Mercury, Venus, Moon, Mars, Jupiter");
    ExpectRefused({"body", "plato"}, "Part of fortune, pholus");
}

TEST_F(BasicCommands, BodyWithoutANameListsTheCatalogue) {
    auto all = Json({"body"});
    ASSERT_GE(all.size(), 20u);
    EXPECT_EQ(all[0]["name"], "Sun");
    EXPECT_EQ(all[19]["name"], "Part of fortune");
    const std::string csv = Output({"body", "--csv"});
    EXPECT_TRUE(csv.starts_with("slot,name,key\r\n1,Sun,sun\r\n")) << csv;
}

TEST_F(BasicCommands, HelpAndVersion) {
    CliResult help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"chart", "aspects", "wheel", "houses", "opt"})
        EXPECT_TRUE(Contains(help.out, command)) << command;
    CliResult chartHelp = Run({"chart", "--help"});
    EXPECT_EQ(chartHelp.status, 0);
    for (const char* option : {"--natal-date", "--natal-time", "--natal-zone", "--natal-long",
                               "--natal-lat", "--transit-date", "--opt", "--csv", "--json"})
        EXPECT_TRUE(Contains(chartHelp.out, option)) << option;
    EXPECT_TRUE(Contains(chartHelp.out, "73w59")) << chartHelp.out;
    // The chart entry's options are added once a command is chosen: its help lists them.
    const std::vector<std::vector<std::string>> entryCommands = {
        {"aspects"}, {"grid"}, {"wheel"}, {"progress"}, {"return"}, {"report"}, {"opt", "write"}};
    for (std::vector<std::string> command : entryCommands) {
        command.push_back("--help");
        CliResult r = Run(command);
        EXPECT_EQ(r.status, 0) << command[0];
        EXPECT_TRUE(Contains(r.out, "--natal-lat")) << command[0] << "\n" << r.out;
    }
    CliResult version = Run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(std::regex_match(version.out, std::regex(R"(quintaro-cli \d+\.\d+.*\n)")))
        << version.out;
    CliResult nothing = Run({});
    EXPECT_NE(nothing.status, 0);
    EXPECT_TRUE(Contains(nothing.err, "subcommand")) << nothing.err;
}

#ifdef QUINTARO_WINDOW_PROGRAM
// The window program without a display: help and version work, the program itself says in one
// sentence what to do.
class WindowProgram : public CliTest {
  protected:
    CliResult RunWithoutDisplay(const std::vector<std::string>& args) {
        return RunProgram(QUINTARO_WINDOW_PROGRAM, folder.path(), args,
                          {{"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}, {}});
    }
};

TEST_F(WindowProgram, HelpAndVersionNeedNoDisplay) {
    CliResult help = RunWithoutDisplay({"--help"});
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_TRUE(Contains(help.out, "--home")) << help.out;
    EXPECT_TRUE(Contains(help.out, "--screenshot")) << help.out;
    CliResult version = RunWithoutDisplay({"--version"});
    EXPECT_EQ(version.status, 0) << version.err;
    EXPECT_TRUE(std::regex_match(version.out, std::regex(R"(quintaro \d+\.\d+.*\n)")))
        << version.out;
}

TEST_F(WindowProgram, WithoutADisplayItSaysSoInOneSentence) {
    for (const std::vector<std::string>& setting :
         {std::vector<std::string>{"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"},
          std::vector<std::string>{"DISPLAY=:97", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}}) {
        CliResult r = RunProgram(QUINTARO_WINDOW_PROGRAM, folder.path(),
                                 {"--home", home().string()}, {setting, {}});
        EXPECT_EQ(r.status, 1) << setting[0] << ": " << r.err;
        EXPECT_TRUE(std::regex_match(
            r.err, std::regex(R"(quintaro: [^.\n]*QT_QPA_PLATFORM=offscreen[^\n]*\.\n)")))
            << setting[0] << ": " << r.err;
    }
}
#endif

}  // namespace
}  // namespace quintaro::test
