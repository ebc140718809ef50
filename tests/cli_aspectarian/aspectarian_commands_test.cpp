// SPDX-License-Identifier: AGPL-3.0-or-later
// quintaro-cli aspectarian and aspectarian merge, run as a user runs them. Event moments are
// checked against published almanac times (UTC) of January 2024: new Moon 11 Jan 11:57, full Moon
// 25 Jan 17:54, the Sun entering Aquarius 20 Jan 14:07, Mercury stationing direct 2 Jan 03:08.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "aspects/aspectarian_files.h"
#include "cli_run.h"
#include "core/calendar.h"
#include "core/ephemeris_loader.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using Json = nlohmann::json;
using Args = std::vector<std::string>;

const std::string kOutside =
    "You have entered a date outside the range of my ephemeris. Please enter another date.";

double UtJD(int year, int month, int day, int hour, int minute) {
    return DayNumber(year, month, day) - 0.5 + (hour * 60 + minute) / 1440.0;
}

std::vector<std::string> Lines(const std::string& text, const std::string& separator = "\n") {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find(separator, at);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + separator.size();
    }
    return lines;
}

class AspectarianCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(GeneratedEphemerisSource() / "ephem000.dat"))
            GTEST_SKIP() << "no generated ephemeris files";
    }
    test::CliResult Run(Args args) {
        args.insert(args.begin(), {"--home", (folder.path() / "home").string(), "aspectarian"});
        return test::RunCli(folder.path(), args);
    }
    // January 2024, geocentric, in UT: the bodies and aspects given, every event kind.
    static Args January(const std::string& transit = "sun,moon,mercury",
                        const std::string& aspects = "000,180") {
        return {"--from", "2024-01-01", "--to",  "2024-01-31", "--transit", transit,  "--pairing",
                "tt",     "--aspects",  aspects, "--events",   "all",       "--pass", "geo"};
    }
    static Args With(Args args, const Args& more) {
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }
    std::string Path(const char* name) const { return (folder.path() / name).string(); }
    // The shell's command line of the same run, for running it under another program.
    std::string CommandLine(const Args& args) const {
        std::string line = test::ShellQuoted(QUINTARO_CLI) + " --home " +
                           test::ShellQuoted((folder.path() / "home").string()) + " aspectarian";
        for (const std::string& arg : args) line += " " + test::ShellQuoted(arg);
        return line;
    }

    test::TempFolder folder;
};

// The event of a JSON pass with these kind, bodies and key.
const Json* FindEvent(const Json& pass, const std::string& kind, const std::string& body1,
                      const std::string& key, const std::string& body2 = "") {
    for (const Json& e : pass["events"])
        if (e["kind"] == kind && e["body1"] == body1 && e["key"] == key &&
            (body2.empty() ? !e.contains("body2") : e.value("body2", "") == body2))
            return &e;
    return nullptr;
}

TEST_F(AspectarianCommand, JsonEventsAtPublishedMoments) {
    const test::CliResult r = Run(With(January(), {"--json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const Json out = Json::parse(r.out);
    EXPECT_EQ(out["complete"], true);
    EXPECT_EQ(out["times_in"], "UT");
    EXPECT_EQ(out["days"], 31);
    ASSERT_EQ(out["passes"].size(), 1u);
    const Json& geo = out["passes"][0];
    EXPECT_EQ(geo["pass"], "geo");
    EXPECT_EQ(geo["days_done"], 31);

    const struct {
        const char *kind, *body1, *key, *body2;
        double jd;
        double minutes;  // tolerance
    } published[] = {
        {"long", "sun", "000", "moon", UtJD(2024, 1, 11, 11, 57), 1},
        {"long", "sun", "180", "moon", UtJD(2024, 1, 25, 17, 54), 1},
        {"sign", "sun", "AQU", "", UtJD(2024, 1, 20, 14, 7), 1},
        {"direction", "mercury", "dir", "", UtJD(2024, 1, 2, 3, 8), 10},
    };
    for (const auto& p : published) {
        const Json* e = FindEvent(geo, p.kind, p.body1, p.key, p.body2);
        ASSERT_TRUE(e) << p.kind << " " << p.body1 << " " << p.key;
        const double jd = (*e)["jd"];
        EXPECT_NEAR(jd, p.jd, p.minutes / 1440.0) << p.kind << " " << p.body1 << " " << p.key;
        // The local date and time are the moment rounded to the minute (zone 0 here).
        const long long minutes = std::llround((jd + 0.5) * 1440.0);
        const CivilDate date = JDToCalendar(static_cast<double>(minutes / 1440));
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02lld:%02lld", date.year, date.month,
                      date.day, minutes % 1440 / 60, minutes % 60);
        EXPECT_EQ((*e)["date"].get<std::string>() + " " + (*e)["time"].get<std::string>(), stamp);
    }
}

TEST_F(AspectarianCommand, ZoneShiftsDaysAndStamps) {
    const test::CliResult r =
        Run({"--from", "2024-01-11", "--to", "2024-01-11", "--transit", "sun,moon", "--pairing",
             "tt", "--aspects", "000", "--events", "long", "--pass", "geo", "--zone", "5"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Aspectarian 11 Jan 2024 to 11 Jan 2024 for transits to transits (geocentric), "
              "times in UT-05:00\n"
              "  11 Jan 2024  06:57    sun 000  moon\n");
}

TEST_F(AspectarianCommand, OutFileHoldsWhatIsPrinted) {
    const test::CliResult one = Run(With(January(), {"--out", Path("geo.att")}));
    ASSERT_EQ(one.status, 0) << one.err;
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(Path("geo.att"), bytes));
    EXPECT_EQ(bytes, one.out);
    const AttRead geo = ReadAttFile(Path("geo.att"));
    ASSERT_TRUE(geo.file) << geo.problem.text;
    EXPECT_EQ(geo.file->header.subjects.size(), 1u);

    // Both passes: printed one after the other, written as one file with the run of each line.
    Args both = January("sun,moon,mercury,venus,mars", "major");
    both.back() = "both";
    const test::CliResult r = Run(With(both, {"--out", Path("both.att")}));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> printed = Lines(r.out);
    size_t headers = 0, lines = 0;
    for (const std::string& line : printed) {
        headers += line.rfind("Aspectarian ", 0) == 0;
        lines += line.rfind("  ", 0) == 0;
    }
    EXPECT_EQ(headers, 2u);
    const AttRead joined = ReadAttFile(Path("both.att"));
    ASSERT_TRUE(joined.file) << joined.problem.text;
    EXPECT_EQ(joined.file->header.subjects.size(), 2u);
    EXPECT_EQ(joined.file->lines.size(), lines);
}

TEST_F(AspectarianCommand, CsvTableOfBothPassesInTimeOrder) {
    Args both = January("sun,moon,mercury,venus,mars", "major");
    both.back() = "both";
    const test::CliResult r = Run(With(both, {"--csv"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> rows = Lines(r.out, "\r\n");
    ASSERT_GT(rows.size(), 1u);
    EXPECT_EQ(rows[0], "Date,Time,Body 1,Event,Body 2,Run");
    size_t helio = 0;
    for (size_t n = 1; n < rows.size(); ++n) {
        EXPECT_EQ(std::count(rows[n].begin(), rows[n].end(), ','), 5) << rows[n];
        helio += rows[n].find(",tt_helio") != std::string::npos;
    }
    EXPECT_TRUE(std::is_sorted(rows.begin() + 1, rows.end(), [](const auto& a, const auto& b) {
        return a.substr(0, 16) < b.substr(0, 16);  // date and time
    }));
    EXPECT_GT(helio, 0u);
    EXPECT_NE(r.out.find("2024-01-25,17:54,sun,180,moon,tt_geo\r\n"), std::string::npos);
    EXPECT_NE(r.out.find("2024-01-20,14:07,sun,AQU ingress,,tt_geo\r\n"), std::string::npos);
}

TEST_F(AspectarianCommand, TransitsToTheNatalChartOfAFile) {
    // j2000.opt: born 1 January 2000, 12:00 UT. The Sun is back at its natal place 24 tropical
    // years (365.24219 days each) later, give or take the wobbles of the Earth's motion.
    const std::string opt =
        (std::filesystem::path(QUINTARO_SOURCE_DIR) / "tests/cli/data/j2000.opt").string();
    const test::CliResult r =
        Run({"--from", "2023-12-20", "--to", "2024-01-10", "--transit", "sun", "--natal", "sun",
             "--opt", opt, "--pairing", "tn", "--aspects", "000", "--events", "long", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json out = Json::parse(r.out);
    EXPECT_EQ(out["pairing"], "tn");
    ASSERT_EQ(out["passes"][0]["events"].size(), 1u);
    const Json& e = out["passes"][0]["events"][0];
    EXPECT_EQ(e["body2"], "sun");
    EXPECT_NEAR(e["jd"].get<double>(), 2451545.0 + 24 * 365.24219, 30 / 1440.0);
    EXPECT_TRUE(out["passes"][1]["events"].empty());  // no heliocentric Sun
}

TEST_F(AspectarianCommand, BadInputIsRefusedAndWritesNothing) {
    const Args base = January();
    auto replaced = [&](const std::string& option, const std::string& value) {
        Args args = base;
        for (size_t k = 0; k + 1 < args.size(); ++k)
            if (args[k] == option) args[k + 1] = value;
        return args;
    };
    const struct {
        const char* what;
        Args args;
        const char* message;
    } cases[] = {
        {"unknown body", replaced("--transit", "sun,vulcan"), "Unknown body \"vulcan\""},
        {"unknown aspect", replaced("--aspects", "000,091"), "Unknown aspect \"091\""},
        {"unknown event", replaced("--events", "long,eclipse"), "Unknown event kind \"eclipse\""},
        {"no such date", replaced("--from", "2024-02-30"), "Invalid date \"2024-02-30\""},
        {"zone", With(base, {"--zone", "16"}), "Invalid time zone \"16\""},
        {"pairing", replaced("--pairing", "nn"), "Unknown pairing \"nn\""},
        {"pass", replaced("--pass", "all"), "Unknown pass \"all\""},
        {"empty selection", replaced("--transit", ""), "Transit planet(s) not selected"},
        {"one body", replaced("--transit", "sun"), "two or more transit planets"},
        {"no natal body", replaced("--pairing", "tn"), "Natal planet not selected"},
        {"no event kind", replaced("--events", ""), "Nothing to look for"},
        {"missing option", Args(base.begin() + 2, base.end()), "missing --from"},
        {"chart file", With(base, {"--opt", "/no/such.opt"}), "cannot read chart data file"},
    };
    for (const auto& c : cases) {
        const test::CliResult r = Run(With(c.args, {"--out", Path("never.att")}));
        EXPECT_EQ(r.status, 1) << c.what << ": " << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.what << ": " << r.err;
        EXPECT_EQ(r.out, "") << c.what;
        EXPECT_FALSE(std::filesystem::exists(Path("never.att"))) << c.what;
    }
    EXPECT_NE(Run(With(base, {"--csv", "--json"})).status, 0);
}

TEST_F(AspectarianCommand, RangeLeavingTheEphemerisPrintsTheDaysDone) {
    const Args args = {"--from",    "2049-12-28", "--to",      "2050-01-05",
                       "--transit", "sun,moon",   "--pairing", "tt",
                       "--aspects", "major",      "--events",  "all",
                       "--pass",    "geo",        "--out",     Path("x.att")};
    const test::CliResult r = Run(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(kOutside), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("nothing written to " + Path("x.att")), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(Path("x.att")));
    // The day tables end with 1 January 2050: the days up to 31 December are complete.
    const AttRead printed = ParseAttText(r.out, "stdout");
    ASSERT_TRUE(printed.file) << printed.problem.text;
    EXPECT_EQ(IsoDate(printed.file->header.to), "2049-12-31");
    ASSERT_FALSE(printed.file->lines.empty());
    EXPECT_LE(IsoDate(printed.file->lines.back().stamp.date), "2049-12-31");

    const Json out = Json::parse(Run(With(args, {"--json"})).out);
    EXPECT_EQ(out["complete"], false);
    EXPECT_EQ(out["outcome"], "outside the ephemeris");
    EXPECT_EQ(out["passes"][0]["days_done"], 4);

    const test::CliResult before =
        Run({"--from", "1800-01-01", "--to", "1800-01-02", "--transit", "sun,moon", "--pairing",
             "tt", "--aspects", "major", "--events", "all"});
    EXPECT_EQ(before.status, 2);
    EXPECT_EQ(before.out, "");
    EXPECT_NE(before.err.find(kOutside), std::string::npos);
}

TEST_F(AspectarianCommand, InterruptStopsTheRunAndKeepsWhatWasFound) {
    // Ctrl+C (SIGINT) three seconds into a run of a century and a half.
    const Args century = {"--from",    "1901-01-01",
                          "--to",      "2049-12-31",
                          "--transit", "sun,moon,mercury,venus,mars,jupiter,saturn,uranus,pluto",
                          "--pairing", "tt",
                          "--aspects", "all",
                          "--events",  "all",
                          "--out",     Path("century.att")};
    const std::string command = "timeout --preserve-status -s INT 3 " + CommandLine(century) +
                                " >" + Path("out.txt") + " 2>" + Path("err.txt");
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 130);
    std::string out, err;
    ReadWholeFile(Path("out.txt"), out);
    ReadWholeFile(Path("err.txt"), err);
    EXPECT_NE(err.find("Operation stopped by user"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(Path("century.att")));
    // The pass that was running when the signal came ends early; on a fast machine the first
    // pass may already be whole, so the last list printed is the one to look at.
    std::string last = out.substr(0, out.find_last_not_of('\n') + 1);
    if (const size_t gap = last.rfind("\n\n"); gap != std::string::npos) last.erase(0, gap + 2);
    const AttRead printed = ParseAttText(last, "stdout");
    ASSERT_TRUE(printed.file) << printed.problem.text;
    EXPECT_LT(IsoDate(printed.file->header.to), "2049-12-31");
}

TEST_F(AspectarianCommand, ProgressLineOnlyOnATerminal) {
    const test::CliResult plain = Run(January());
    ASSERT_EQ(plain.status, 0);
    EXPECT_EQ(plain.err.find("Processing day"), std::string::npos);
    if (std::system("command -v script >/dev/null 2>&1") != 0) GTEST_SKIP() << "no script(1)";
    // script(1) gives the program a terminal; its standard output goes elsewhere.
    const std::string command = "script -qec " +
                                test::ShellQuoted(CommandLine(January()) + " >/dev/null") +
                                " /dev/null >" + Path("terminal.txt") + " 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::string terminal;
    ReadWholeFile(Path("terminal.txt"), terminal);
    EXPECT_NE(terminal.find("\rProcessing day 1 out of 31 days"), std::string::npos) << terminal;

    // A message during the run starts on a wiped line, not behind the progress text.
    const Args leaving = {"--from",    "2049-12-20", "--to",      "2050-01-05",
                          "--transit", "sun,moon",   "--pairing", "tt",
                          "--aspects", "major",      "--events",  "all"};
    const std::string leavingCommand = "script -qec " +
                                       test::ShellQuoted(CommandLine(leaving) + " >/dev/null") +
                                       " /dev/null >" + Path("leaving.txt") + " 2>&1";
    std::system(leavingCommand.c_str());
    ReadWholeFile(Path("leaving.txt"), terminal);
    const size_t message = terminal.find(kOutside);
    ASSERT_NE(message, std::string::npos) << terminal;
    const size_t lineStart = terminal.find_last_of("\r\n", message);
    ASSERT_NE(lineStart, std::string::npos) << terminal;
    EXPECT_EQ(terminal.substr(lineStart, message - lineStart).find("Processing"), std::string::npos)
        << terminal;
}

class MergeCommand : public AspectarianCommand {
  protected:
    test::CliResult Merge(Args args) {
        args.insert(args.begin(),
                    {"--home", (folder.path() / "home").string(), "aspectarian", "merge"});
        return test::RunCli(folder.path(), args);
    }
    void Write(const char* name, const std::string& text) {
        ASSERT_EQ(WriteFileAtomically(Path(name), text), "");
    }
};

TEST_F(MergeCommand, JoinsRunsIntoACombinedFile) {
    for (const char* pass : {"geo", "helio"}) {
        Args args = January("sun,moon,mercury,venus,mars", "major");
        args.back() = pass;
        ASSERT_EQ(Run(With(args, {"--out", Path(pass) + ".att"})).status, 0);
    }
    const test::CliResult r =
        Merge({Path("geo") + ".att", Path("helio") + ".att", "--out", Path("january.att")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Merged 2 files into " + Path("january_combined.att") + "\n");
    const AttRead geo = ReadAttFile(Path("geo.att"));
    const AttRead helio = ReadAttFile(Path("helio.att"));
    const AttRead joined = ReadAttFile(Path("january_combined.att"));
    ASSERT_TRUE(joined.file && geo.file && helio.file) << joined.problem.text;
    EXPECT_EQ(joined.file->lines.size(), geo.file->lines.size() + helio.file->lines.size());
    EXPECT_EQ(HeaderLine(joined.file->header),
              "Aspectarian 01 Jan 2024 to 31 Jan 2024 for transits to transits (geocentric) and "
              "transits to transits (heliocentric), times in UT");
}

TEST_F(MergeCommand, RefusesFilesItCannotJoinAndWritesNothing) {
    const std::string header =
        "Aspectarian 01 Jan 2024 to 01 Jan 2024 for transits to transits (geocentric), times in ";
    Write("good.att", header + "UT\n  01 Jan 2024  03:12    sun 090  moon\n");
    Write("zone5.att", header + "UT-05:00\n  01 Jan 2024  03:12    sun 090  moon\n");
    Write("binary.att", std::string("Aspectarian\0\x01\x02", 14));
    Write("kept_combined.att", "what was there");
    for (auto [file, message] :
         {std::pair("binary.att", "binary.att is damaged"), std::pair("zone5.att", "Cannot merge"),
          std::pair("missing.att", "Could not open")}) {
        const test::CliResult r =
            Merge({Path("good.att"), Path(file), "--out", Path("kept_combined.att")});
        EXPECT_EQ(r.status, 1) << file;
        EXPECT_NE(r.err.find(message), std::string::npos) << file << ": " << r.err;
        EXPECT_EQ(r.out, "");
        std::string kept;
        ReadWholeFile(Path("kept_combined.att"), kept);
        EXPECT_EQ(kept, "what was there") << file;
    }
}

}  // namespace
}  // namespace quintaro
