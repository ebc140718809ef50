// SPDX-License-Identifier: AGPL-3.0-or-later
#include "places/user_places_file.h"

#include <gtest/gtest.h>

#include "core/atomic_file.h"
#include "system_zones.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::Zones;

TEST(UserPlaces, ReadsEachWayOfWritingCoordinates) {
    const UserPlacesFile file = ParseUserPlaces(
        "# my places\n"
        "\n"
        "Grandma's farm; 40N46; 73W59; America/New_York\n"
        "Office ; 51.5074 ; -0.1278 ; europe/london \r\n"
        "Beach; 33s52.5; 151e12.6; Australia/Sydney\n"
        "Hut; 46.5N; 8.2e; Europe/Zurich",
        Zones());
    EXPECT_TRUE(file.problems.empty());
    ASSERT_EQ(file.places.size(), 4u);
    EXPECT_EQ(file.places[0].name, "Grandma's farm");
    EXPECT_NEAR(file.places[0].latitude, 40 + 46 / 60.0, 1e-12);
    EXPECT_NEAR(file.places[0].longitude, -(73 + 59 / 60.0), 1e-12);
    EXPECT_EQ(file.places[1].name, "Office");
    EXPECT_EQ(file.places[1].zoneName, "Europe/London");  // as the database spells it
    EXPECT_EQ(file.places[1].longitude, -0.1278);
    EXPECT_NEAR(file.places[2].latitude, -(33 + 52.5 / 60), 1e-12);
    EXPECT_NEAR(file.places[2].longitude, 151 + 12.6 / 60, 1e-12);
    EXPECT_EQ(file.places[3].latitude, 46.5);
    EXPECT_TRUE(file.places[3].own);
}

TEST(UserPlaces, KeepsTheGoodLinesAndNamesTheBadOnes) {
    const UserPlacesFile file = ParseUserPlaces(
        "Good; 10N00; 20E00; Etc/UTC\n"
        "Too few; 10N00; 20E00\n"
        "North pole plus; 91N00; 0E00; Etc/UTC\n"
        "East latitude; 10E00; 0E00; Etc/UTC\n"
        "Minutes; 10N60; 0E00; Etc/UTC\n"
        "Words; north; 0E00; Etc/UTC\n"
        "Far; 10N00; 181.5; Etc/UTC\n"
        "Zone; 10N00; 20E00; Mars/Base\n"
        "; 10N00; 20E00; Etc/UTC\n"
        "Also good; -10; 20; Asia/Tokyo\n",
        Zones());
    ASSERT_EQ(file.places.size(), 2u);
    EXPECT_EQ(file.places[0].name, "Good");
    EXPECT_EQ(file.places[1].name, "Also good");
    const std::vector<std::string> expected = {
        "line 2: has 3 fields instead of four (name; latitude; longitude; zone)",
        "line 3: the latitude \"91N00\" lies beyond 90 degrees",
        "line 4: the latitude \"10E00\" needs N or S",
        "line 5: the latitude \"10N60\" has minutes of 60 or more",
        "line 6: the latitude \"north\" has more than one letter",
        "line 7: the longitude \"181.5\" lies beyond 180 degrees",
        "line 8: the zone \"Mars/Base\" is not known",
        "line 9: the name is empty",
    };
    EXPECT_EQ(file.problems, expected);
}

TEST(UserPlaces, LinesWrittenForAPlaceReadBack) {
    test::TempFolder folder;
    const auto path = folder.path() / "places.txt";
    GeoPlace place{"Cabin; by the lake", "", "", "", -33.8765, 151.2101, "Australia/Sydney", 0};
    ASSERT_EQ(AddUserPlace(path, place), "");
    ASSERT_EQ(AddUserPlace(path, {"Second", "", "", "", 0.5, -0.25, "Etc/UTC", 0}), "");
    const UserPlacesFile file = ReadUserPlaces(path, Zones());
    EXPECT_TRUE(file.problems.empty());
    ASSERT_EQ(file.places.size(), 2u);
    EXPECT_EQ(file.places[0].name, "Cabin  by the lake");  // the separator cannot be in a name
    EXPECT_NEAR(file.places[0].latitude, -33.8765, 0.5 / 6000);  // minutes to two decimals
    EXPECT_NEAR(file.places[0].longitude, 151.2101, 0.5 / 6000);
    EXPECT_EQ(file.places[1].name, "Second");
    std::string text;
    ASSERT_TRUE(ReadWholeFile(path, text));
    EXPECT_EQ(text.rfind("# ", 0), 0u);  // a new file explains itself
    EXPECT_NE(text.find("Second; 0N30; 0W15; Etc/UTC\n"), std::string::npos) << text;
}

TEST(UserPlaces, AMissingFileHasNoPlacesAndNoProblems) {
    test::TempFolder folder;
    const UserPlacesFile file = ReadUserPlaces(folder.path() / "none.txt", Zones());
    EXPECT_TRUE(file.places.empty());
    EXPECT_TRUE(file.problems.empty());
}

}  // namespace
}  // namespace quintaro
