// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/entry_model.h"

#include <gtest/gtest.h>

#include "core/calendar.h"
#include "recording_messages.h"

namespace quintaro {
namespace {

// A system clock stopped at a moment of Universal Time.
UtcClock FixedClock(DateTimeParts utc) {
    return [utc] { return utc; };
}

// Chicago: zone 6, 87°38' West, 41°52' North.
HomeLocation ChicagoHome() {
    return {6.0, {{87, 38}, EastWest::West}, {{41, 52}, NorthSouth::North}};
}

HomeLocation Greenwich() {
    return {0.0, {{0, 0}, EastWest::West}, {{51, 29}, NorthSouth::North}};
}

TEST(FillNow, PutsThePresentAsTheHomeClockShowsItAndTheHomeLocation) {
    EntryModel model;
    model.natal.name = "Someone";
    FillNatalNow(model, FixedClock({2026, 3, 7, 15, 4, 59}), ChicagoHome());  // 9:04 in Chicago
    const EntrySection& n = model.natal;
    EXPECT_EQ(n.name, "Now");
    EXPECT_EQ(n.month, "3");
    EXPECT_EQ(n.day, "7");
    EXPECT_EQ(n.year, "2026");
    EXPECT_EQ(n.hour, "9");
    EXPECT_EQ(n.minute, "4");
    EXPECT_FALSE(n.pm);
    EXPECT_EQ(n.zone, "6");
    EXPECT_EQ(n.longDeg, "87");
    EXPECT_EQ(n.longMin, "38");
    EXPECT_FALSE(n.east);
    EXPECT_EQ(n.latDeg, "41");
    EXPECT_EQ(n.latMin, "52");
    EXPECT_FALSE(n.south);
}

TEST(FillNow, TransitKeepsItsNameAndTakesNonZeroDirectionsAsEastAndSouth) {
    EntryModel model;
    model.transit.name = "Transits";
    HomeLocation sydney{-10.0, {{151, 12}, EastWest::East}, {{33, 52}, NorthSouth::South}};
    FillTransitNow(model, FixedClock({1999, 12, 31, 0, 0, 0}), sydney);
    EXPECT_EQ(model.transit.name, "Transits");
    EXPECT_EQ(model.transit.zone, "-10");
    EXPECT_TRUE(model.transit.east);
    EXPECT_TRUE(model.transit.south);
    EXPECT_EQ(model.natal.name, "");  // the natal section is not touched
    HomeLocation halfZone{-5.5, {{77, 12}, EastWest::East}, {{28, 36}, NorthSouth::North}};
    FillTransitNow(model, FixedClock({1999, 12, 31, 0, 0, 0}), halfZone);
    EXPECT_EQ(model.transit.zone, "-5.5");
}

TEST(FillNow, HourOfTheTwentyFourHourClockBecomesTwelveHourClock) {
    struct Case {
        int hour;
        const char* text;
        bool pm;
    } cases[] = {{0, "12", false}, {1, "1", false}, {11, "11", false},
                 {12, "12", true}, {13, "1", true}, {23, "11", true}};
    for (const auto& c : cases) {
        EntryModel model;
        FillNatalNow(model, FixedClock({2026, 1, 1, c.hour, 30, 0}), Greenwich());
        EXPECT_EQ(model.natal.hour, c.text) << c.hour;
        EXPECT_EQ(model.natal.pm, c.pm) << c.hour;
        EXPECT_EQ(model.natal.minute, "30");
    }
}

// The buttons keep each section's zone and show the present instant on that zone's clock.
TEST(FillNow, NowButtonsKeepZoneAndCoordinates) {
    EntryModel model = OpenEntryModel(FixedClock({2026, 1, 1, 9, 0, 0}), ChicagoHome());
    model.natal.zone = "5";
    model.natal.name = "Chart";
    model.transit.longDeg = "73";
    NatalNowButton(model, FixedClock({2027, 2, 3, 4, 5, 0}));    // 23:05 the day before
    TransitNowButton(model, FixedClock({2027, 2, 3, 4, 5, 0}));  // zone 6: 22:05
    EXPECT_EQ(model.natal.name, "Now");
    EXPECT_EQ(model.natal.zone, "5");
    EXPECT_EQ(model.natal.year, "2027");
    EXPECT_EQ(model.natal.day, "2");
    EXPECT_EQ(model.natal.hour, "11");
    EXPECT_TRUE(model.natal.pm);
    EXPECT_EQ(model.transit.name, "Now");
    EXPECT_EQ(model.transit.longDeg, "73");
    EXPECT_EQ(model.transit.day, "2");
    EXPECT_EQ(model.transit.hour, "10");
}

TEST(CivilTimeInZone, SubtractsTheZoneAndRollsTheDateOver) {
    struct Case {
        DateTimeParts utc;
        double zone;
        DateTimeParts civil;
    } cases[] = {
        {{2026, 12, 6, 3, 0, 0}, 5, {2026, 12, 5, 22, 0, 0}},  // New York, the evening before
        {{2026, 12, 6, 3, 0, 0}, 0, {2026, 12, 6, 3, 0, 0}},
        {{2026, 12, 31, 20, 30, 15}, -10, {2027, 1, 1, 6, 30, 15}},  // Sydney, the new year
        {{2000, 1, 1, 0, 10, 0}, 5.5, {1999, 12, 31, 18, 40, 0}},
        {{2024, 2, 28, 23, 0, 0}, -1.5, {2024, 2, 29, 0, 30, 0}},  // a leap day
        {{2023, 3, 1, 1, 0, 0}, 2, {2023, 2, 28, 23, 0, 0}},
    };
    for (const auto& c : cases) {
        DateTimeParts got = CivilTimeInZone(c.utc, c.zone);
        EXPECT_EQ(FormatDate(got, "yyyy-mm-dd hh:nn:ss"),
                  FormatDate(c.civil, "yyyy-mm-dd hh:nn:ss"))
            << "zone " << c.zone;
    }
}

// "Now" is one instant: the natal moment read back from the fields is the clock's instant in
// Universal Time, whatever the home zone.
TEST(FillNow, TheMomentIsTheClocksInstantInEveryHomeZone) {
    const DateTimeParts utc{2026, 12, 6, 3, 0, 0};
    const double utcJD = MomentToJD(2026, 12, 6, 3.00, Meridiem::AM, 0).ChartJD;
    for (double zone : {5.0, 0.0, -5.5, -10.0, 12.0, -12.75}) {
        HomeLocation home = ChicagoHome();
        home.zone = zone;
        EntryModel model = OpenEntryModel(FixedClock(utc), home);
        for (const EntrySection* section : {&model.natal, &model.transit}) {
            ChartData data = ReadSection(*section, MonthDayYear);
            const double jd = MomentToJD(data.year, data.month, data.day, data.time.clock.hhmm(),
                                         data.time.meridiem, data.zone)
                                  .ChartJD;
            EXPECT_NEAR(jd, utcJD, 1e-9) << "zone " << zone;
        }
    }
}

TEST(OpenEntryModel, BothSectionsAtNow) {
    EntryModel model = OpenEntryModel(FixedClock({2026, 3, 7, 15, 5, 0}), ChicagoHome());
    EXPECT_EQ(model.natal.name, "Now");
    EXPECT_EQ(model.transit.name, "Transits");
    EXPECT_EQ(model.transit.hour, "9");
    EXPECT_FALSE(model.transit.pm);
}

TEST(NormaliseHour, ZeroBecomesTwelveAndAfternoonHoursSelectPM) {
    struct Case {
        const char* typed;
        bool pmBefore;
        const char* after;
        bool pmAfter;
    } cases[] = {{"0", false, "12", false}, {"15", false, "3", true}, {"12", false, "12", false},
                 {"12", true, "12", true},  {"13", false, "1", true}, {"7", true, "7", true},
                 {"24", false, "12", true}, {"", false, "", false}};
    for (const auto& c : cases) {
        test::RecordingMessages messages;
        EntrySection s;
        s.hour = c.typed;
        s.pm = c.pmBefore;
        NormaliseHour(s, Section::Natal, messages);
        EXPECT_EQ(s.hour, c.after) << c.typed;
        EXPECT_EQ(s.pm, c.pmAfter) << c.typed;
        EXPECT_TRUE(messages.shown.empty()) << c.typed;
    }
}

TEST(NormaliseHour, TextThatIsNoNumberWarnsAndStays) {
    struct Case {
        Section section;
        const char* text;
    } cases[] = {{Section::Natal, "Please fill in a value for birth hour."},
                 {Section::Transit, "Please fill in a value for transit hour."}};
    for (const auto& c : cases) {
        test::RecordingMessages messages;
        EntrySection s;
        s.hour = "x7";
        NormaliseHour(s, c.section, messages);
        EXPECT_EQ(s.hour, "x7");
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].title, "Warning!");
        EXPECT_EQ(messages.shown[0].text, c.text);
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);
    }
}

EntrySection MakeDate(const char* month, const char* day, const char* year) {
    EntrySection s;
    s.month = month;
    s.day = day;
    s.year = year;
    return s;
}

TEST(ReadSection, DateTextFollowsTheDateStyle) {
    EntrySection s = MakeDate("12", "25", "1990");
    EXPECT_EQ(ReadSection(s, MonthDayYear).dateText, "12/25/1990");
    EXPECT_EQ(ReadSection(s, DayMonthYear).dateText, "25/12/1990");
    EXPECT_EQ(ReadSection(s, YearMonthDay).dateText, "1990/12/25");
    ChartData data = ReadSection(s, DayMonthYear);
    EXPECT_EQ(data.year, 1990);
    EXPECT_EQ(data.month, 12);
    EXPECT_EQ(data.day, 25);
}

TEST(ReadSection, ClockZoneAndCoordinatesInEntryUnits) {
    EntrySection s = MakeDate("1", "1", "2000");
    s.hour = "10";
    s.minute = "30";
    s.pm = true;
    s.zone = "-5.5";
    s.longDeg = "87";
    s.longMin = "38";
    s.east = true;
    s.latDeg = "0";
    s.latMin = "00";
    ChartData data = ReadSection(s, MonthDayYear);
    EXPECT_DOUBLE_EQ(data.time.clock.hhmm(), 10.30);
    EXPECT_EQ(data.time.meridiem, Meridiem::PM);
    EXPECT_DOUBLE_EQ(data.zone, -5.5);
    EXPECT_DOUBLE_EQ(data.longitude.angle.hhmm(), 87.38);
    EXPECT_EQ(data.longitude.side, EastWest::East);
    EXPECT_STREQ(EastWestWord(data.longitude.side), "East");
    EXPECT_DOUBLE_EQ(data.latitude.angle.hhmm(), 0.0);
    EXPECT_STREQ(NorthSouthWord(data.latitude.side), "North");

    s.east = false;
    s.south = true;
    s.latDeg = "33";
    s.latMin = "52";
    data = ReadSection(s, MonthDayYear);
    EXPECT_STREQ(EastWestWord(data.longitude.side), "West");
    EXPECT_DOUBLE_EQ(data.latitude.angle.hhmm(), 33.52);
    EXPECT_STREQ(NorthSouthWord(data.latitude.side), "South");
    EXPECT_NEAR(data.latitude.northDegrees(), -(33 + 52 / 60.0), 1e-12);
    EXPECT_EQ(data.time.meridiem, Meridiem::PM);

    // 0°00' East reads as West, like any reading of zero; a negative reading is on the other side.
    s.longDeg = "0";
    s.longMin = "0";
    s.east = true;
    EXPECT_EQ(ReadSection(s, MonthDayYear).longitude.side, EastWest::West);
    s.longDeg = "-5";
    s.longMin = "30";
    s.east = false;
    data = ReadSection(s, MonthDayYear);
    EXPECT_EQ(data.longitude.side, EastWest::East);
    EXPECT_DOUBLE_EQ(data.longitude.angle.hhmm(), 4.7);
}

TEST(ReadSection, EmptyAndJunkFieldsReadAsTheirLeadingNumber) {
    EntrySection s;  // every field empty
    ChartData data = ReadSection(s, MonthDayYear);
    EXPECT_EQ(data.year, 0);
    EXPECT_DOUBLE_EQ(data.time.clock.hhmm(), 0.0);
    EXPECT_EQ(data.time.meridiem, Meridiem::AM);
    EXPECT_EQ(data.dateText, "//");
    s.zone = "5x";
    s.minute = "7a";
    EXPECT_DOUBLE_EQ(ReadSection(s, MonthDayYear).zone, 5.0);
    EXPECT_DOUBLE_EQ(ReadSection(s, MonthDayYear).time.clock.hhmm(), 0.07);
}

TEST(FieldInteger, RoundsHalvesToEvenAndStaysInSixteenBits) {
    struct Case {
        const char* text;
        int value;
    } cases[] = {{"7.5", 8}, {"8.5", 8},       {"8.51", 9},        {"-2.5", -2}, {"abc", 0},
                 {"", 0},    {"99999", 32767}, {"-40000", -32768}, {" 12 ", 12}};
    for (const auto& c : cases) EXPECT_EQ(FieldInteger(c.text), c.value) << c.text;
}

TEST(CopyAndSwap, CopyTakesTimeZoneAndPlaceButNotDateOrName) {
    EntryModel model;
    model.natal = {"N",  "Paris", "5", "6",  "1970", "8",   "15", "-1",
                   "48", "52",    "2", "20", true,   false, true, {}};
    model.transit = {"T",  "Here", "1",  "2",  "2020", "3",  "4",   "5",
                     "40", "46",   "73", "59", false,  true, false, {}};
    CopyNatalToTransit(model);
    const EntrySection& t = model.transit;
    EXPECT_EQ(t.name, "T");
    EXPECT_EQ(t.place, "Here");
    EXPECT_EQ(t.month, "1");
    EXPECT_EQ(t.day, "2");
    EXPECT_EQ(t.year, "2020");
    EXPECT_EQ(t.hour, "8");
    EXPECT_EQ(t.minute, "15");
    EXPECT_TRUE(t.pm);
    EXPECT_EQ(t.zone, "-1");
    EXPECT_EQ(t.latDeg, "48");
    EXPECT_EQ(t.latMin, "52");
    EXPECT_FALSE(t.south);
    EXPECT_EQ(t.longDeg, "2");
    EXPECT_EQ(t.longMin, "20");
    EXPECT_TRUE(t.east);
}

TEST(CopyAndSwap, SwapExchangesEverySectionField) {
    EntryModel model;
    model.natal = {"N",  "P1", "5", "6",  "1970", "8",   "15", "-1",
                   "48", "52", "2", "20", true,   false, true, {}};
    model.transit = {"T",  "P2", "1",  "2",  "2020", "3",  "4",   "5",
                     "40", "46", "73", "59", false,  true, false, {}};
    SwapNatalTransit(model);
    EXPECT_EQ(model.natal.name, "T");
    EXPECT_EQ(model.natal.place, "P2");
    EXPECT_EQ(model.natal.year, "2020");
    EXPECT_EQ(model.natal.longDeg, "73");
    EXPECT_FALSE(model.natal.pm);
    EXPECT_TRUE(model.natal.south);
    EXPECT_EQ(model.transit.name, "N");
    EXPECT_EQ(model.transit.zone, "-1");
    EXPECT_TRUE(model.transit.pm);
    EXPECT_TRUE(model.transit.east);
    EXPECT_FALSE(model.transit.south);
}

TEST(LocationPresets, SetNatalAndCopyIntoTransit) {
    struct Case {
        LocationPreset preset;
        const char* caption;
        const char* zone;
        const char* longDeg;
        const char* longMin;
        const char* latDeg;
        const char* latMin;
    } cases[] = {
        {LocationPreset::NyseEst, "NYSE - EST", "5", "73", "59", "40", "46"},
        {LocationPreset::NyseEdt, "NYSE - EDT", "4", "73", "59", "40", "46"},
        {LocationPreset::CmeCst, "CME/CBOE - CST", "6", "87", "38", "41", "52"},
        {LocationPreset::CmeCdt, "CME/CBOE - CDT", "5", "87", "38", "41", "52"},
    };
    for (const auto& c : cases) {
        EntryModel model;
        model.natal.east = model.natal.south = true;
        model.transit.hour = "9";
        model.transit.pm = true;
        SetPresetLocation(model, c.preset);
        EXPECT_STREQ(PresetPlace(c.preset).name, c.caption);
        for (const EntrySection* s : {&model.natal, &model.transit}) {
            EXPECT_EQ(s->zone, c.zone) << c.caption;
            EXPECT_EQ(s->longDeg, c.longDeg) << c.caption;
            EXPECT_EQ(s->longMin, c.longMin) << c.caption;
            EXPECT_EQ(s->latDeg, c.latDeg) << c.caption;
            EXPECT_EQ(s->latMin, c.latMin) << c.caption;
            EXPECT_FALSE(s->east) << c.caption;
            EXPECT_FALSE(s->south) << c.caption;
        }
        EXPECT_EQ(model.transit.hour, "9");  // only the place moves
        EXPECT_TRUE(model.transit.pm);
    }
}

TEST(NatTran, ToggleAndSteppedSection) {
    EntryOptions options;
    EXPECT_EQ(SteppedSection(options), Section::Natal);
    ToggleNatTran(options);
    EXPECT_EQ(options.natTran, "t");
    EXPECT_EQ(SteppedSection(options), Section::Transit);
    ToggleNatTran(options);
    EXPECT_EQ(options.natTran, "n");
    options.natTran = "x";
    EXPECT_EQ(SteppedSection(options), Section::Natal);
    ToggleNatTran(options);
    EXPECT_EQ(options.natTran, "t");
}

TEST(OptionFields, HarmonicsAndLensFallBackToTheirDefaults) {
    struct Case {
        const char* text;
        int harmonic;
        int lens;
    } cases[] = {{"2", 2, 2},   {"0", 1, 12}, {"", 1, 12},
                 {"-3", 1, 12}, {"1", 1, 1},  {"12", 12, 12}};
    for (const auto& c : cases) {
        EntryOptions o;
        o.natalHarmonic = o.transitHarmonic = o.lens = c.text;
        EXPECT_EQ(NatalHarmonic(o), c.harmonic) << c.text;
        EXPECT_EQ(TransitHarmonic(o), c.harmonic) << c.text;
        EXPECT_EQ(Lens(o), c.lens) << c.text;
    }
}

TEST(NumberText, ShortestTextOfANumber) {
    struct Case {
        double value;
        const char* text;
    } cases[] = {{5.0, "5"},  {87.0, "87"}, {-5.5, "-5.5"},  {0.0, "0"},
                 {-0.0, "0"}, {0.1, "0.1"}, {10.25, "10.25"}};
    for (const auto& c : cases) EXPECT_EQ(NumberText(c.value), c.text) << c.value;
}

}  // namespace
}  // namespace quintaro
