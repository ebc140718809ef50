// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/place_resolution.h"

#include <gtest/gtest.h>

#include "app/chart_stages.h"
#include "app/entry_places.h"
#include "core/atomic_file.h"
#include "core/ephemeris_loader.h"
#include "recording_messages.h"
#include "setup/entry_zone.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

struct PlacesSession : ::testing::Test {
    test::TempFolder home;
    test::RecordingMessages messages;
    Session session{home.path(), messages};

    void WriteOwnPlaces(const std::string& text) {
        ASSERT_TRUE(WriteFileAtomically(session.places.ownPlacesFile(), text).empty());
        session.places.forgetOwnPlaces();
    }
    PlaceResolution Resolve(const std::string& place, LocalDateTime local,
                            const std::string& zone = {}) {
        PlaceRequest request;
        request.place = place;
        request.zoneName = zone;
        request.local = local;
        return ResolvePlaceAndZone(session, request);
    }
};

// The zones themselves are checked through the command line (tests/cli_places); here what the
// lookup takes from where.
TEST_F(PlacesSession, AZoneNamedDirectlyWinsOverThePlaces) {
    const PlaceResolution r = Resolve("London", {2000, 1, 1, 12, 0}, "asia/tokyo");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.zoneName, "Asia/Tokyo");
    EXPECT_EQ(r.reading().zoneHours(), -9);
    EXPECT_NEAR(*r.longitude, -0.13, 0.01);  // still London's coordinates
    // Coordinates and a zone need no atlas at all; the given longitude sets the mean time.
    PlaceRequest request;
    request.zoneName = "America/New_York";
    request.latitude = 40.0;
    request.longitude = -75.0;
    request.local = {1850, 1, 1, 12, 0};
    const PlaceResolution given = ResolvePlaceAndZone(session, request);
    ASSERT_TRUE(given.ok());
    EXPECT_TRUE(given.reading().localMeanTime);
    EXPECT_EQ(given.reading().zoneHours(), 5);
    EXPECT_EQ(Resolve("", {2000, 1, 1, 12, 0}).error, "no zone: give a place or a zone name");
}

TEST_F(PlacesSession, OwnPlacesComeFirstAndDamagedLinesAreNamedOnce) {
    WriteOwnPlaces(
        "Newark office; 40N44; 74W10; America/New_York\n"
        "Broken; 95N00; 0E00; Etc/UTC\n"
        "New Yorker hotel; 40.7527; -73.9934; America/New_York\n");
    const std::vector<GeoPlace> found = PlaceCompletions(session, "new", 3);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].name, "Newark office");
    EXPECT_EQ(found[1].name, "New Yorker hotel");
    EXPECT_EQ(found[2].name, "New York");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("line 2: the latitude \"95N00\" lies beyond 90 degrees"),
              std::string::npos)
        << messages.shown[0].text;
    PlaceCompletions(session, "new", 3);
    EXPECT_EQ(messages.shown.size(), 1u);
    const PlaceResolution r = Resolve("newark off", {2000, 7, 1, 12, 0});
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.place->own);
    EXPECT_EQ(r.reading().zoneHours(), 4);
}

TEST_F(PlacesSession, ABirthRecordTakesThePlacesCoordinates) {
    BirthData birth;
    birth.name = "A. Player";
    birth.place = "Chicago";
    birth.date = CivilDate{1985, 7, 1};
    birth.time = BirthClock{3, 15, Meridiem::PM};
    EntrySection section;
    std::string note;
    ASSERT_TRUE(TransferBirthData(session, birth, section, note));
    EXPECT_EQ(note, "");
    EXPECT_EQ(section.place, "Chicago");
    EXPECT_EQ(section.latDeg + " " + section.latMin, "41 51");
    EXPECT_EQ(section.longDeg + " " + section.longMin, "87 39");
    EXPECT_EQ(section.zone, "5");  // CDT, from the place
    EXPECT_TRUE(section.zoneSource.fromPlace);
    // The record's own zone stands.
    birth.zone = 6.0;
    ASSERT_TRUE(TransferBirthData(session, birth, section, note));
    EXPECT_EQ(section.zone, "6");
    EXPECT_FALSE(section.zoneSource.fromPlace);
    birth.place = "Qqxyzzy";
    ASSERT_TRUE(TransferBirthData(session, birth, section, note));
    EXPECT_NE(note.find("no place \"Qqxyzzy\""), std::string::npos);
}

TEST_F(PlacesSession, AZoneAtAMomentFoundByCalculation) {
    // JD 2459287.8125 is 2021-03-14 07:30 UT: EDT had begun half an hour earlier.
    const InstantZone z = ZoneAtMoment(session, "America/New_York", 2459287.8125, std::nullopt);
    ASSERT_TRUE(z.ok());
    EXPECT_EQ(z.reading.abbreviation, "EDT");
}

TEST_F(PlacesSession, AnOpenZoneStopsTheComputationWithAMessage) {
    if (!std::filesystem::exists(GeneratedEphemerisSource() / "ephem000.dat"))
        GTEST_SKIP() << "no generated ephemeris files";
    session.workstation.clock = [] { return DateTimeParts{2000, 1, 1, 12, 0, 0}; };
    ASSERT_TRUE(StartSession(session));
    ASSERT_TRUE(session.workstation.chartsComputed);
    EntrySection& natal = session.workstation.entry.natal;
    natal.year = "2021";
    natal.month = "3";
    natal.day = "14";
    natal.hour = "2";
    natal.minute = "30";
    natal.pm = false;
    ChooseEntryPlace(session, Section::Natal, PlaceCompletions(session, "New York", 1).at(0));
    ASSERT_TRUE(natal.zoneSource.unresolved);
    messages.shown.clear();
    EXPECT_FALSE(ComputeCharts(session));
    EXPECT_FALSE(session.workstation.chartsComputed);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text.rfind("The natal zone is open: 2:30 AM did not exist", 0), 0u);
    // Typing the zone settles it.
    natal.zone = "4";
    EntryFieldEdited(session, Section::Natal, EntryField::Zone);
    EXPECT_TRUE(ComputeCharts(session));
}

}  // namespace
}  // namespace quintaro
