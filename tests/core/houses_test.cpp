// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/houses.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "angles.h"
#include "core/degrees.h"
#include "recording_messages.h"

namespace quintaro {
namespace {

using test::Separation;

constexpr double kJ2000Obliquity = 23.4392911;
constexpr double kRad = 3.14159265358979323846 / 180.0;

// Degrees and minutes of a signed reading in the hh.mm form (-87.38 is 87 degrees 38 minutes).
UnitsAndMinutes FromHhmm(double hhmm) {
    return SplitHhmm(std::fabs(hhmm));
}

ChartData Chart(int y, int m, int d, double clock, Meridiem half, double longitude,
                double latitude) {
    ChartData data;
    data.year = y;
    data.month = m;
    data.day = d;
    data.time = {FromHhmm(clock), half};
    data.zone = 0;
    data.longitude = {FromHhmm(longitude), longitude < 0 ? EastWest::East : EastWest::West};
    data.latitude = {FromHhmm(latitude), latitude < 0 ? NorthSouth::South : NorthSouth::North};
    return data;
}

// Where an ecliptic point stands in the sky of a place, by the textbook transformation
// (ecliptic to equatorial to horizontal), kept apart from the code under test.
struct SkyPlace {
    double altitude;  // degrees
    double north;     // component of the direction toward the north point of the horizon
    double sinHourAngle;
    double rightAscension;
};

SkyPlace InTheSky(double longitude, double ramc, double latitude, double obliquity) {
    double l = longitude * kRad, e = obliquity * kRad, f = latitude * kRad;
    double dec = std::asin(std::sin(e) * std::sin(l));
    double ra = std::atan2(std::sin(l) * std::cos(e), std::cos(l));
    double h = ramc * kRad - ra;
    double sinAlt = std::sin(f) * std::sin(dec) + std::cos(f) * std::cos(dec) * std::cos(h);
    double north = std::cos(f) * std::sin(dec) - std::sin(f) * std::cos(dec) * std::cos(h);
    double raDeg = std::fmod(ra / kRad + 360.0, 360.0);
    return {std::asin(sinAlt) / kRad, north, std::sin(h), raDeg};
}

TEST(SiderealTime, PublishedGreenwichSiderealTimes) {
    // Greenwich mean sidereal time of 1987 April 10 at 0h and at 19h21m UT, from a standard
    // almanac textbook: 13h10m46.3668s and 8h34m57.0896s.
    ChartHouses midnight, evening;
    ComputeAngles(Chart(1987, 4, 10, 12.00f, Meridiem::AM, 0, 0), midnight);
    ComputeAngles(Chart(1987, 4, 10, 7.21f, Meridiem::PM, 0, 0), evening);
    EXPECT_NEAR(midnight.RAMC, 197.693195, 0.001);
    EXPECT_NEAR(evening.RAMC, 128.737873, 0.001);
    EXPECT_EQ(midnight.SiderealTimeText, "13H  10M  46S ");
    EXPECT_NEAR(midnight.ChartJD, 2446895.5, 1e-9);
}

TEST(SiderealTime, LongitudeIsWestPositiveInDegreesAndMinutes) {
    ChartHouses greenwich, west, east;
    ComputeAngles(Chart(1987, 4, 10, 12.00f, Meridiem::AM, 0, 0), greenwich);
    ComputeAngles(Chart(1987, 4, 10, 12.00f, Meridiem::AM, 77.30f, 0), west);   // 77°30' West
    ComputeAngles(Chart(1987, 4, 10, 12.00f, Meridiem::AM, -10.45f, 0), east);  // 10°45' East
    EXPECT_NEAR(Separation(west.RAMC, greenwich.RAMC - 77.5), 0, 1e-4);
    EXPECT_NEAR(Separation(east.RAMC, greenwich.RAMC + 10.75), 0, 1e-4);
}

TEST(SiderealTime, TextIsHoursMinutesSecondsWithUnits) {
    struct Case {
        double ramc;
        const char* text;
    } cases[] = {{0, "00H  00M  00S "},         {15, "01H  00M  00S "},
                 {7.5, "00H  30M  00S "},       {197.693195, "13H  10M  46S "},
                 {359.99999, "23H  59M  59S "}, {-15, "23H  00M  00S "},
                 {165.2625, "11H  01M  03S "}};
    for (const auto& c : cases) EXPECT_EQ(SiderealTimeText(c.ramc), c.text) << c.ramc;
}

TEST(Angles, ClockRuleAndMoment) {
    ChartHouses am, pm, noon;
    ComputeAngles(Chart(2000, 1, 1, 12.30f, Meridiem::AM, 0, 0), am);
    ComputeAngles(Chart(2000, 1, 1, 12.30f, Meridiem::PM, 0, 0), pm);
    ComputeAngles(Chart(2000, 1, 1, 12.00f, Meridiem::PM, 0, 0), noon);
    EXPECT_NEAR(am.DayFraction * 24, 0.5, 1e-6);
    EXPECT_NEAR(pm.DayFraction * 24, 12.5, 1e-6);
    EXPECT_NEAR(noon.ChartJD, 2451545.0, 1e-9);
    // Mean obliquity of J2000: 23°26'21.448".
    EXPECT_NEAR(noon.Obliquity, kJ2000Obliquity, 1e-4);
    // 12h30m of sidereal rotation lie between the two: 12 solar hours are 180.49 degrees.
    EXPECT_NEAR(Separation(pm.RAMC, am.RAMC + 180.0 + 12 * 0.0410686), 0, 1e-3);
}

TEST(Angles, SouthernLatitudeFromTheSide) {
    ChartHouses south, north;
    ComputeAngles(Chart(2000, 1, 1, 12.00, Meridiem::PM, 0, -33.52), south);
    ComputeAngles(Chart(2000, 1, 1, 12.00, Meridiem::PM, 0, 33.52), north);
    EXPECT_NEAR(south.Latitude, -(33 + 52 / 60.0), 1e-5);
    EXPECT_NEAR(north.Latitude, 33 + 52 / 60.0, 1e-5);
    EXPECT_GT(Separation(south.Ascendant, north.Ascendant), 1.0);
}

TEST(Angles, HandComputedAscendantAndMidheaven) {
    // From tan ASC = cos RAMC / -(sin RAMC cos e + tan phi sin e) and tan MC = tan RAMC / cos e,
    // evaluated separately for the J2000 obliquity.
    struct Case {
        double ramc, latitude, asc, mc;
    } cases[] = {
        {0, 45, 111.691533, 0},
        {30, 51.5, 137.910886, 32.181259},
        {123.4, 40.7, 206.417213, 121.172594},
        {200, -33.9, 301.732055, 201.638503},
        {300, 60, 78.075205, 297.910550},
        {45, -23, 124.164629, 47.464176},
        {0, 0, 90, 0},
        {90, 0, 180, 90},
        {180, 0, 270, 180},
        {270, 0, 0, 270},
    };
    for (const auto& c : cases) {
        Angles a = AnglesFromRamc(c.ramc, c.latitude, kJ2000Obliquity);
        EXPECT_NEAR(Separation(a.Ascendant, c.asc), 0, 1e-6) << c.ramc << " " << c.latitude;
        EXPECT_NEAR(Separation(a.Midheaven, c.mc), 0, 1e-6) << c.ramc << " " << c.latitude;
    }
}

TEST(Angles, AscendantRisesInTheEastVertexLiesOnTheWesternPrimeVertical) {
    for (double latitude = -85; latitude <= 85; latitude += 5) {
        if (latitude == 0) continue;  // the vertex is taken off the equator there (below)
        for (double ramc = 3; ramc < 360; ramc += 11) {
            Angles a = AnglesFromRamc(ramc, latitude, kJ2000Obliquity);
            SkyPlace asc = InTheSky(a.Ascendant, ramc, latitude, kJ2000Obliquity);
            SkyPlace vertex = InTheSky(a.Vertex, ramc, latitude, kJ2000Obliquity);
            SkyPlace mc = InTheSky(a.Midheaven, ramc, latitude, kJ2000Obliquity);
            EXPECT_NEAR(asc.altitude, 0, 1e-8) << ramc << " " << latitude;
            EXPECT_LT(asc.sinHourAngle, 0) << ramc << " " << latitude;  // east of the meridian
            EXPECT_NEAR(vertex.north, 0, 1e-8) << ramc << " " << latitude;
            EXPECT_GT(vertex.sinHourAngle, 0) << ramc << " " << latitude;  // west
            EXPECT_NEAR(Separation(mc.rightAscension, ramc), 0, 1e-8);
        }
    }
}

TEST(Angles, EquatorStillYieldsAVertex) {
    for (double ramc : {10.0, 95.0, 200.0, 271.0}) {  // at 0 and 180 the vertex is at the zenith
        Angles a = AnglesFromRamc(ramc, 0.0, kJ2000Obliquity);
        ASSERT_TRUE(std::isfinite(a.Vertex));
        // On the equator the prime vertical is the equator itself: the vertex is one of the
        // equinoxes, the one west of the meridian.
        double equinox = std::sin(ramc * kRad) > 0 ? 0.0 : 180.0;
        EXPECT_NEAR(Separation(a.Vertex, equinox), 0, 0.01) << ramc;
    }
}

TEST(PartOfFortune, AscendantPlusMoonMinusSun) {
    EXPECT_DOUBLE_EQ(PartOfFortune(100, 50, 200), 310);
    EXPECT_DOUBLE_EQ(PartOfFortune(350, 20, 5), 5);
    EXPECT_DOUBLE_EQ(PartOfFortune(10, 0, 10), 0);
}

TEST(PointDeclinations, FromLongitudeOnTheEclipticWithTheTrueObliquity) {
    // 1987-04-10 0h: true obliquity 23°26'36.850" (Meeus, Astronomical Algorithms, example 22.a;
    // its mean obliquity is the 1976 one, 0.04" above the 2006 one used here).
    const double trueObliquity = 23 + 26 / 60.0 + 36.850 / 3600;
    ChartHouses h;
    h.ChartJD = 2446895.5;
    h.Obliquity = kJ2000Obliquity;  // the angles' mean obliquity plays no part
    h.Ascendant = 90;
    h.Midheaven = 270;
    h.PartOfFortune = 30;
    h.Vertex = 180;
    ComputePointDeclinations(h);
    EXPECT_NEAR(h.AscendantDecl, trueObliquity, 0.06 / 3600);
    EXPECT_NEAR(h.MidheavenDecl, -trueObliquity, 0.06 / 3600);
    EXPECT_NEAR(h.PartOfFortuneDecl, std::asin(std::sin(trueObliquity * kRad) / 2) / kRad,
                0.06 / 3600);
    EXPECT_NEAR(h.VertexDecl, 0, 1e-9);
}

TEST(Angles, ChartCarriesTheSiderealOffsetsOfItsMoment) {
    // Near 2000.0 the sidereal vernal point lies about 24.74 degrees behind the equinox and the
    // "true" ayanamsa of the Indian ephemeris is about 23.85 degrees.
    ChartHouses houses;
    ComputeAngles(Chart(2000, 1, 1, 12.00f, Meridiem::PM, 0, 0), houses);
    EXPECT_NEAR(houses.SiderealOffsetA, 360 - 24.74, 0.02);
    EXPECT_NEAR(houses.SiderealOffsetB, 23.85, 0.02);
}

TEST(HouseSystems, NamesAndLabels) {
    EXPECT_EQ(FindHouseSystem("Equal MC"), HouseSystem::EqualMC);
    EXPECT_EQ(FindHouseSystem("Regiomontanus"), HouseSystem::Regiomontanus);
    EXPECT_FALSE(FindHouseSystem("placidus"));
    EXPECT_FALSE(FindHouseSystem("Whole Sign"));
    for (std::string_view name : HouseSystemNames)
        EXPECT_EQ(HouseSystemName(*FindHouseSystem(name)), name);
    EXPECT_EQ(HouseLabel4(1), "10TH");
    EXPECT_EQ(HouseLabel4(4), " 1ST");
    EXPECT_EQ(HouseLabel4(12), " 9TH");
    EXPECT_EQ(HouseLabel4(13), "    ");
}

TEST(HouseSystems, FixedAndSignBasedSystems) {
    NatalReference natal{45.5, 123.25};
    struct Case {
        HouseSystem system;
        double index1, index4, index12;
    } cases[] = {
        {HouseSystem::VelmAstro, 90, 180, 60},
        {HouseSystem::Natural, 270, 0, 240},
        {HouseSystem::Arabic, 300, 30, 270},  // the ascendant's sign (Taurus) from the 1st house
        {HouseSystem::Solar, 33.25, 123.25, 3.25},
    };
    for (const auto& c : cases) {
        HouseCuspArray cusps = CuspsFromRamc(c.system, 123.0, 51.5, kJ2000Obliquity, natal).cusps;
        EXPECT_NEAR(cusps[1], c.index1, 1e-9) << HouseSystemName(c.system);
        EXPECT_NEAR(cusps[4], c.index4, 1e-9) << HouseSystemName(c.system);
        EXPECT_NEAR(cusps[12], c.index12, 1e-9) << HouseSystemName(c.system);
        EXPECT_NEAR(cusps[5], Norm360(c.index4 + 30), 1e-9) << HouseSystemName(c.system);
    }
}

TEST(HouseSystems, EqualAndPorphyryStructure) {
    const double ramc = 250, latitude = 48.85;
    Angles a = AnglesFromRamc(ramc, latitude, kJ2000Obliquity);
    HouseCuspArray equalAsc =
        CuspsFromRamc(HouseSystem::EqualAscendant, ramc, latitude, kJ2000Obliquity).cusps;
    HouseCuspArray equalMc =
        CuspsFromRamc(HouseSystem::EqualMC, ramc, latitude, kJ2000Obliquity).cusps;
    HouseCuspArray porphyry =
        CuspsFromRamc(HouseSystem::Porphyry, ramc, latitude, kJ2000Obliquity).cusps;
    EXPECT_NEAR(equalAsc[4], a.Ascendant, 1e-9);
    EXPECT_NEAR(equalMc[1], a.Midheaven, 1e-9);
    for (int i = 1; i <= 12; ++i) {
        int next = i % 12 + 1;
        EXPECT_NEAR(Separation(equalAsc[next], equalAsc[i] + 30), 0, 1e-9);
        EXPECT_NEAR(Separation(equalMc[next], equalMc[i] + 30), 0, 1e-9);
    }
    double upper = Norm360(a.Ascendant - a.Midheaven);
    EXPECT_NEAR(Separation(porphyry[2], a.Midheaven + upper / 3), 0, 1e-9);
    EXPECT_NEAR(Separation(porphyry[3], a.Midheaven + 2 * upper / 3), 0, 1e-9);
    double lower = 180 - upper;
    EXPECT_NEAR(Separation(porphyry[5], a.Ascendant + lower / 3), 0, 1e-9);
    EXPECT_NEAR(Separation(porphyry[10], a.Ascendant + 180), 0, 1e-9);
}

const std::vector<HouseSystem> kQuadrantSystems = {HouseSystem::Placidus, HouseSystem::Koch,
                                                   HouseSystem::Campanus, HouseSystem::Porphyry,
                                                   HouseSystem::Regiomontanus};

TEST(HouseSystems, QuadrantSystemsKeepAnglesAndOppositeCusps) {
    for (HouseSystem system : kQuadrantSystems) {
        for (double latitude : {-60.0, -35.5, 0.0, 12.0, 51.5, 64.0}) {
            for (double ramc = 0; ramc < 360; ramc += 37) {
                Angles a = AnglesFromRamc(ramc, latitude, kJ2000Obliquity);
                HouseCuspArray c = CuspsFromRamc(system, ramc, latitude, kJ2000Obliquity).cusps;
                EXPECT_NEAR(c[1], a.Midheaven, 1e-9);
                EXPECT_NEAR(c[4], a.Ascendant, 1e-9);
                EXPECT_DOUBLE_EQ(c[13], c[1]);
                for (int i = 1; i <= 6; ++i)
                    EXPECT_NEAR(Separation(c[i + 6], c[i] + 180), 0, 1e-9)
                        << HouseSystemName(system);
                // Cusps follow each other in zodiacal order within each quadrant.
                double quadrant = Norm360(c[4] - c[1]);
                EXPECT_LE(Norm360(c[2] - c[1]), quadrant) << HouseSystemName(system);
                EXPECT_LE(Norm360(c[3] - c[2]), quadrant) << HouseSystemName(system);
            }
        }
    }
}

TEST(HouseSystems, OnTheEquatorSpaceAndTimeDivisionsCoincide) {
    // At latitude 0 every semi-arc is 90 degrees and the prime vertical lies in the equator, so
    // Placidus, Koch, Campanus and Regiomontanus all reduce to the Meridian division.
    for (double ramc = 0; ramc < 360; ramc += 13) {
        HouseCuspArray meridian =
            CuspsFromRamc(HouseSystem::Meridian, ramc, 0, kJ2000Obliquity).cusps;
        for (HouseSystem system : {HouseSystem::Placidus, HouseSystem::Koch, HouseSystem::Campanus,
                                   HouseSystem::Regiomontanus}) {
            HouseCuspArray c = CuspsFromRamc(system, ramc, 0, kJ2000Obliquity).cusps;
            for (int i = 1; i <= 12; ++i)
                EXPECT_NEAR(Separation(c[i], meridian[i]), 0, 1e-7)
                    << HouseSystemName(system) << " RAMC " << ramc << " index " << i;
        }
    }
}

TEST(HouseSystems, SouthernSkyMirrorsTheNorthernHalfADayLater) {
    // The antipode of a place (latitude -phi, RAMC + 180) shares its horizon with the east and
    // west swapped: every cusp of every sky-based system lies opposite.
    for (HouseSystem system :
         {HouseSystem::Placidus, HouseSystem::Koch, HouseSystem::Campanus, HouseSystem::Porphyry,
          HouseSystem::Regiomontanus, HouseSystem::EqualAscendant, HouseSystem::EqualMC,
          HouseSystem::Meridian, HouseSystem::Morinus}) {
        for (double latitude : {5.0, 33.9, 55.0, 63.0}) {
            for (double ramc = 7; ramc < 360; ramc += 41) {
                HouseCuspArray north = CuspsFromRamc(system, ramc, latitude, kJ2000Obliquity).cusps;
                HouseCuspArray south =
                    CuspsFromRamc(system, ramc + 180, -latitude, kJ2000Obliquity).cusps;
                for (int i = 1; i <= 12; ++i)
                    EXPECT_NEAR(Separation(south[i], north[i] + 180), 0, 1e-7)
                        << HouseSystemName(system) << " " << ramc << " " << latitude;
            }
        }
    }
}

TEST(HouseSystems, NoNanAnywhereFromPoleToPole) {
    NatalReference natal{359.9, 0.0};
    std::vector<double> latitudes;
    for (int lat = -90; lat <= 90; ++lat) latitudes.push_back(lat);
    for (double extra : {90 - kJ2000Obliquity, -(90 - kJ2000Obliquity), 89.99999, -89.99999,
                         kJ2000Obliquity, 1e-12, -1e-12})
        latitudes.push_back(extra);
    PerSlot<double> longitudes{};
    for (int slot = 1; slot <= BodyCount; ++slot) longitudes[slot] = slot * 6.77;
    for (double latitude : latitudes) {
        for (double ramc = 0; ramc < 360; ramc += 5) {
            Angles a = AnglesFromRamc(ramc, latitude, kJ2000Obliquity);
            ASSERT_TRUE(std::isfinite(a.Ascendant) && std::isfinite(a.Midheaven) &&
                        std::isfinite(a.Vertex))
                << ramc << " " << latitude;
            for (std::string_view name : HouseSystemNames) {
                HouseSystem system = *FindHouseSystem(name);
                HouseCuspArray c =
                    CuspsFromRamc(system, ramc, latitude, kJ2000Obliquity, natal).cusps;
                for (int i = 1; i <= 13; ++i)
                    ASSERT_TRUE(c[i] >= 0 && c[i] < 360) << name << " " << ramc << " " << latitude;
                ChartHouses houses;
                houses.HouseCusps = c;
                PlaceBodiesInHouses(longitudes, SelectionFlags::All(), houses);
                for (int slot = 1; slot <= BodyCount; ++slot)
                    ASSERT_NE(HouseNumberLabel4(houses.HouseOfSlot[slot]), "    ")
                        << name << " " << ramc << " " << latitude << " slot " << slot;
            }
        }
    }
}

TEST(PolarLatitudes, SemiArcSystemsFallBackToPorphyryAndSaySoOnce) {
    test::RecordingMessages messages;
    ChartHouses houses;
    ChartData arctic = Chart(2000, 6, 21, 3.00f, Meridiem::PM, -18.57f, 69.39f);  // Tromsø-like
    ComputeHouseCusps(arctic, HouseSystem::Placidus, {}, houses, messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Houses near the pole");
    EXPECT_NE(messages.shown[0].text.find("Placidus"), std::string::npos);
    EXPECT_NE(messages.shown[0].text.find("Porphyry"), std::string::npos);
    EXPECT_TRUE(houses.PolarFallback);
    HouseCuspArray porphyry =
        CuspsFromRamc(HouseSystem::Porphyry, houses.RAMC, houses.Latitude, houses.Obliquity).cusps;
    for (int i = 1; i <= 12; ++i) EXPECT_NEAR(houses.HouseCusps[i], porphyry[i], 1e-12);

    ComputeHouseCusps(arctic, HouseSystem::Koch, {}, houses, messages);  // still polar: quiet
    EXPECT_EQ(messages.shown.size(), 1u);

    ChartData temperate = arctic;
    temperate.latitude = {{59, 55}, NorthSouth::North};
    ComputeHouseCusps(temperate, HouseSystem::Placidus, {}, houses, messages);
    EXPECT_FALSE(houses.PolarFallback);
    ComputeHouseCusps(arctic, HouseSystem::Koch, {}, houses, messages);
    EXPECT_EQ(messages.shown.size(), 2u);

    ComputeHouseCusps(arctic, HouseSystem::Campanus, {}, houses, messages);
    EXPECT_FALSE(houses.PolarFallback);  // Campanus is defined everywhere
}

TEST(PolarLatitudes, SouthOfTheAntarcticCircleToo) {
    for (double latitude : {-66.6, -75.0, -90.0}) {
        HouseCuspResult r = CuspsFromRamc(HouseSystem::Placidus, 10, latitude, kJ2000Obliquity);
        EXPECT_TRUE(r.polarFallback) << latitude;
    }
    EXPECT_FALSE(CuspsFromRamc(HouseSystem::Placidus, 10, -66.0, kJ2000Obliquity).polarFallback);
}

HouseCuspArray CuspsOf(std::vector<double> values) {  // index 1..12
    HouseCuspArray cusps{};
    for (int i = 1; i <= 12; ++i) cusps[i] = values[i - 1];
    cusps[13] = cusps[1];
    return cusps;
}

TEST(HousePlacement, HouseOfALongitude) {
    // Index 3 (12th house) spans 0 degrees: from 350 to 20.
    HouseCuspArray cusps = CuspsOf({290, 320, 350, 20, 50, 80, 110, 140, 170, 200, 230, 260});
    struct Case {
        double longitude;
        int index;
    } cases[] = {
        {5, 3},        {350, 3},     {359.9999, 3}, {0, 3},      {20, 4},  // on a cusp: that house
        {19.99999, 4}, {19.9999, 3}, {290, 1},      {289.9, 12}, {259.99, 11},
    };
    for (const auto& c : cases) EXPECT_EQ(HouseIndexOf(cusps, c.longitude), c.index) << c.longitude;
    // The 1/36000 degree allowance: a body a hair below a cusp is counted on the cusp.
    EXPECT_EQ(HouseIndexOf(cusps, 20 - 1.0 / 72000), 4);
    EXPECT_EQ(HouseIndexOf(cusps, 20 - 1.0 / 18000), 3);
}

TEST(HousePlacement, NaturalHousesAcrossZero) {
    HouseCuspArray natural = CuspsFromRamc(HouseSystem::Natural, 0, 0, kJ2000Obliquity).cusps;
    EXPECT_EQ(HouseIndexOf(natural, 0.0), 4);
    // The allowance is not reduced modulo 360: a body within it below a 0-degree cusp stays in
    // the house that ends there.
    EXPECT_EQ(HouseIndexOf(natural, 359.99999), 3);
    EXPECT_EQ(HouseIndexOf(natural, 359.99), 3);
    EXPECT_EQ(HouseIndexOf(natural, 270.0), 1);
}

TEST(HousePlacement, HousesFollowTheSelectionFlags) {
    ChartHouses houses;
    houses.HouseCusps = CuspsFromRamc(HouseSystem::Natural, 0, 0, kJ2000Obliquity).cusps;
    PerSlot<double> longitudes{};
    longitudes[1] = 15;    // 1st house
    longitudes[2] = 275;   // 10th
    longitudes[4] = 95;    // 4th, selected in the transit half only
    longitudes[53] = 359;  // 12th
    SelectionFlags flags;
    flags.setNatal(1, true);
    flags.setNatal(2, true);
    flags.setTransit(4, true);
    flags.setNatal(53, true);
    houses.HouseOfSlot.fill(7);  // stale
    PlaceBodiesInHouses(longitudes, flags, houses);
    EXPECT_EQ(HouseNumberLabel4(houses.HouseOfSlot[1]), " 1ST");
    EXPECT_EQ(HouseNumberLabel4(houses.HouseOfSlot[2]), "10TH");
    EXPECT_EQ(HouseNumberLabel4(houses.HouseOfSlot[3]), "    ");
    EXPECT_EQ(HouseNumberLabel4(houses.HouseOfSlot[4]), " 4TH");
    EXPECT_EQ(HouseNumberLabel4(houses.HouseOfSlot[53]), "12TH");
    EXPECT_EQ(houses.HouseOfSlot[1], 1);
    EXPECT_EQ(houses.HouseOfSlot[2], 10);
    EXPECT_EQ(houses.HouseOfSlot[3], 0);
    // Only the natal Sun selected: every other slot is unplaced.
    SelectionFlags sunOnly;
    sunOnly.setNatal(1, true);
    PlaceBodiesInHouses(longitudes, sunOnly, houses);
    EXPECT_EQ(houses.HouseOfSlot[1], 1);
    for (int slot = 2; slot <= BodyCount; ++slot) EXPECT_EQ(houses.HouseOfSlot[slot], 0) << slot;
}

TEST(HousePlacement, HouseNumbersOfTheCuspIndexes) {
    const int expected[] = {0, 10, 11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0};
    for (int index = 0; index <= 13; ++index)
        EXPECT_EQ(HouseNumberOfCusp(index), expected[index]) << index;
    for (int index = 1; index <= 12; ++index)
        EXPECT_EQ(HouseNumberLabel4(HouseNumberOfCusp(index)), HouseLabel4(index)) << index;
}

}  // namespace
}  // namespace quintaro
