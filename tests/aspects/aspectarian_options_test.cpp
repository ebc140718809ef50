// SPDX-License-Identifier: AGPL-3.0-or-later
// The value lists of the aspectarian command line: what they accept and what they say otherwise.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aspects/aspectarian_options.h"

namespace quintaro {
namespace {

std::vector<int> Keys(const AspectarianAspects& aspects) {
    std::vector<int> keys;
    for (int k = 1; k <= 17; ++k)
        if (aspects[static_cast<size_t>(k)]) keys.push_back(k);
    return keys;
}

TEST(AspectarianOptions, AspectLists) {
    const struct {
        const char* text;
        std::vector<int> keys;
    } cases[] = {
        {"major", {1, 4, 5, 6, 7, 16, 17}},
        {"clashes", {4, 7}},
        {"linkages", {1, 5, 16}},
        {"all", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}},
        {"000,090,par", {1, 4, 16}},
        {"032, 051 ,c.p", {14, 15, 17}},
        {"clashes,036,Major", {1, 4, 5, 6, 7, 12, 16, 17}},
        {"144,144", {9}},
    };
    for (const auto& c : cases) {
        auto parsed = ParseAspectOption(c.text);
        ASSERT_TRUE(parsed.value) << c.text << ": " << parsed.error;
        EXPECT_EQ(Keys(*parsed.value), c.keys) << c.text;
    }
    const std::string accepted =
        "\": use major, clashes, linkages, all or aspect keys (000, 030, 060, 090, 120, 150, 180, "
        "072, 144, 045, 135, 036, 040, 032, 051, par, c.p).";
    const struct {
        const char* text;
        const char* item;
    } bad[] = {{"032.7", "032.7"}, {"000,,090", ""}, {"", ""}, {"cp", "cp"}, {"90", "90"}};
    for (const auto& c : bad) {
        auto parsed = ParseAspectOption(c.text);
        EXPECT_FALSE(parsed.value) << c.text;
        EXPECT_EQ(parsed.error, "Unknown aspect \"" + std::string(c.item) + accepted);
    }
}

TEST(AspectarianOptions, BodyLists) {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    catalogue.BodyNames[21] = "pholus";
    const struct {
        const char* text;
        std::vector<int> slots;
    } cases[] = {
        {"sun,moon", {1, 4}},
        {"Moon, SUN", {1, 4}},
        {"mercu,jupit,saturn", {2, 6, 7}},
        {"pholus,node,mc", {13, 19, 21}},
        {"sun,sun", {1}},
        {"partf,ascendant", {18, 20}},
    };
    for (const auto& c : cases) {
        auto parsed = ParseBodyOption(c.text, catalogue);
        ASSERT_TRUE(parsed.value) << c.text << ": " << parsed.error;
        EXPECT_EQ(*parsed.value, c.slots) << c.text;
    }
    for (const char* bad : {"plutx", "sun,unused", "", "merc", "sun,,moon"}) {
        auto parsed = ParseBodyOption(bad, catalogue);
        EXPECT_FALSE(parsed.value) << bad;
        EXPECT_EQ(parsed.error.rfind("Unknown body \"", 0), 0u) << parsed.error;
    }
    EXPECT_EQ(ParseBodyOption("sun,plutx", catalogue).error,
              "Unknown body \"plutx\": the bodies are sun, mercury, venus, moon, mars, jupiter, "
              "saturn, uranus, neptune, pluto, earth, chiron, node, ceres, pallas, vesta, juno, "
              "ascendant, mc, partf, pholus.");
}

TEST(AspectarianOptions, EventKinds) {
    auto kinds = ParseEventOption("long,side");
    ASSERT_TRUE(kinds.value);
    EXPECT_TRUE(kinds.value->longitudeAspects);
    EXPECT_TRUE(kinds.value->sideChanges);
    EXPECT_FALSE(kinds.value->secondAspects || kinds.value->signChanges ||
                 kinds.value->directionChanges);
    kinds = ParseEventOption("all");
    ASSERT_TRUE(kinds.value);
    EXPECT_TRUE(kinds.value->longitudeAspects && kinds.value->secondAspects &&
                kinds.value->signChanges && kinds.value->directionChanges &&
                kinds.value->sideChanges);
    kinds = ParseEventOption("decl,stations");
    EXPECT_FALSE(kinds.value);
    EXPECT_EQ(kinds.error,
              "Unknown event kind \"stations\": use long, decl, sign, direction, side or all.");
}

TEST(AspectarianOptions, PairingPassZoneAndDate) {
    EXPECT_EQ(ParsePairingOption("tt").value, AspectarianPairing::TransitTransit);
    EXPECT_EQ(ParsePairingOption("TN").value, AspectarianPairing::TransitNatal);
    EXPECT_EQ(ParsePairingOption("nn").error,
              "Unknown pairing \"nn\": use tt (transits to transits) or tn (transits to natal).");
    EXPECT_EQ(ParsePassOption("geo").value, AspectarianPasses::Geocentric);
    EXPECT_EQ(ParsePassOption("helio").value, AspectarianPasses::Heliocentric);
    EXPECT_EQ(ParsePassOption("both").value, AspectarianPasses::Both);
    EXPECT_EQ(ParsePassOption("topo").error, "Unknown pass \"topo\": use geo, helio or both.");

    const struct {
        const char* text;
        double hours;
    } zones[] = {{"0", 0}, {"5", 5}, {"-5.5", -5.5}, {" 10.75 ", 10.75}, {"-15", -15}};
    for (const auto& z : zones) EXPECT_EQ(ParseZoneOption(z.text).value, z.hours) << z.text;
    for (const char* bad : {"", "five", "5h", "15.5", "-16", "nan", "inf"}) {
        auto zone = ParseZoneOption(bad);
        EXPECT_FALSE(zone.value) << bad;
        EXPECT_NE(zone.error.find("give hours west of Greenwich, from -15 to 15"),
                  std::string::npos);
    }

    auto date = ParseDateOption("2024-02-29");
    ASSERT_TRUE(date.value);
    EXPECT_EQ(date.value->year, 2024);
    EXPECT_EQ(date.value->month, 2);
    EXPECT_EQ(date.value->day, 29);
    for (const char* bad : {"2023-02-29", "2024-13-01", "2024-1-1", "24-01-01", "2024/01/01",
                            "2024-01-00", "0000-01-01", "2024-01-01x", ""}) {
        auto parsed = ParseDateOption(bad);
        EXPECT_FALSE(parsed.value) << bad;
        EXPECT_EQ(parsed.error,
                  "Invalid date \"" + std::string(bad) + "\": give a calendar date as YYYY-MM-DD.");
    }
}

}  // namespace
}  // namespace quintaro
