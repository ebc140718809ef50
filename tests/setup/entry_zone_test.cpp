// SPDX-License-Identifier: AGPL-3.0-or-later
// The zone of an entry section from its place: expected zones checked with Python's zoneinfo.
#include "setup/entry_zone.h"

#include <gtest/gtest.h>

#include "setup/chart_data_file.h"
#include "setup/entry_stepping.h"

namespace quintaro {
namespace {

const ZoneDatabase& Zones() {
    static const ZoneDatabase zones;
    return zones;
}

const GeoPlace kNewYork{"New York", "New York", "United States of America", "US",
                        40.71427,   -74.00597,  "America/New_York",         8804190,
                        false};
const GeoPlace kTokyo{"Tokyo",   "Tokyo",      "Japan", "JP", 35.6895,
                      139.69171, "Asia/Tokyo", 8336599, false};

// A section at a date and a 12-hour clock time.
EntrySection At(int year, int month, int day, int hour, int minute, bool pm) {
    EntrySection s;
    s.year = std::to_string(year);
    s.month = std::to_string(month);
    s.day = std::to_string(day);
    s.hour = std::to_string(hour);
    s.minute = std::to_string(minute);
    s.pm = pm;
    s.zone = "0";
    return s;
}

TEST(ChoosePlace, FillsCoordinatesAndTheZoneOfTheMoment) {
    EntrySection s = At(1990, 12, 25, 10, 30, true);
    ChoosePlace(s, kNewYork, Zones());
    EXPECT_EQ(s.place, "New York, United States of America");
    EXPECT_EQ(s.latDeg + " " + s.latMin, "40 43");  // 40°42.86'
    EXPECT_FALSE(s.south);
    EXPECT_EQ(s.longDeg + " " + s.longMin, "74 0");  // 74°00.36'
    EXPECT_FALSE(s.east);
    EXPECT_EQ(s.zone, "5");
    EXPECT_TRUE(s.zoneSource.fromPlace);
    EXPECT_FALSE(s.zoneSource.unresolved);
    EXPECT_EQ(s.zoneSource.note, "EST, standard time (America/New_York)");
    EXPECT_EQ(ReadSection(s, MonthDayYear).zone, 5);
}

TEST(ChoosePlace, APlaceEastOfGreenwichGivesANegativeZone) {
    EntrySection s = At(1990, 7, 4, 12, 0, true);
    ChoosePlace(s, kTokyo, Zones());
    EXPECT_TRUE(s.east);
    EXPECT_EQ(s.longDeg + " " + s.longMin, "139 42");  // 139°41.50'
    EXPECT_EQ(s.zone, "-9");
}

TEST(ZoneFromPlace, FollowsTheDateAndTime) {
    EntrySection s = At(1990, 12, 25, 10, 30, true);
    ChoosePlace(s, kNewYork, Zones());
    s.month = "7";
    s.day = "4";
    UpdateZoneFromPlace(s, Zones());
    EXPECT_EQ(s.zone, "4");
    EXPECT_EQ(s.zoneSource.note, "EDT, daylight saving time (America/New_York)");
    // Before 18 November 1883 the mean time of the longitude in the fields (74°00' W).
    s.year = "1850";
    UpdateZoneFromPlace(s, Zones());
    EXPECT_EQ(s.zone, "4.933333");
    EXPECT_EQ(s.zoneSource.note,
              "LMT, local mean time of the longitude: America/New_York had no standard time yet");
}

TEST(ZoneFromPlace, ASkippedTimeLeavesTheZoneOpenWithBothChoices) {
    EntrySection s = At(2021, 3, 14, 2, 30, false);
    ChoosePlace(s, kNewYork, Zones());
    EXPECT_TRUE(s.zoneSource.unresolved);
    EXPECT_EQ(s.zone, "");
    EXPECT_EQ(s.zoneSource.note,
              "2:30 AM did not exist on 2021-03-14 in America/New_York: the clocks went from EST "
              "(zone 5) to EDT (zone 4). Type the zone you mean.");
}

TEST(ZoneFromPlace, ARepeatedTimeLeavesTheZoneOpenWithBothChoices) {
    EntrySection s = At(2021, 11, 7, 1, 30, false);
    ChoosePlace(s, kNewYork, Zones());
    EXPECT_TRUE(s.zoneSource.unresolved);
    EXPECT_EQ(s.zone, "");
    EXPECT_EQ(s.zoneSource.note,
              "1:30 AM happened twice on 2021-11-07 in America/New_York: first EDT (zone 4), then "
              "EST (zone 5). Type the zone you mean.");
    // Typing the zone settles it and turns the place's zone off.
    s.zone = "5";
    ZoneTypedByHand(s);
    EXPECT_FALSE(s.zoneSource.unresolved);
    EXPECT_FALSE(s.zoneSource.fromPlace);
    s.month = "7";
    UpdateZoneFromPlace(s, Zones());
    EXPECT_EQ(s.zone, "5");  // no longer follows
    SetZoneFromPlace(s, true, Zones());
    EXPECT_EQ(s.zone, "4");
}

TEST(ZoneFromPlace, FieldsThatMakeNoDateLeaveTheZoneOpen) {
    EntrySection s = At(2021, 2, 29, 1, 0, false);
    ChoosePlace(s, kNewYork, Zones());
    EXPECT_TRUE(s.zoneSource.unresolved);
    EXPECT_NE(s.zoneSource.note.find("outside the zone data"), std::string::npos);
    s.hour = "x";
    UpdateZoneFromPlace(s, Zones());
    EXPECT_EQ(s.zoneSource.note, "the date and time fields do not give a date and a time");
}

TEST(ZoneFromPlace, AStepOfHoursKeepsTheMomentAcrossTheChange) {
    EntryModel model;
    model.natal = At(2021, 11, 7, 12, 30, false);  // 0:30 EDT, 04:30 UT
    model.options.delta = "1 h";
    ChoosePlace(model.natal, kNewYork, Zones());
    ASSERT_EQ(model.natal.zone, "4");
    auto step = [&] {
        StepChart(model, +1);
        FollowZoneAfterStep(model, Section::Natal, Zones());
        const EntrySection& s = model.natal;
        return s.hour + ":" + s.minute + (s.pm ? " PM" : " AM") + " zone " + s.zone;
    };
    EXPECT_EQ(step(), "1:30 AM zone 4");  // 05:30 UT
    EXPECT_NE(model.natal.zoneSource.note.find("the first of the two"), std::string::npos);
    EXPECT_EQ(step(), "1:30 AM zone 5");  // 06:30 UT, the clocks went back
    EXPECT_NE(model.natal.zoneSource.note.find("the second of the two"), std::string::npos);
    EXPECT_EQ(step(), "2:30 AM zone 5");
    // In spring the clock jumps an hour: 1:30 EST + 1 hour is 3:30 EDT.
    model.natal = At(2021, 3, 14, 1, 30, false);
    ChoosePlace(model.natal, kNewYork, Zones());
    EXPECT_EQ(step(), "3:30 AM zone 4");
    // A step of months keeps the clock time and looks its zone up.
    model.options.delta = "1 m";
    EXPECT_EQ(step(), "3:30 AM zone 4");
    EXPECT_EQ(model.natal.month, "4");
}

TEST(ZoneFromPlace, TravelsWithCopyAndEndsWithAPreset) {
    EntryModel model;
    model.natal = At(1990, 7, 4, 12, 0, true);
    ChoosePlace(model.natal, kNewYork, Zones());
    CopyNatalToTransit(model);
    EXPECT_EQ(model.transit.zoneSource.name, "America/New_York");
    EXPECT_TRUE(model.transit.zoneSource.fromPlace);
    SetPresetLocation(model, LocationPreset::CmeCst);
    EXPECT_EQ(model.natal.zone, "6");
    EXPECT_FALSE(model.natal.zoneSource.fromPlace);
    EXPECT_FALSE(model.transit.zoneSource.fromPlace);
}

TEST(ChartFileZoneNames, AreAnEighthLineOnlyWhenThereIsOne) {
    EntryModel model;
    model.natal = At(1990, 7, 4, 12, 0, true);
    model.transit = At(2021, 1, 1, 12, 0, false);
    const std::string plain = FormatChartFile(ChartFileFromEntry(model, {}, {}));
    ChoosePlace(model.natal, kNewYork, Zones());
    model.natal.place = "";
    model.natal.latDeg = model.natal.latMin = model.natal.longDeg = model.natal.longMin = "";
    model.natal.zone = "0";
    const std::string named = FormatChartFile(ChartFileFromEntry(model, {}, {}));
    // The seven lines are those of a file without names; the names follow in print zones.
    EXPECT_EQ(named.substr(0, plain.size()), plain);
    EXPECT_EQ(named.substr(plain.size()), "\"America/New_York\"          \"\"\n");
    // Turning "zone from place" off writes no name.
    SetZoneFromPlace(model.natal, false, Zones());
    EXPECT_EQ(FormatChartFile(ChartFileFromEntry(model, {}, {})), plain);
}

TEST(ChartFileZoneNames, ReadBackIntoZoneFromPlace) {
    EntryModel model;
    model.natal = At(1990, 7, 4, 12, 0, true);
    model.transit = At(2021, 1, 1, 12, 0, false);
    ChoosePlace(model.transit, kTokyo, Zones());
    const ChartFile file = ParseChartFile(FormatChartFile(ChartFileFromEntry(model, {}, {})));
    EXPECT_EQ(file.valuesRead, ChartFileValueCount);
    EXPECT_TRUE(file.problems.empty());
    EXPECT_EQ(file.natal.zoneName, "");
    EXPECT_EQ(file.transit.zoneName, "Asia/Tokyo");

    EntryModel loaded;
    loaded.natal.zoneSource = {"Europe/Paris", true, "", false};  // from an earlier place
    SelectionFlags selection;
    ChartFileMemory memory;
    ApplyChartFile(file, ChartFileTarget::Everything, loaded, selection, memory);
    EXPECT_FALSE(loaded.natal.zoneSource.fromPlace);  // the file's number is the zone
    EXPECT_EQ(loaded.transit.zoneSource.name, "Asia/Tokyo");
    EXPECT_TRUE(loaded.transit.zoneSource.fromPlace);
    EXPECT_EQ(loaded.transit.zone, "-9");
    // "Load As Transit" takes the natal zone name into the transit section.
    ApplyChartFile(file, ChartFileTarget::NatalIntoTransit, loaded, selection, memory);
    EXPECT_FALSE(loaded.transit.zoneSource.fromPlace);
}

}  // namespace
}  // namespace quintaro
