// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/home_zone.h"

#include <gtest/gtest.h>

#include "core/atomic_file.h"
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

TEST_F(HomeSession, AZoneNumberNoNearbyCityShowsGivesNoName) {
    SetHome(6, 73, 40, 59);  // New York's coordinates with Chicago's zone
    EXPECT_FALSE(HomeZoneAt(session, kJuly));
    SetHome(2, 30, 40);  // the middle of the Atlantic
    EXPECT_FALSE(HomeZoneAt(session, kJuly));
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
