// SPDX-License-Identifier: AGPL-3.0-or-later
// Missing and damaged ephemeris files: the bodies they hold are unavailable everywhere, the
// message names the file and how to restore it, and every command that needed them fails.
#include <fstream>

#include "cli_home.h"
#include "core/atomic_file.h"

namespace quintaro::test {
namespace {

using nlohmann::json;

class EphemerisFiles : public CliHome {
  protected:
    void truncate(const char* name, std::uintmax_t size) {
        std::filesystem::resize_file(loadFolder() / name, size);
    }
    // The bodies (by slot) of a chart's JSON whose geocentric longitude is null (the Earth has
    // none at all).
    static std::vector<int> NullBodies(const json& chart) {
        std::vector<int> slots;
        for (const json& body : chart["bodies"])
            if (body["geo_long"].is_null() && body["slot"] != SlotEarth)
                slots.push_back(body["slot"]);
        return slots;
    }
};

// ephem001.dat holds Mercury, Venus, Earth and Mars.
TEST_F(EphemerisFiles, ADamagedPlanetFileLeavesItsBodiesUnavailable) {
    prepare();
    truncate("ephem001.dat", 300000);

    CliResult chart = run({"chart", "--opt", kJ2000Opt, "--json"});
    EXPECT_EQ(chart.status, 1);
    EXPECT_TRUE(Has(chart.err, "ephem001.dat is damaged")) << chart.err;
    EXPECT_TRUE(Has(chart.err, "quintaro-cli ephemeris install")) << chart.err;
    EXPECT_TRUE(Has(chart.err, "no position for mercury, venus, mars, earth in the natal chart"))
        << chart.err;
    json parsed = Parse(chart.out);
    ASSERT_FALSE(parsed.is_discarded()) << chart.out;
    const json& natal = parsed["natal"];
    EXPECT_EQ(natal["valid"], false);
    EXPECT_EQ(NullBodies(natal), (std::vector<int>{SlotMercury, SlotVenus, SlotMars}));
    for (const json& body : natal["bodies"]) {
        const int slot = body["slot"];
        if (slot == SlotMercury) {
            EXPECT_TRUE(body["geo_decl"].is_null());
            EXPECT_TRUE(body["helio_long"].is_null());
            EXPECT_TRUE(body["house"].is_null());  // placed in no house
        }
        if (slot == SlotSun) {
            EXPECT_NEAR(body["geo_long"].get<double>(), 280.369, 0.001);
        }
        if (slot == SlotEarth) {
            EXPECT_TRUE(body["helio_long"].is_null());
        }
    }

    // Never in an aspect; the list of the other bodies is still given.
    CliResult aspects = run({"aspects", "--opt", kJ2000Opt, "--pairing", "nn", "--json"});
    EXPECT_EQ(aspects.status, 1);
    json list = Parse(aspects.out);
    ASSERT_FALSE(list.is_discarded()) << aspects.out;
    EXPECT_FALSE(list["entries"].empty());
    for (const json& entry : list["entries"])
        for (const char* side : {"body1", "body2"})
            for (int slot : {SlotMercury, SlotVenus, SlotMars})
                EXPECT_NE(entry[side].get<int>(), slot) << entry.dump();

    // Blank in the positions grid: the row keeps its name and nothing else.
    CliResult grid = run({"chart", "--opt", kJ2000Opt, "--grid"});
    EXPECT_EQ(grid.status, 1);
    EXPECT_TRUE(Has(grid.out, "\n02  MER\n")) << grid.out;
    CliResult text = run({"chart", "--opt", kJ2000Opt});
    EXPECT_EQ(text.status, 1);
    EXPECT_TRUE(Has(text.out, "\n 2  Mercury     unavailable     unavailable")) << text.out;

    CliResult positions = run({"positions", "--jd", "2451545.0", "--json"});
    EXPECT_EQ(positions.status, 1);
    json listed = Parse(positions.out);
    EXPECT_EQ(listed["valid"], false);
    EXPECT_TRUE(listed["bodies"][SlotMercury - 1]["long"].is_null());
    EXPECT_FALSE(listed["bodies"][SlotSun - 1]["long"].is_null());

    CliResult wheel = run({"wheel", "--opt", kJ2000Opt, "--out", path("wheel.svg")});
    EXPECT_EQ(wheel.status, 1);
    EXPECT_TRUE(Has(wheel.err, "no position for mercury")) << wheel.err;
}

TEST_F(EphemerisFiles, InstallPutsBackDamagedFilesAndKeepsSoundOnes) {
    prepare();
    truncate("ephem001.dat", 1000);
    truncate("pholus1900l.eph", 100);
    std::string before;
    ASSERT_TRUE(ReadWholeFile(loadFolder() / "ephem002.dat", before));

    CliResult check = run({"ephemeris", "check"});
    EXPECT_EQ(check.status, 1);
    EXPECT_TRUE(Has(check.out, "ephem001.dat  is damaged")) << check.out;
    EXPECT_TRUE(Has(check.out, "pholus1900l.eph  is damaged")) << check.out;
    EXPECT_TRUE(Has(check.out, "ephem002.dat  ok")) << check.out;

    CliResult install = run({"ephemeris", "install"});
    EXPECT_EQ(install.status, 0) << install.err;
    EXPECT_EQ(install.out, "installed ephem001.dat\ninstalled pholus1900l.eph\n");
    std::string after;
    ASSERT_TRUE(ReadWholeFile(loadFolder() / "ephem002.dat", after));
    EXPECT_EQ(after, before);
    EXPECT_EQ(run({"ephemeris", "check"}).status, 0);

    CliResult chart = run({"chart", "--opt", kJ2000Opt, "--json"});
    EXPECT_EQ(chart.status, 0) << chart.err;
    EXPECT_EQ(Parse(chart.out)["natal"]["valid"], true);
}

// Without a copy of its own the workstation names the missing files and the way to get them:
// the install command with a folder that holds them.
TEST_F(EphemerisFiles, WithoutASourceMissingFilesAreNamedWithTheWayBack) {
    const std::filesystem::path generated = GeneratedEphemerisSource();
    TempFolder empty;
    ScopedEnvironment noSource("QUINTARO_EPHEMERIS_SOURCE", empty.path().string());

    CliResult positions = run({"positions", "--jd", "2451545.0", "--json"});
    EXPECT_EQ(positions.status, 1);
    for (int n = 0; n < 5; ++n)
        EXPECT_TRUE(Has(positions.err, "ephem00" + std::to_string(n) + ".dat is missing"))
            << positions.err;
    EXPECT_TRUE(Has(positions.err, "quintaro-cli ephemeris install --from FOLDER"));
    json listed = Parse(positions.out);
    EXPECT_EQ(listed["valid"], false);
    for (int slot = SlotSun; slot <= SlotPluto; ++slot)
        EXPECT_TRUE(listed["bodies"][slot - 1]["long"].is_null()) << slot;

    CliResult chart = run({"chart", "--opt", kJ2000Opt, "--json"});
    EXPECT_EQ(chart.status, 1);
    EXPECT_EQ(NullBodies(Parse(chart.out)["natal"]).size(), 15u);  // all selected but Earth
    EXPECT_TRUE(Parse(chart.out)["natal"]["part_of_fortune"].is_null());

    // Nothing "conjunct" among bodies without positions.
    CliResult aspects = run({"aspects", "--opt", kJ2000Opt, "--pairing", "tn", "--json"});
    EXPECT_EQ(aspects.status, 1);
    const json found = Parse(aspects.out);
    for (const json& entry : found["entries"])
        EXPECT_TRUE(entry["body1"].get<int>() >= SlotAscendant &&
                    entry["body2"].get<int>() >= SlotAscendant)
            << entry.dump();

    EXPECT_EQ(run({"ephemeris", "install"}).status, 1);
    CliResult install = run({"ephemeris", "install", "--from", generated.string()});
    EXPECT_EQ(install.status, 0) << install.err;
    EXPECT_TRUE(Has(install.out, "installed ephem001.dat"));
    EXPECT_EQ(run({"positions", "--jd", "2451545.0"}).status, 0);
}

TEST_F(EphemerisFiles, ADeletedDayTableWithoutASourceLeavesItsBodyUnavailable) {
    prepare();
    TempFolder empty;
    ScopedEnvironment noSource("QUINTARO_EPHEMERIS_SOURCE", empty.path().string());
    std::filesystem::remove(loadFolder() / "pholus1900d.eph");
    CliResult positions = run({"positions", "--jd", "2451545.0", "--json"});
    EXPECT_EQ(positions.status, 1);
    EXPECT_TRUE(Has(positions.err, "pholus1900d.eph is missing")) << positions.err;
    json listed = Parse(positions.out);
    EXPECT_EQ(listed["bodies"][20]["name"], "pholus");
    EXPECT_TRUE(listed["bodies"][20]["long"].is_null());
    EXPECT_FALSE(listed["bodies"][21]["long"].is_null());  // hjp has its tables
}

}  // namespace
}  // namespace quintaro::test
