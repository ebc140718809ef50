// SPDX-License-Identifier: AGPL-3.0-or-later
#include "cli/name_lookup.h"

#include <gtest/gtest.h>

namespace quintaro::cli {
namespace {

TEST(HouseSystemNames, AnyLetterCaseAndTheShortForms) {
    struct Case {
        const char* text;
        HouseSystem system;
    } cases[] = {
        {"Placidus", HouseSystem::Placidus},
        {"placidus", HouseSystem::Placidus},
        {"PLACIDUS", HouseSystem::Placidus},
        {"P", HouseSystem::Placidus},
        {"plac", HouseSystem::Placidus},
        {"koch", HouseSystem::Koch},
        {"K", HouseSystem::Koch},
        {"Equal MC", HouseSystem::EqualMC},
        {"equal-mc", HouseSystem::EqualMC},
        {"equal_mc", HouseSystem::EqualMC},
        {"equal", HouseSystem::EqualAscendant},
        {"E", HouseSystem::EqualAscendant},
        {"equal asc", HouseSystem::EqualAscendant},
        {"regio", HouseSystem::Regiomontanus},
        {"R", HouseSystem::Regiomontanus},
        {"O", HouseSystem::Porphyry},
        {"porphyry", HouseSystem::Porphyry},
        {"velm-astro", HouseSystem::VelmAstro},
        {"X", HouseSystem::Meridian},
        {"mer", HouseSystem::Meridian},
        {"M", HouseSystem::Morinus},
        {"campanus", HouseSystem::Campanus},
        {"solar", HouseSystem::Solar},
        {"Arabic", HouseSystem::Arabic},
    };
    for (const Case& c : cases) {
        std::string error;
        auto system = FindHouseSystemByName(c.text, error);
        ASSERT_TRUE(system) << c.text << ": " << error;
        EXPECT_EQ(*system, c.system) << c.text;
    }
}

TEST(HouseSystemNames, UnknownOrAmbiguousNamesListTheSystems) {
    for (const char* text : {"xyz", "eq", "mo", "", "Placidus2"}) {
        std::string error;
        EXPECT_FALSE(FindHouseSystemByName(text, error)) << text;
        for (std::string_view name : HouseSystemNames)
            EXPECT_NE(error.find(name), std::string::npos) << text << ": " << error;
        EXPECT_NE(error.find("Koch (K)"), std::string::npos) << error;
    }
}

BodyCatalogue CatalogueWithPholus() {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    AddFreeSlotBody(catalogue, "pholus");
    return catalogue;
}

TEST(BodyNames, FullNamesShortFormsAndTheFiveLetterRule) {
    const BodyCatalogue catalogue = CatalogueWithPholus();
    struct Case {
        const char* text;
        int slot;
    } cases[] = {
        {"Sun", 1},
        {"sun", 1},
        {"SUN", 1},
        {"Jup", 6},
        {"jupiter", 6},
        {"jupiters", 6},
        {"plutonium", 10},
        {"merc", 2},
        {"ma", 5},
        {"North node", 13},
        {"nn", 13},
        {"NN", 13},
        {"node", 13},
        {"N. Node", 13},
        {"asc", 18},
        {"Ascendant", 18},
        {"AC", 18},
        {"mc", 19},
        {"MC", 19},
        {"midheaven", 19},
        {"pf", 20},
        {"part of fortune", 20},
        {"Part-of-Fortune", 20},
        {"pholus", 21},
        {"Pholus", 21},
        {"phol", 21},
        {"venus-n", 3},
    };
    for (const Case& c : cases) {
        std::string error;
        auto slot = FindBodyByName(catalogue, c.text, error);
        ASSERT_TRUE(slot) << c.text << ": " << error;
        EXPECT_EQ(*slot, c.slot) << c.text;
    }
}

TEST(BodyNames, SlotTwentyAnswersToTheNameItHasNow) {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    TogglePartOfFortuneVertex(catalogue);
    std::string error;
    EXPECT_EQ(FindBodyByName(catalogue, "vertex", error), 20);
    EXPECT_EQ(FindBodyByName(catalogue, "VX", error), 20);
    EXPECT_FALSE(FindBodyByName(catalogue, "pf", error));
    EXPECT_EQ(BodyDisplayName(catalogue, 20), "Vertex");
}

TEST(BodyNames, UnknownAndAmbiguousNamesAreErrorsThatListTheBodies) {
    const BodyCatalogue catalogue = CatalogueWithPholus();
    struct Case {
        const char* text;
        const char* reason;
    } cases[] = {{"xyz", "unknown body 'xyz'"},
                 {"ju", "'ju' could be Jupiter or Juno"},
                 {"", "no body name given"},
                 {"unused", "unknown body 'unused'"}};
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(FindBodyByName(catalogue, c.text, error)) << c.text;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_NE(error.find("the bodies are Sun, Mercury, Venus, Moon"), std::string::npos)
            << error;
        EXPECT_NE(error.find("North node"), std::string::npos) << error;
        EXPECT_NE(error.find("pholus"), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace quintaro::cli
