// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/home_zone.h"

#include <gtest/gtest.h>

#include "core/atomic_file.h"
#include "places/zone_cities.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

// 2021-07-01 and 2021-01-15, 12:00 UT.
constexpr std::int64_t kJuly = 1625140800;
constexpr std::int64_t kJanuary = 1610712000;

struct HomeSession : ::testing::Test {
    test::TempFolder home;
    SilentMessages messages;
    Session session{home.path(), messages};

    void SetHome(double zone, double westDegrees, double northDegrees, int minutes = 0) {
        HomeLocation& h = session.workstation.homeLocation;
        h.zone = zone;
        h.longitude = {{std::fabs(westDegrees), static_cast<double>(minutes)},
                       westDegrees < 0 ? EastWest::East : EastWest::West};
        h.latitude = {{std::fabs(northDegrees), 0},
                      northDegrees < 0 ? NorthSouth::South : NorthSouth::North};
    }
};

TEST_F(HomeSession, TheNearestCityShowingTheHomeZoneNamesIt) {
    SetHome(5, 73, 40, 59);  // the exchange at 73°59' W, 40° N, zone 5
    const auto july = HomeZoneAt(session, kJuly);
    ASSERT_TRUE(july);
    EXPECT_EQ(july->zone.zoneName, "America/New_York");
    EXPECT_EQ(july->reading.zoneHours(), 4);
    EXPECT_EQ(HomeZoneAt(session, kJanuary)->reading.zoneHours(), 5);
    // Kolkata's zone has no daylight saving.
    SetHome(-5.5, -88, 22);
    EXPECT_EQ(HomeZoneAt(session, kJuly)->reading.zoneHours(), -5.5);
}

TEST_F(HomeSession, TheZoneMustShowTheHomeNumber) {
    // New York's coordinates with Chicago's zone: the nearest main city of central time
    // (Knox, Indiana) names it.
    SetHome(6, 73, 40, 59);
    EXPECT_EQ(HomeZoneAt(session, kJanuary)->zone.zoneName, "America/Indiana/Knox");
    EXPECT_EQ(HomeZoneAt(session, kJanuary)->reading.zoneHours(), 6);
    EXPECT_EQ(HomeZoneAt(session, kJuly)->reading.zoneHours(), 5);
    // Phoenix keeps 7 all year; Denver, farther, shows 7 only in winter.
    SetHome(7, 111, 35, 39);  // Flagstaff
    EXPECT_EQ(HomeZoneAt(session, kJuly)->zone.zoneName, "America/Phoenix");
    EXPECT_EQ(HomeZoneAt(session, kJuly)->reading.zoneHours(), 7);
    SetHome(2, 30, 40);  // the middle of the Atlantic
    EXPECT_FALSE(HomeZoneAt(session, kJuly));
    SetHome(9, -60, 10);  // no zone anywhere near keeps 9 hours west
    EXPECT_FALSE(HomeZoneAt(session, kJuly));
}

TEST(ZoneTable, ReadsTheCoordinatesOfEachForm) {
    const auto cities = ParseZoneTable(
        "# comment\n"
        "US\t+404251-0740023\tAmerica/New_York\tEastern (most areas)\n"
        "IN\t+2232+08822\tAsia/Kolkata\n"
        "XX\t+99\tBroken/Line\n"
        "XX\tnothing\n");
    ASSERT_EQ(cities.size(), 2u);
    EXPECT_EQ(cities[0].zoneName, "America/New_York");
    EXPECT_NEAR(cities[0].latitude, 40 + 42 / 60.0 + 51 / 3600.0, 1e-12);
    EXPECT_NEAR(cities[0].longitude, -(74 + 0 / 60.0 + 23 / 3600.0), 1e-12);
    EXPECT_NEAR(cities[1].longitude, 88 + 22 / 60.0, 1e-12);
    EXPECT_GT(ReadZoneCities().size(), 300u);
}

TEST_F(HomeSession, TheUsersPlaceNamedHomeComesFirst) {
    SetHome(5, 73, 40, 59);
    ASSERT_TRUE(
        WriteFileAtomically(session.places.ownPlacesFile(), "home; 48N51; 2E21; Europe/Paris\n")
            .empty());
    const auto home = HomeZoneAt(session, kJuly);
    ASSERT_TRUE(home);
    EXPECT_EQ(home->zone.zoneName, "Europe/Paris");
    EXPECT_EQ(home->zone.source, "your place \"Home\"");
    EXPECT_EQ(home->reading.zoneHours(), -2);
}

}  // namespace
}  // namespace quintaro
