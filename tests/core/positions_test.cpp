// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/positions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <random>
#include <vector>

#include "core/day_tables.h"
#include "core/degrees.h"
#include "core/ephemeris.h"
#include "core/ephemeris_loader.h"
#include "core/sidereal.h"
#include "core/table_interpolation.h"
#include "recording_messages.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::RecordingMessages;

constexpr int Slot = 21;
constexpr double Jd2000 = 2451544.5;  // 2000-01-01 0h UT, day 91310 of the tables
constexpr long Day2000 = 91310;

// Positions over hand-made day tables; no planetary file is open.
struct TablePositions : ::testing::Test {
    RecordingMessages messages;
    Ephemeris ephemeris{messages};
    DayTables tables;
    Positions positions{ephemeris, tables, messages};
    WorkingPositions work;

    void Put(DayKind kind, long firstDay, std::vector<float> values, int slot = Slot) {
        tables.Store(slot, kind, static_cast<int>(firstDay), values);
        (firstDay >= Start1900 ? tables.has1900 : tables.has1750)[slot] = true;
    }
};

struct SplitCase {
    double jd, d0, frac;
    long day;
};

TEST(SplitDay, FindsTheCivilDayAndFraction) {
    const SplitCase cases[] = {
        {2451545.0, 2451544.5, 0.5, 91310},  // 2000-01-01 12h
        {2451544.5, 2451544.5, 0.0, 91310},  // 0h exactly
        {2451544.4, 2451543.5, 0.9, 91309},  // just before midnight
        {2415020.4, 2415019.5, 0.9, 54785},  // 1899-12-31 21h36
        {2360234.5, 2360234.5, 0.0, 0},      // the first tabulated day
    };
    for (const auto& c : cases) {
        DaySplit split = SplitDay(c.jd);
        EXPECT_DOUBLE_EQ(split.d0, c.d0) << c.jd;
        EXPECT_NEAR(split.frac, c.frac, 1e-9) << c.jd;
        EXPECT_EQ(split.day, c.day) << c.jd;
    }
}

TEST(DayInRange, BoundsOfTheTables) {
    struct Case {
        double jd;
        bool without1750, with1750;
    } cases[] = {
        {2415020.4, false, true},        // before 1900-01-01 0h
        {2415020.5, true, true},         // 1900-01-01 0h
        {2360234.5, false, true},        // 1750-01-01 0h
        {2360234.49, false, false},      // the day before
        {2469807.5 + 0.99, true, true},  // 2050-01-01, the last day
        {2469808.5, false, false},       // 2050-01-02
        {-1e300, false, false},         {1e300, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DayInRange(SplitDay(c.jd), false), c.without1750) << c.jd;
        EXPECT_EQ(DayInRange(SplitDay(c.jd), true), c.with1750) << c.jd;
    }
}

struct LongitudeCase {
    const char* name;
    std::vector<float> days;  // day before, day of the moment, day after
    double frac;
    double longitude;
    bool retrograde;
};

class TableLongitudes : public TablePositions,
                        public ::testing::WithParamInterface<LongitudeCase> {};

TEST_P(TableLongitudes, InterpolatesAndMarks) {
    const LongitudeCase& c = GetParam();
    Put(DayKind::GeoLong, Day2000 - 1, c.days);
    ASSERT_TRUE(positions.ComputeGeoPositions(Jd2000 + c.frac, Slot, work));
    EXPECT_NEAR(work.WorkLong[Slot], c.longitude, 1e-6);
    EXPECT_EQ(work.RetroMarks.at(Slot), c.retrograde ? 'R' : ' ');

    BodyPoint point = positions.PositionAt(Jd2000 + c.frac, Slot, Frame::Geocentric);
    EXPECT_TRUE(point.valid);
    EXPECT_NEAR(point.longitude, work.WorkLong[Slot], 1e-12);
}

// Values worked out by hand from the quadratic through the three days.
INSTANTIATE_TEST_SUITE_P(
    Cases, TableLongitudes,
    ::testing::Values(
        // 359, 1, 3 become 359, 361, 363: 1.0 at the day's start, moving forward.
        LongitudeCase{"AcrossAriesForward", {359, 1, 3}, 0.0, 1.0, false},
        LongitudeCase{"Backward", {10, 9, 8}, 0.5, 8.5, true},
        // A station: the value 15 minutes later is the same, which is not retrograde.
        LongitudeCase{"Station", {100, 100, 100}, 0.25, 100.0, false},
        // Backward through 0 within the 15 minutes: 0.0025 then 359.9947, a rise of 359.99.
        LongitudeCase{"BackwardThroughZero", {1, 0.25, 359.5}, 0.33, 0.0025, true},
        // Forward through 0 within the 15 minutes: a fall of 359.99, which is not retrograde.
        LongitudeCase{"ForwardThroughZero", {359, 359.75, 0.5}, 0.98 / 3, 359.995, false},
        // Curved: 10, 12, 16 is 12 + 3t + t² around the middle day: at t = 0.5, 13.75.
        LongitudeCase{"Quadratic", {10, 12, 16}, 0.5, 13.75, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TablePositions, SecondCoordinateIsNotReduced) {
    Put(DayKind::GeoDecl, Day2000 - 1, {5, 6, 8});
    Put(DayKind::HelioLat, Day2000 - 1, {-20, -21, -23});
    ASSERT_TRUE(positions.ComputeGeoPositions(Jd2000 + 0.5, Slot, work));
    EXPECT_NEAR(work.WorkSecond[Slot], 6.875, 1e-9);  // 0.5x² − 0.5x + 5 at x = 2.5
    ASSERT_TRUE(positions.ComputeHelioPositions(Jd2000 + 0.5, Slot, work));
    EXPECT_NEAR(work.WorkSecond[Slot], -21.875, 1e-9);
    BodyPoint point = positions.PositionAt(Jd2000 + 0.5, Slot, Frame::Heliocentric);
    EXPECT_NEAR(point.second, -21.875, 1e-9);
    EXPECT_NEAR(point.secondSpeed, -1.5 - 0.5 * 1.0, 1e-9);  // slope −1.5 + t·(−1)
}

TEST_F(TablePositions, HeliocentricTablesAreNeverRetrograde) {
    Put(DayKind::HelioLong, Day2000 - 1, {10, 9, 8});
    work.RetroMarks.set(Slot, 'R');
    ASSERT_TRUE(positions.ComputeHelioPositions(Jd2000, Slot, work));
    EXPECT_NEAR(work.WorkLong[Slot], 9, 1e-9);
    EXPECT_EQ(work.RetroMarks.at(Slot), ' ');
}

struct DirectionCase {
    std::vector<float> days;  // from the day of the moment on
    char mark;
};

TEST_F(TablePositions, DirectionComesFromTheTabulatedDays) {
    const DirectionCase cases[] = {
        {{5, 6}, 'r'},    {{5, 4}, 'f'},           {{5, 5, 5, 6}, 'r'},
        {{5, 5, 4}, 'f'}, {{-5, -5, -5, -6}, 'f'}, {{1, -1}, 'f'},
        {{-1, 0}, 'r'},   {{-2, -3}, 'f'},         {{-3, -2}, 'r'},
    };
    for (const auto& c : cases) {
        std::vector<float> days = c.days;
        days.resize(6, 99);  // whatever follows a run of equal values
        Put(DayKind::GeoDecl, Day2000, days);
        ASSERT_TRUE(positions.ComputeGeoPositions(Jd2000 + 0.7, Slot, work));
        EXPECT_EQ(work.DirectionMarks.at(Slot), c.mark) << c.days[0] << " " << c.days[1];
    }
}

TEST(DirectionMark, SignRule) {
    EXPECT_EQ(DirectionMark(1, 2), 'r');
    EXPECT_EQ(DirectionMark(2, 1), 'f');
    EXPECT_EQ(DirectionMark(0, 0), 'r');
    EXPECT_EQ(DirectionMark(0.5, -0.5), 'f');
    EXPECT_EQ(DirectionMark(-0.5, 0), 'r');
    EXPECT_EQ(DirectionMark(-1, -2), 'f');
}

TEST_F(TablePositions, OutOfRangeShowsTheMessageAndTouchesNothing) {
    Put(DayKind::GeoLong, Start1900 - 2, {10, 11, 12, 13});
    work.WorkLong[Slot] = 123;
    work.RetroMarks.set(Slot, 'R');
    EXPECT_FALSE(positions.ComputeGeoPositions(2415020.4, Slot, work));
    EXPECT_FALSE(positions.PositionsValid);
    EXPECT_EQ(work.WorkLong[Slot], 123);
    EXPECT_EQ(work.RetroMarks.at(Slot), 'R');
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Error - Some Data Produced Is Inaccurate");
    EXPECT_EQ(messages.shown[0].text,
              "You have entered a date outside the range of my ephemeris, which covers "
              "1900-01-01 to 2050-01-01 (UT). Please enter another date.");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_FALSE(positions.ComputeHelioPositions(2415020.4, 0, work));
    EXPECT_FALSE(positions.PositionAt(2415020.4, Slot, Frame::Geocentric).valid);
    EXPECT_EQ(messages.shown.size(), 2u);  // PositionAt is silent

    // With the early tables the same moment is computed: 1899-12-31 21h36 is day 54785.
    positions.Use1750 = true;
    positions.PositionsValid = true;
    EXPECT_TRUE(positions.ComputeGeoPositions(2415020.4, Slot, work));
    EXPECT_TRUE(positions.PositionsValid);
    EXPECT_NEAR(work.WorkLong[Slot], 11.9, 1e-5);
    EXPECT_EQ(messages.shown.size(), 2u);
    // The range named is the one in force.
    EXPECT_FALSE(positions.ComputeGeoPositions(2360233.5, Slot, work));  // 1749-12-31
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_NE(messages.shown[2].text.find("which covers 1750-01-01 to 2050-01-01 (UT)"),
              std::string::npos);
}

// A free slot whose tables could not be loaded has no position, not the zeros of an empty
// table; the slots of the angles keep their heliocentric zeros.
TEST_F(TablePositions, FreeSlotsWithoutTablesReadMissing) {
    Put(DayKind::GeoLong, Day2000 - 1, {10, 11, 12});
    work.WorkLong[Slot + 1] = 77;
    EXPECT_TRUE(positions.ComputeGeoPositions(Jd2000, 0, work));
    EXPECT_FALSE(work.Missing[Slot]);
    EXPECT_NEAR(work.WorkLong[Slot], 11, 1e-9);
    for (int slot = Slot + 1; slot <= BodyCount; ++slot) {
        EXPECT_TRUE(work.Missing[slot]) << slot;
        EXPECT_EQ(work.WorkLong[slot], 0) << slot;
        EXPECT_EQ(work.RetroMarks.at(slot), ' ') << slot;
    }
    EXPECT_TRUE(positions.ComputeHelioPositions(Jd2000, 0, work));
    for (int slot : {SlotAscendant, SlotMidheaven, SlotPartOfFortune})
        EXPECT_FALSE(work.Missing[slot]) << slot;
    EXPECT_TRUE(work.Missing[Slot + 1]);
    EXPECT_FALSE(positions.PositionAt(Jd2000, Slot + 1, Frame::Geocentric).valid);
}

TEST_F(TablePositions, FirstAndLastTabulatedDaysStayInsideTheTables) {
    positions.Use1750 = true;
    Put(DayKind::GeoLong, 0, {10, 11, 13});
    Put(DayKind::GeoLong, DayTableLength - 3, {20, 21, 23});
    Put(DayKind::GeoDecl, DayTableLength - 3, {1, 2, 1.5});
    // 1750-01-01 0h: the window moves to days 0..2, the value is day 0's.
    ASSERT_TRUE(positions.ComputeGeoPositions(DayTableBase, Slot, work));
    EXPECT_NEAR(work.WorkLong[Slot], 10, 1e-9);
    // 2050-01-01 0h: the window moves to the last three days, the value is the last day's.
    ASSERT_TRUE(positions.ComputeGeoPositions(DayTableBase + DayTableLength - 1, Slot, work));
    EXPECT_NEAR(work.WorkLong[Slot], 23, 1e-9);
    EXPECT_NEAR(work.WorkSecond[Slot], 1.5, 1e-9);
    EXPECT_EQ(work.DirectionMarks.at(Slot), 'f');  // 2 on the day before, 1.5 on the last
    // Later that day the quadratic is extrapolated: 20, 21, 23 is 21 + 1.5t + 0.5t², t = 1.5.
    ASSERT_TRUE(positions.ComputeGeoPositions(DayTableBase + DayTableLength - 0.5, Slot, work));
    EXPECT_NEAR(work.WorkLong[Slot], 24.375, 1e-9);
}

TEST_F(TablePositions, UnusedAndHouseSlots) {
    work.WorkLong[SlotAscendant] = 77;
    ASSERT_TRUE(positions.ComputeGeoPositions(Jd2000, SlotAscendant, work));
    EXPECT_EQ(work.WorkLong[SlotAscendant], 77);  // geocentric angles come from the houses
    for (int slot : {18, 19, 20, 40}) {
        work.WorkLong[slot] = work.WorkSecond[slot] = 77;
        ASSERT_TRUE(positions.ComputeHelioPositions(Jd2000, slot, work));
        EXPECT_EQ(work.WorkLong[slot], 0) << slot;
        EXPECT_EQ(work.WorkSecond[slot], 0) << slot;
        EXPECT_FALSE(positions.PositionAt(Jd2000, slot, Frame::Heliocentric).valid) << slot;
    }
    EXPECT_FALSE(positions.PositionAt(Jd2000, SlotAscendant, Frame::Geocentric).valid);
}

TEST_F(TablePositions, HeliocentricSunAndMoonAreZeroWithBlankMarks) {
    for (int slot : {1, 4}) {
        work.WorkLong[slot] = work.WorkSecond[slot] = 5;
        work.RetroMarks.set(slot, 'R');
        work.DirectionMarks.set(slot, 'r');
        ASSERT_TRUE(positions.ComputeHelioPositions(Jd2000, slot, work));
        EXPECT_EQ(work.WorkLong[slot], 0);
        EXPECT_EQ(work.WorkSecond[slot], 0);
        EXPECT_EQ(work.RetroMarks.at(slot), ' ');
        EXPECT_EQ(work.DirectionMarks.at(slot), ' ');
        BodyPoint point = positions.PositionAt(Jd2000, slot, Frame::Heliocentric);
        EXPECT_EQ(point.longitude, 0);
        EXPECT_EQ(point.second, 0);
    }
    EXPECT_TRUE(messages.shown.empty());  // nothing was asked of the planetary reader
}

TEST_F(TablePositions, FreeSlotWithoutTablesForTheDayIsInvalid) {
    Put(DayKind::GeoLong, Start1900, {1, 2, 3});
    positions.Use1750 = true;
    EXPECT_FALSE(positions.PositionAt(Jd2000, Slot + 1, Frame::Geocentric).valid);
    EXPECT_TRUE(positions.PositionAt(2415020.5, Slot, Frame::Geocentric).valid);
    EXPECT_FALSE(positions.PositionAt(2415019.5, Slot, Frame::Geocentric).valid);  // 1750 part
}

TEST_F(TablePositions, TableSpeedIsTheSlopeOfTheQuadratic) {
    Put(DayKind::GeoLong, Day2000 - 1, {10, 12, 16});
    BodyPoint point = positions.PositionAt(Jd2000 + 0.5, Slot, Frame::Geocentric);
    EXPECT_NEAR(point.longitudeSpeed, 4, 1e-9);  // 12 + 3t + t² rises by 3 + 2t a day
}

// Offsets computed by hand from the defining series (pi = 3.1415926535).
TEST(SiderealOffsets, MatchTheSeries) {
    struct Case {
        double jd, a, b;
    } cases[] = {{2415020.0, 336.650985741349, 22.455873939914},
                 {2451545.0, 335.263261074953, 23.861001333406},
                 {2469807.5, 334.556879435347, 24.551264688553}};
    for (const auto& c : cases) {
        SiderealOffsets offsets = ComputeSiderealOffsets(c.jd);
        EXPECT_NEAR(offsets.a, c.a, 1e-9) << c.jd;
        EXPECT_NEAR(offsets.b, c.b, 1e-9) << c.jd;
    }
    EXPECT_NEAR(ApplySiderealOffset(30, 0, {335, 24}), 5, 1e-12);
    EXPECT_NEAR(ApplySiderealOffset(10, 1, {335, 24}), 346, 1e-12);
}

TEST_F(TablePositions, SiderealCorrectionBothOptions) {
    Put(DayKind::GeoLong, Day2000 - 1, {359, 1, 3});
    positions.sidereal.on = true;
    positions.sidereal.type = 0;  // SVP: 1 + A
    ASSERT_TRUE(positions.ComputeGeoPositions(Jd2000, Slot, work));
    EXPECT_NEAR(work.WorkLong[Slot], 336.263278345106, 1e-6);
    EXPECT_NEAR(positions.SiderealOffsetA(), 335.263278345106, 1e-9);
    EXPECT_NEAR(positions.SiderealOffsetB(), 23.860975304842, 1e-9);
    EXPECT_NEAR(positions.PositionAt(Jd2000, Slot, Frame::Geocentric).longitude, 336.263278345106,
                1e-6);
    positions.sidereal.type = 1;  // true ayanamsa: 1 − B
    ASSERT_TRUE(positions.ComputeHelioPositions(Jd2000, SlotAscendant, work));
    EXPECT_NEAR(work.WorkLong[SlotAscendant], 360 - 23.860975304842, 1e-6);  // 0 − B
    ASSERT_TRUE(positions.ComputeGeoPositions(Jd2000, Slot, work));
    EXPECT_NEAR(work.WorkLong[Slot], 337.139024695158, 1e-6);
}

// The files the build generated, installed into a fresh installation folder as at start-up.
struct GeneratedFiles : ::testing::Test {
    test::TempFolder home;
    RecordingMessages messages;
    BodyCatalogue catalogue = MakeBodyCatalogue();
    Ephemeris ephemeris{messages};
    DayTables tables;
    Positions positions{ephemeris, tables, messages};

    void SetUp() override {
        const auto source = GeneratedEphemerisSource();
        if (!std::filesystem::exists(source / "ephem000.dat")) {
            GTEST_SKIP() << "no generated ephemeris files in " << source;
        }
        InstallEphemerisFrom(source, home.path(), messages);
        SelectLoadFiles(home.path(), catalogue, messages);
        ASSERT_GT(OpenPlanetFiles(home.path(), ephemeris), 0);
        LoadDayTables(home.path(), catalogue, SelectionFlags::All(), tables, messages, {});
        ASSERT_TRUE(messages.shown.empty()) << messages.shown[0].text;
    }

    int SlotOf(const std::string& name) const {
        for (int slot = FirstFreeSlot; slot < catalogue.NextFreeSlot; ++slot) {
            if (catalogue.BodyNames[slot] == name) return slot;
        }
        return 0;
    }
};

double AngleBetween(double a, double b) {
    return std::abs(Norm360(a - b + 180) - 180);
}

// The low-precision solar position of the astronomical almanac (about 0.01 degrees): apparent
// longitude and declination of the Sun.
void AlmanacSun(double jd, double& longitude, double& declination) {
    const double t = (jd - 2451545.0) / 36525.0;
    const double l0 = 280.46646 + 36000.76983 * t + 0.0003032 * t * t;
    const double m = 357.52911 + 35999.05029 * t - 0.0001537 * t * t;
    const double c = (1.914602 - 0.004817 * t - 0.000014 * t * t) * SinD(m) +
                     (0.019993 - 0.000101 * t) * SinD(2 * m) + 0.000289 * SinD(3 * m);
    const double omega = 125.04 - 1934.136 * t;
    longitude = Norm360(l0 + c - 0.00569 - 0.00478 * SinD(omega));
    const double epsilon =
        23.0 + 26.0 / 60 + 21.448 / 3600 - 46.815 / 3600 * t + 0.00256 * CosD(omega);
    declination = std::asin(SinD(epsilon) * SinD(longitude)) * kRadToDeg;
}

TEST_F(GeneratedFiles, DefaultFreeSlots) {
    EXPECT_EQ(SlotOf("pholus"), 21);
    EXPECT_EQ(SlotOf("hjp"), 22);
    EXPECT_EQ(SlotOf("hki"), 23);
    EXPECT_EQ(SlotOf("jki"), 24);
}

TEST_F(GeneratedFiles, Day54786IsTheFirstNumberOfTheLongitudeFile) {
    const int slot = SlotOf("pholus");
    ASSERT_GT(slot, 0);
    std::ifstream file(LoadFolderPath(home.path()) / "pholus1900l.eph");
    double first = -1;
    ASSERT_TRUE(file >> first);
    EXPECT_EQ(tables.At(slot, DayKind::GeoLong, 54786), static_cast<float>(first));
}

TEST_F(GeneratedFiles, ChartRunsAgreeWithPositionAtAndStayInRange) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> moment(2415020.5, 2469808.49);
    std::vector<double> moments = {2415020.5, 2451545.0, 2469807.5, 2469808.4};
    for (int k = 0; k < 150; ++k) moments.push_back(moment(random));
    for (double jd : moments) {
        for (Frame frame : {Frame::Geocentric, Frame::Heliocentric}) {
            const bool geo = frame == Frame::Geocentric;
            WorkingPositions work;
            ASSERT_TRUE(geo ? positions.ComputeGeoPositions(jd, 0, work)
                            : positions.ComputeHelioPositions(jd, 0, work));
            for (int slot = 1; slot <= BodyCount; ++slot) {
                const bool expected =
                    slot <= SlotJuno
                        ? !(geo ? slot == SlotEarth : slot == SlotSun || slot == SlotMoon)
                        : slot >= FirstFreeSlot && slot < catalogue.NextFreeSlot;
                BodyPoint point = positions.PositionAt(jd, slot, frame);
                ASSERT_EQ(point.valid, expected) << "slot " << slot << " jd " << jd;
                if (!point.valid) continue;
                SCOPED_TRACE("slot " + std::to_string(slot) + " jd " + std::to_string(jd) +
                             (geo ? " geo" : " helio"));
                EXPECT_GE(work.WorkLong[slot], 0);
                EXPECT_LT(work.WorkLong[slot], 360);
                EXPECT_LE(std::abs(work.WorkSecond[slot]), 90);
                EXPECT_LT(AngleBetween(work.WorkLong[slot], point.longitude), 2e-4);
                EXPECT_NEAR(work.WorkSecond[slot], point.second, 2e-4);
                const char retro = work.RetroMarks.at(slot);
                if (!geo) {
                    EXPECT_EQ(retro, ' ');
                }
                if (geo && slot <= SlotJuno && std::abs(point.longitudeSpeed) > 1e-4) {
                    EXPECT_EQ(retro, point.longitudeSpeed < 0 ? 'R' : ' ');
                }
            }
        }
    }
}

TEST_F(GeneratedFiles, SunAgreesWithTheAlmanacSeries) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> moment(2415020.5, 2469807.5);
    for (int k = 0; k < 60; ++k) {
        const double jd = moment(random);
        double longitude = 0, declination = 0;
        AlmanacSun(jd, longitude, declination);
        WorkingPositions work;
        ASSERT_TRUE(positions.ComputeGeoPositions(jd, SlotSun, work));
        EXPECT_LT(AngleBetween(work.WorkLong[SlotSun], longitude), 0.015) << jd;
        EXPECT_NEAR(work.WorkSecond[SlotSun], declination, 0.015) << jd;
        EXPECT_EQ(work.RetroMarks.at(SlotSun), ' ');
        // The Earth seen from the Sun stands opposite the Sun seen from the Earth (to within
        // the aberration of about 20 arcseconds).
        ASSERT_TRUE(positions.ComputeHelioPositions(jd, SlotEarth, work));
        EXPECT_LT(AngleBetween(work.WorkLong[SlotEarth], longitude + 180), 0.02) << jd;
    }
}

TEST_F(GeneratedFiles, EarlyTablesServeMomentsFrom1750) {
    const double jd = 2378647.5 + 0.3;  // 1800-06-01 7h12
    WorkingPositions work;
    EXPECT_FALSE(positions.PositionAt(jd, SlotOf("pholus"), Frame::Geocentric).valid);
    ASSERT_TRUE(Load1750Tables(home.path(), catalogue, tables, messages, {}));
    positions.Use1750 = true;
    ASSERT_TRUE(positions.ComputeGeoPositions(jd, 0, work));
    for (int slot : {int{SlotSun}, int{SlotMars}, SlotOf("pholus"), SlotOf("hjp")}) {
        BodyPoint point = positions.PositionAt(jd, slot, Frame::Geocentric);
        ASSERT_TRUE(point.valid) << slot;
        EXPECT_LT(AngleBetween(work.WorkLong[slot], point.longitude), 2e-4) << slot;
    }
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace quintaro
