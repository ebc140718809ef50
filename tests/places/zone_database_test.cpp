// SPDX-License-Identifier: AGPL-3.0-or-later
// Zone readings against facts checked with Python's zoneinfo on the same zoneinfo files (and, for
// the wartime and half-hour zones, with the published histories they come from).
#include "places/zone_database.h"

#include <gtest/gtest.h>

#include "places/zone_text.h"
#include "system_zones.h"

namespace quintaro {
namespace {

using test::Zones;

struct KnownZone {
    const char* zone;
    LocalDateTime local;
    int offset;  // seconds east of Greenwich
    const char* abbreviation;
    bool daylight;
    const char* zoneField;  // the workstation's zone, hours west
};

class KnownZones : public ::testing::TestWithParam<KnownZone> {};

TEST_P(KnownZones, GiveTheOffsetAbbreviationAndDaylightSaving) {
    const KnownZone& c = GetParam();
    const LocalTimeZone got = Zones().atLocalTime(c.zone, c.local);
    ASSERT_TRUE(got.ok()) << got.error;
    EXPECT_EQ(got.kind, LocalTimeKind::Unique);
    ASSERT_EQ(got.readings.size(), 1u);
    const ZoneReading& r = got.readings[0];
    EXPECT_EQ(r.utcOffsetSeconds, c.offset);
    EXPECT_EQ(r.abbreviation, c.abbreviation);
    EXPECT_EQ(r.daylightSaving, c.daylight);
    EXPECT_FALSE(r.localMeanTime);
    EXPECT_EQ(ZoneFieldText(r.utcOffsetSeconds), c.zoneField);
}

INSTANTIATE_TEST_SUITE_P(
    Facts, KnownZones,
    ::testing::Values(
        KnownZone{"America/New_York", {1990, 12, 25, 22, 30}, -18000, "EST", false, "5"},
        KnownZone{"America/New_York", {1990, 7, 4, 12, 0}, -14400, "EDT", true, "4"},
        KnownZone{"Europe/London", {1940, 7, 1, 12, 0}, 3600, "BST", true, "-1"},
        KnownZone{"Europe/London", {1941, 7, 1, 12, 0}, 7200, "BDST", true, "-2"},
        KnownZone{"Europe/London", {1944, 7, 1, 12, 0}, 7200, "BDST", true, "-2"},
        KnownZone{"Europe/London", {1945, 7, 20, 12, 0}, 3600, "BST", true, "-1"},
        KnownZone{"Europe/London", {1947, 6, 1, 12, 0}, 7200, "BDST", true, "-2"},
        KnownZone{"Asia/Kolkata", {1990, 7, 1, 12, 0}, 19800, "IST", false, "-5.5"},
        KnownZone{"Asia/Kolkata", {1942, 10, 1, 12, 0}, 23400, "+0630", true, "-6.5"},
        KnownZone{"Asia/Tokyo", {1990, 7, 1, 12, 0}, 32400, "JST", false, "-9"},
        KnownZone{"Asia/Kathmandu", {2000, 1, 1, 0, 0}, 20700, "+0545", false, "-5.75"},
        KnownZone{"Asia/Kathmandu", {1985, 1, 1, 0, 0}, 19800, "+0530", false, "-5.5"},
        KnownZone{"Australia/Sydney", {2020, 1, 15, 12, 0}, 39600, "AEDT", true, "-11"},
        KnownZone{"Australia/Sydney", {2020, 7, 15, 12, 0}, 36000, "AEST", false, "-10"},
        // Irish summer time is standard time by law; the data mark winter time as the variant.
        KnownZone{"Europe/Dublin", {2020, 1, 15, 12, 0}, 0, "GMT", true, "0"},
        KnownZone{"Europe/Dublin", {2020, 7, 15, 12, 0}, 3600, "IST", false, "-1"},
        KnownZone{"Europe/Berlin", {1945, 6, 1, 12, 0}, 10800, "CEMT", true, "-3"},
        KnownZone{"Europe/Moscow", {2012, 1, 1, 12, 0}, 14400, "MSK", false, "-4"},
        KnownZone{"Pacific/Chatham", {2020, 1, 1, 12, 0}, 49500, "+1345", true, "-13.75"},
        KnownZone{"Australia/Lord_Howe", {2020, 1, 1, 12, 0}, 39600, "+11", true, "-11"},
        KnownZone{"Australia/Lord_Howe", {2020, 7, 1, 12, 0}, 37800, "+1030", false, "-10.5"},
        KnownZone{"America/Sao_Paulo", {2018, 1, 15, 12, 0}, -7200, "-02", true, "2"},
        KnownZone{"America/Sao_Paulo", {2020, 1, 15, 12, 0}, -10800, "-03", false, "3"},
        KnownZone{"America/Phoenix", {1990, 7, 1, 12, 0}, -25200, "MST", false, "7"},
        KnownZone{"Europe/Amsterdam", {1930, 7, 1, 12, 0}, 4772, "NST", true, "-1.325556"},
        // After 2037 the zone files' closing rules carry daylight saving on.
        KnownZone{"America/New_York", {2045, 7, 4, 12, 0}, -14400, "EDT", true, "4"},
        KnownZone{"America/New_York", {2045, 12, 25, 12, 0}, -18000, "EST", false, "5"},
        KnownZone{"Australia/Sydney", {2045, 1, 15, 12, 0}, 39600, "AEDT", true, "-11"}));

struct ChangeCase {
    const char* zone;
    LocalDateTime local;
    LocalTimeKind kind;
    int first, second;  // offsets of the two readings, in order
};

class ClockChanges : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(ClockChanges, AreReportedWithBothReadings) {
    const ChangeCase& c = GetParam();
    const LocalTimeZone got = Zones().atLocalTime(c.zone, c.local);
    ASSERT_TRUE(got.ok()) << got.error;
    EXPECT_EQ(got.kind, c.kind);
    ASSERT_EQ(got.readings.size(), 2u);
    EXPECT_EQ(got.readings[0].utcOffsetSeconds, c.first);
    EXPECT_EQ(got.readings[1].utcOffsetSeconds, c.second);
}

INSTANTIATE_TEST_SUITE_P(
    Facts, ClockChanges,
    ::testing::Values(
        ChangeCase{
            "America/New_York", {2021, 3, 14, 2, 30}, LocalTimeKind::Skipped, -18000, -14400},
        ChangeCase{
            "America/New_York", {2021, 11, 7, 1, 30}, LocalTimeKind::Repeated, -14400, -18000},
        ChangeCase{"Australia/Sydney", {2021, 4, 4, 2, 30}, LocalTimeKind::Repeated, 39600, 36000},
        ChangeCase{"Australia/Sydney", {2021, 10, 3, 2, 30}, LocalTimeKind::Skipped, 36000, 39600},
        ChangeCase{"Europe/London", {2045, 3, 26, 1, 30}, LocalTimeKind::Skipped, 0, 3600},
        ChangeCase{"Europe/London", {2045, 10, 29, 1, 30}, LocalTimeKind::Repeated, 3600, 0},
        // The edges: the first skipped minute, the last repeated one, and just outside.
        ChangeCase{"America/New_York", {2021, 3, 14, 2, 0}, LocalTimeKind::Skipped, -18000, -14400},
        ChangeCase{
            "America/New_York", {2021, 3, 14, 2, 59, 59}, LocalTimeKind::Skipped, -18000, -14400},
        ChangeCase{
            "America/New_York", {2021, 11, 7, 1, 0}, LocalTimeKind::Repeated, -14400, -18000}));

TEST(ClockChanges, EndJustOutsideTheChange) {
    for (LocalDateTime local : {LocalDateTime{2021, 3, 14, 1, 59, 59},
                                {2021, 3, 14, 3, 0},
                                {2021, 11, 7, 0, 59, 59},
                                {2021, 11, 7, 2, 0}}) {
        const LocalTimeZone got = Zones().atLocalTime("America/New_York", local);
        EXPECT_EQ(got.kind, LocalTimeKind::Unique) << local.hour << ":" << local.minute;
        EXPECT_EQ(got.readings.size(), 1u);
    }
}

TEST(LocalMeanTime, UsesThePlacesLongitudeBeforeStandardTime) {
    // New York kept local mean time until 18 November 1883 at noon; the city's longitude is
    // 74.006 W: 4h 56m 01s.
    const LocalTimeZone got = Zones().atLocalTime("America/New_York", {1850, 7, 4, 12, 0}, -74.006);
    ASSERT_TRUE(got.ok());
    ASSERT_EQ(got.readings.size(), 1u);
    EXPECT_TRUE(got.readings[0].localMeanTime);
    EXPECT_EQ(got.readings[0].utcOffsetSeconds, -17761);
    EXPECT_EQ(ZoneFieldText(got.readings[0].utcOffsetSeconds), "4.933611");
    // Buffalo, in the same zone, had its own mean time: 78.88 W.
    EXPECT_EQ(Zones()
                  .atLocalTime("America/New_York", {1850, 7, 4, 12, 0}, -78.88)
                  .readings.at(0)
                  .utcOffsetSeconds,
              -18931);
    // Without a longitude the zone's own figure (its main city's) is given, still as mean time.
    const LocalTimeZone zoneCity = Zones().atLocalTime("America/New_York", {1850, 7, 4, 12, 0});
    EXPECT_TRUE(zoneCity.readings.at(0).localMeanTime);
    EXPECT_EQ(zoneCity.readings.at(0).utcOffsetSeconds, -17762);
}

TEST(LocalMeanTime, TheSwitchToStandardTimeRepeatsOrSkipsMinutes) {
    // At noon EST on 18 November 1883 New York's clocks went back 3m59s (from the mean time of
    // 74.006 W): 12:02 happened twice, first as mean time.
    const LocalTimeZone got =
        Zones().atLocalTime("America/New_York", {1883, 11, 18, 12, 2}, -74.006);
    EXPECT_EQ(got.kind, LocalTimeKind::Repeated);
    ASSERT_EQ(got.readings.size(), 2u);
    EXPECT_TRUE(got.readings[0].localMeanTime);
    EXPECT_EQ(got.readings[1].abbreviation, "EST");
    // A place west of the 75th meridian lost minutes instead: Buffalo, 78.88 W, kept 5h15m31s
    // behind UT and jumped from 11:44:29 to noon.
    const LocalTimeZone buffalo =
        Zones().atLocalTime("America/New_York", {1883, 11, 18, 11, 50}, -78.88);
    EXPECT_EQ(buffalo.kind, LocalTimeKind::Skipped);
    ASSERT_EQ(buffalo.readings.size(), 2u);
    EXPECT_EQ(buffalo.readings[0].utcOffsetSeconds, -18931);
    EXPECT_EQ(buffalo.readings[1].utcOffsetSeconds, -18000);
}

TEST(LocalMeanTime, KeepsTheZonesSideOfTheDateLine) {
    // Sitka kept the Russian date until 1867: its mean time then is 24 hours ahead of what its
    // longitude (135.33 W) alone would give.
    const LocalTimeZone got = Zones().atLocalTime("America/Sitka", {1850, 1, 1, 12, 0}, -135.33);
    ASSERT_EQ(got.readings.size(), 1u);
    EXPECT_EQ(got.readings[0].utcOffsetSeconds, 24 * 3600 - 32479);
}

TEST(ZoneNames, AreFoundWhateverTheirCase) {
    EXPECT_EQ(Zones().canonicalName("america/new_york"), "America/New_York");
    EXPECT_EQ(Zones().canonicalName("Asia/Calcutta"), "Asia/Calcutta");  // an old name still read
    EXPECT_FALSE(Zones().canonicalName("localtime"));
    EXPECT_FALSE(Zones().canonicalName("Mars/Olympus_Mons"));
    EXPECT_NE(Zones().version(), "unknown");
}

TEST(ZoneNames, UnknownOnesSuggestCloseNames) {
    const std::vector<std::string> similar = Zones().similarNames("New York", 3);
    ASSERT_FALSE(similar.empty());
    EXPECT_EQ(similar[0], "America/New_York");
    const LocalTimeZone got = Zones().atLocalTime("Europe/Londn", {2000, 1, 1, 0, 0});
    EXPECT_FALSE(got.ok());
    EXPECT_NE(got.error.find("unknown zone \"Europe/Londn\""), std::string::npos) << got.error;
    EXPECT_NE(got.error.find("Europe/London"), std::string::npos) << got.error;
}

TEST(ZoneLookup, RefusesDatesOutsideTheZoneData) {
    for (LocalDateTime bad : {LocalDateTime{10000, 1, 1}, LocalDateTime{0, 12, 31},
                              LocalDateTime{2021, 2, 29}, LocalDateTime{2021, 13, 1},
                              LocalDateTime{2021, 1, 1, 24, 0}, LocalDateTime{2021, 1, 1, 1, 60}}) {
        const LocalTimeZone got = Zones().atLocalTime("Europe/Paris", bad);
        EXPECT_FALSE(got.ok()) << bad.year << "-" << bad.month << "-" << bad.day;
        EXPECT_TRUE(got.readings.empty());
    }
    EXPECT_TRUE(Zones().atLocalTime("Europe/Paris", {9999, 12, 31, 23, 59}).ok());
    EXPECT_TRUE(Zones().atLocalTime("Europe/Paris", {1, 1, 1, 0, 0}, 2.35).ok());
}

TEST(ZoneLookup, AtAnInstantGivesTheReadingInForce) {
    // 2021-03-14 06:59:59 UT is the last second of EST in New York; the next is EDT.
    const std::int64_t change = 1615705200;
    EXPECT_EQ(Zones().atInstant("America/New_York", change - 1).reading.abbreviation, "EST");
    EXPECT_EQ(Zones().atInstant("America/New_York", change).reading.abbreviation, "EDT");
    // 2045-03-12 07:00 UT, by the closing rule.
    const std::int64_t later = 2372914800;
    EXPECT_EQ(Zones().atInstant("America/New_York", later - 1).reading.utcOffsetSeconds, -18000);
    EXPECT_EQ(Zones().atInstant("America/New_York", later).reading.utcOffsetSeconds, -14400);
    EXPECT_FALSE(Zones().atInstant("Nowhere/Else", later).ok());
}

TEST(ZoneText, ShowsTheZoneAsTheFieldTakesIt) {
    EXPECT_EQ(ZoneFieldText(0), "0");
    EXPECT_EQ(ZoneFieldText(-18000), "5");
    EXPECT_EQ(ZoneFieldText(19800), "-5.5");
    EXPECT_EQ(ZoneFieldText(-12600), "3.5");
    EXPECT_EQ(UtcOffsetText(-17761), "UTC-04:56:01");
    EXPECT_EQ(UtcOffsetText(20700), "UTC+05:45");
    ZoneReading lmt{-17761, "LMT", false, true};
    EXPECT_EQ(ZoneSummary(lmt), "zone 4.933611 (LMT, local mean time, UTC-04:56:01)");
}

}  // namespace
}  // namespace quintaro
