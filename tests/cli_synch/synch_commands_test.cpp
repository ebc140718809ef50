// SPDX-License-Identifier: AGPL-3.0-or-later
#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>

#include "cli_run.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using Json = nlohmann::json;

const std::string kJ2000 = QUINTARO_SOURCE_DIR "/tests/cli/data/j2000.opt";

class SynchCommands : public ::testing::Test {
  protected:
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", home()});
        return test::RunCli(folder.path(), args);
    }
    std::string home() const { return (folder.path() / "home").string(); }
    std::string write(const std::string& name, const std::string& bytes) {
        auto path = folder.path() / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    std::string read(const std::string& path) {
        std::string bytes;
        ReadWholeFile(path, bytes);
        return bytes;
    }
    // The default synchronization group of a started installation: 15 bodies less the Moon,
    // natal and transit.
    std::string group() {
        if (!std::filesystem::exists(home() + "/group1.syn")) Run({"now"});
        return home() + "/group1.syn";
    }
    test::TempFolder folder;
};

// The priorities of "GeneralUse.ord" as the installation writes them (natal, transit).
const std::map<std::string, std::pair<int, int>> kPriorities = {
    {"sun", {70, 80}},     {"mercury", {15, 15}}, {"venus", {85, 90}},  {"moon", {40, 40}},
    {"mars", {35, 35}},    {"jupiter", {95, 99}}, {"saturn", {99, 55}}, {"uranus", {40, 60}},
    {"neptune", {65, 78}}, {"pluto", {60, 60}},   {"earth", {65, 75}},  {"chiron", {93, 98}},
    {"ceres", {30, 70}},   {"pallas", {25, 15}},  {"vesta", {30, 15}},  {"juno", {50, 50}}};

// Each synchronization's members lie within the orb of the first (its anchor), by magnitude and
// across 30 degrees for longitudes, and its priority index is the sum of its members' priorities.
TEST_F(SynchCommands, OneDayAsJson) {
    auto r = Run({"synch", "--opt", kJ2000, "--syn", group(), "--orbs", "2,1.5,2,0.4", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json j = Json::parse(r.out);
    ASSERT_EQ(j["kinds"].size(), 4u);
    const std::vector<std::string> codes = {"gl", "gd", "hl", "hlat"};
    size_t found = 0;
    for (size_t k = 0; k < 4; ++k) {
        const Json& kind = j["kinds"][k];
        EXPECT_EQ(kind["code"], codes[k]);
        const double orb = kind["orb"];
        int previous = INT16_MAX;
        for (const Json& s : kind["synchronizations"]) {
            const double anchor = std::fabs(s["members"][0]["value"].get<double>());
            int sum = 0;
            for (const Json& m : s["members"]) {
                const double v = std::fabs(m["value"].get<double>());
                const bool within = std::fabs(v - anchor) <= orb + 1e-9;
                const bool wrapped = k % 2 == 0 && std::fabs(v + 30 - anchor) <= orb + 1e-9;
                EXPECT_TRUE(within || wrapped) << s["line"] << " " << v << " from " << anchor;
                const auto& p = kPriorities.at(m["name"]);
                sum += m["side"] == "natal" ? p.first : p.second;
            }
            EXPECT_EQ(s["priority"], sum) << s["line"];
            EXPECT_LE(s["priority"].get<int>(), previous);
            previous = s["priority"];
            ++found;
        }
        // The listing file holds the candidates of the kind, by magnitude.
        const std::string listing = read(home() + "/reports/synch_" + codes[k] + ".txt");
        EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'),
                  static_cast<long>(kind["candidates"].size()));
    }
    EXPECT_GT(found, 0u);
    auto text = Run({"synch", "--opt", kJ2000, "--syn", group(), "--orbs", "2,1.5,2,0.4"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, "Synchronizations\n\n" + j["panes"]["synchronizations"].get<std::string>() +
                            "\nNatal positions\n\n" + j["panes"]["natal"].get<std::string>() +
                            "\nTransit positions\n\n" + j["panes"]["transits"].get<std::string>());
}

TEST_F(SynchCommands, AMonthDayByDay) {
    const std::string out = (folder.path() / "feb.sbd").string();
    auto r = Run({"synch", "--opt", kJ2000, "--syn", group(), "--month", "2024-02", "--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, out + "\n");
    const std::string sbd = read(out);
    const std::string head = "Synchronization Files Used\n{" + group() + "}\n" + read(group());
    EXPECT_EQ(sbd.substr(0, head.size()), head);
    std::regex day(
        "\n\nSTART OF NEW DAY\n-----\n(\\d\\d) Feb 2024\nGeo longitude synchronization\n");
    int days = 0;
    for (auto it = std::sregex_iterator(sbd.begin(), sbd.end(), day); it != std::sregex_iterator();
         ++it)
        EXPECT_EQ(std::stoi((*it)[1]), ++days);
    EXPECT_EQ(days, 29);
}

TEST_F(SynchCommands, BadInputIsRefusedAndWritesNothing) {
    const std::string syn = group();
    const std::string out = (folder.path() / "x.sbd").string();
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"synch", "--syn", (folder.path() / "none.syn").string()}, "does not exist"},
        {{"synch", "--syn", syn + "," + (folder.path() / "gone.syn").string()}, "does not exist"},
        {{"synch", "--syn", write("zero.syn", std::string("sun-n\0mars-t\n", 13))}, "is damaged"},
        {{"synch", "--syn", write("names.syn", "plato-n\nzeus-t\n")}, "lists no body"},
        {{"synch", "--syn", syn, "--orbs", "a,1,1,1"}, "is not an orb"},
        {{"synch", "--syn", syn, "--orbs", "1,1,1"}, "four orbs"},
        {{"synch", "--syn", syn, "--orbs", "1,1,1,1,1"}, "four orbs"},
        {{"synch", "--syn", syn, "--month", "2024-13", "--out", out}, "YYYY-MM"},
        {{"synch", "--syn", syn, "--month", "2024-02"}, "--out"},
        {{"synch", "--syn", syn, "--out", out}, "--month"},
        {{"synch", "--opt", (folder.path() / "no.opt").string(), "--syn", syn}, "no.opt"},
        {{"symmetry", "--syn", syn, "--orb-geo", "-1"}, "is not an orb"},
        {{"symmetry", "--syn", (folder.path() / "none.syn").string()}, "does not exist"},
    };
    for (const Case& c : cases) {
        auto r = Run(c.args);
        EXPECT_NE(r.status, 0) << c.args.back();
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args.back() << ": " << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(SynchCommands, OrbsFollowTheLeadingNumberRule) {
    const std::string syn = group();
    auto a = Run({"synch", "--opt", kJ2000, "--syn", syn, "--orbs", "1.5.7,1.,1,0.30", "--json"});
    auto b = Run({"synch", "--opt", kJ2000, "--syn", syn, "--orbs", "1.5,1,1,0.3", "--json"});
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(Json::parse(a.out)["kinds"], Json::parse(b.out)["kinds"]);
}

// A member line naming no body is skipped; the others count.
TEST_F(SynchCommands, UnknownMembersAreSkipped) {
    group();
    const std::string plain = write("plain.syn", "sun-n\nvenus-n\nmars-t\njupiter-t\n");
    const std::string noisy =
        write("noisy.syn", "sun-n\nplato-n\nvenus-n\nmars-t\n# note\njupiter-t\n");
    auto a = Run({"synch", "--opt", kJ2000, "--syn", plain, "--orbs", "5,5,5,5", "--json"});
    auto b = Run({"synch", "--opt", kJ2000, "--syn", noisy, "--orbs", "5,5,5,5", "--json"});
    ASSERT_EQ(b.status, 0) << b.err;
    EXPECT_EQ(Json::parse(a.out)["kinds"], Json::parse(b.out)["kinds"]);
}

double HalfSum(double a, double b) {
    return (a + b) / 2;
}

bool OnAxis(double p, double m, double orb) {
    double d = std::fmod(std::fabs(p - m), 360.0);
    if (d > 180) d = 360 - d;
    return d <= orb + 1e-9 || d >= 180 - orb - 1e-9;
}

TEST_F(SynchCommands, SymmetricalPatternsPassTheirTest) {
    auto r = Run({"symmetry", "--opt", kJ2000, "--syn", group(), "--orb-geo", "1.5", "--orb-helio",
                  "2.25", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json j = Json::parse(r.out);
    EXPECT_EQ(j["heading"], "Symmetrical patterns using planets in " + group());
    size_t patterns = 0;
    for (const Json& kind : j["kinds"]) {
        const double orb = kind["orb"];
        EXPECT_EQ(orb, kind["kind"] == "geo" ? 1.5 : 2.25);
        for (const Json& p : kind["patterns"]) {
            std::vector<double> at;
            for (const Json& m : p["members"]) at.push_back(m["longitude"]);
            const bool triple = p["pass"] == 1 || p["pass"] == 3;
            EXPECT_TRUE(triple ? OnAxis(at[0], HalfSum(at[1], at[2]), orb)
                               : OnAxis(HalfSum(at[0], at[1]), HalfSum(at[2], at[3]), orb))
                << p["text"];
            ++patterns;
        }
    }
    EXPECT_GT(patterns, 10u);
    auto text = Run({"symmetry", "--opt", kJ2000, "--syn", group(), "--orb-geo", "1.5"});
    ASSERT_EQ(text.status, 0);
    EXPECT_EQ(
        text.out.rfind(
            "Symmetrical patterns using planets in " + group() + "\n\nGeocentric patterns (", 0),
        0u);
}

TEST_F(SynchCommands, AFullPatternListIsReportedAndFails) {
    const std::string syn = group();
    write("home/arrays.txt", "Num_Aspects=1500\nnum_synchs_syms_allowed_in_array=5\n");
    auto r = Run({"symmetry", "--opt", kJ2000, "--syn", syn, "--json"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Limit reached: I cannot add any more aspects - I have reached my limit "
                         "of 5."),
              std::string::npos)
        << r.err;
    const Json j = Json::parse(r.out);
    EXPECT_EQ(j["kinds"][0]["patterns"].size(), 5u);
}

// Counts the degree labels of an SVG wheel: texts like "26.7" in the label size.
size_t DegreeLabels(const std::string& svg) {
    std::regex label(R"(<text [^>]*font-size="10\.67"[^>]*>\d+\.\d<)");
    return static_cast<size_t>(
        std::distance(std::sregex_iterator(svg.begin(), svg.end(), label), std::sregex_iterator()));
}

TEST_F(SynchCommands, SmallWheelsAsFiles) {
    const std::string syn = group();
    auto json = Run({"synch", "--opt", kJ2000, "--syn", syn, "--json"});
    ASSERT_EQ(json.status, 0);
    const Json first = Json::parse(json.out)["kinds"][0]["synchronizations"][0];
    const std::string svg = (folder.path() / "synch.svg").string();
    auto r = Run({"wheel", "--opt", kJ2000, "--synch", "1", "--kind", "gl", "--syn", syn, "--out",
                  svg, "--size", "500"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string drawing = read(svg);
    EXPECT_NE(drawing.find(" - black planets"), std::string::npos);
    EXPECT_EQ(DegreeLabels(drawing), first["members"].size());

    const std::string png = (folder.path() / "sym.png").string();
    r = Run({"wheel", "--opt", kJ2000, "--symmetry", "2", "--kind", "helio", "--syn", syn, "--out",
             png, "--size", "320"});
    ASSERT_EQ(r.status, 0) << r.err;
    cairo_surface_t* image = cairo_image_surface_create_from_png(png.c_str());
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(image), 320);
    cairo_surface_destroy(image);

    const std::vector<std::vector<std::string>> refused = {
        {"--synch", "999", "--kind", "gl", "--syn", syn},
        {"--synch", "1", "--kind", "geo", "--syn", syn},
        {"--symmetry", "1", "--kind", "hl", "--syn", syn},
        {"--synch", "1", "--symmetry", "1", "--kind", "gl", "--syn", syn},
        {"--synch", "1", "--kind", "gl"},
        {"--synch", "0", "--kind", "gl", "--syn", syn},
    };
    for (std::vector<std::string> args : refused) {
        const std::string out = (folder.path() / "refused.png").string();
        args.insert(args.begin(), {"wheel", "--opt", kJ2000, "--out", out});
        auto bad = Run(args);
        EXPECT_NE(bad.status, 0) << args[5] << " " << args[6];
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

}  // namespace
}  // namespace quintaro
