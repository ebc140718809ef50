// SPDX-License-Identifier: AGPL-3.0-or-later
// Our house cusps and angles against the Swiss Ephemeris house function for the same RAMC,
// latitude and obliquity: over RAMC 0..359 and latitudes to 66 in 1-degree steps, and at random
// places and obliquities.
#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "angles.h"
#include "core/houses.h"

namespace quintaro {
namespace {

using test::Separation;

constexpr double kObliquity = 23.4392911;  // mean obliquity of J2000

// House number 1..12 of cusp index 1..12 (index 1 is the 10th house, 4 the 1st).
int HouseOfIndex(int index) {
    return (index + 8) % 12 + 1;
}

struct Peer {
    double cusps[13];
    double ascmc[10];
};

Peer PeerHouses(double ramc, double latitude, char letter) {
    Peer peer{};
    swe_houses_armc(ramc, latitude, kObliquity, letter, peer.cusps, peer.ascmc);
    return peer;
}

struct Worst {
    double difference = 0;
    int ramc = 0, latitude = 0, index = 0;
    void take(double d, int r, int lat, int i) {
        if (d > difference) *this = {d, r, lat, i};
    }
};

// Every system within 0.001 degree of the library up to |latitude| 66; the bands are reported
// separately because the semi-arc iterations converge more slowly toward the polar circles.
constexpr double kTolerance = 0.001;
constexpr int kBands[] = {55, 60, 66};

struct SystemCase {
    HouseSystem system;
    char letter;
};

const std::vector<SystemCase> kSystems = {
    {HouseSystem::Placidus, 'P'},       {HouseSystem::Koch, 'K'},
    {HouseSystem::Campanus, 'C'},       {HouseSystem::Regiomontanus, 'R'},
    {HouseSystem::Porphyry, 'O'},       {HouseSystem::EqualAscendant, 'A'},
    {HouseSystem::EqualAscendant, 'E'}, {HouseSystem::EqualMC, 'D'},
    {HouseSystem::Meridian, 'X'},       {HouseSystem::Morinus, 'M'},
};

TEST(HousesVsSwissEphemeris, CuspsOverTheGrid) {
    for (const SystemCase& c : kSystems) {
        int lower = 0;
        for (int band : kBands) {
            Worst worst;
            for (int lat = -band; lat <= band; ++lat) {
                if (std::abs(lat) < lower) continue;
                for (int ramc = 0; ramc < 360; ++ramc) {
                    Peer peer = PeerHouses(ramc, lat, c.letter);
                    HouseCuspResult ours = CuspsFromRamc(c.system, ramc, lat, kObliquity);
                    EXPECT_FALSE(ours.polarFallback) << ramc << " " << lat;
                    for (int i = 1; i <= 12; ++i)
                        worst.take(Separation(ours.cusps[i], peer.cusps[HouseOfIndex(i)]), ramc,
                                   lat, i);
                }
            }
            std::printf("%-16s '%c' |lat| %2d..%2d: worst %.3g deg (RAMC %d, lat %d, index %d)\n",
                        std::string(HouseSystemName(c.system)).c_str(), c.letter, lower, band,
                        worst.difference, worst.ramc, worst.latitude, worst.index);
            EXPECT_LE(worst.difference, kTolerance)
                << HouseSystemName(c.system) << " up to latitude " << band;
            lower = band + 1;
        }
    }
}

// Places and moments off the whole-degree grid: RAMC and latitude anywhere up to 66 degrees and
// the obliquities of 1750 to 2050.
TEST(HousesVsSwissEphemeris, CuspsAtRandomPlaces) {
    std::mt19937_64 rng(66);
    std::uniform_real_distribution<double> ramcs(0.0, 360.0), latitudes(-66.0, 66.0),
        obliquities(23.43, 23.47);
    for (const SystemCase& c : kSystems) {
        double worst = 0;
        for (int k = 0; k < 20000; ++k) {
            const double ramc = ramcs(rng), lat = latitudes(rng), eps = obliquities(rng);
            double cusps[13], ascmc[10];
            swe_houses_armc(ramc, lat, eps, c.letter, cusps, ascmc);
            HouseCuspResult ours = CuspsFromRamc(c.system, ramc, lat, eps);
            ASSERT_FALSE(ours.polarFallback) << ramc << " " << lat << " " << eps;
            for (int i = 1; i <= 12; ++i)
                worst = std::max(worst, Separation(ours.cusps[i], cusps[HouseOfIndex(i)]));
        }
        std::printf("%-16s '%c' random places to |lat| 66: worst %.3g deg\n",
                    std::string(HouseSystemName(c.system)).c_str(), c.letter, worst);
        EXPECT_LE(worst, kTolerance) << HouseSystemName(c.system);
    }
}

TEST(HousesVsSwissEphemeris, AnglesOverTheGrid) {
    Worst asc, mc, vertex;
    for (int lat = -66; lat <= 66; ++lat) {
        for (int ramc = 0; ramc < 360; ++ramc) {
            Peer peer = PeerHouses(ramc, lat, 'P');
            Angles ours = AnglesFromRamc(ramc, lat, kObliquity);
            asc.take(Separation(ours.Ascendant, peer.ascmc[SE_ASC]), ramc, lat, 0);
            mc.take(Separation(ours.Midheaven, peer.ascmc[SE_MC]), ramc, lat, 0);
            // On the equator our vertex is taken at 0.00001 radian: compared below.
            if (lat != 0) vertex.take(Separation(ours.Vertex, peer.ascmc[SE_VERTEX]), ramc, lat, 0);
        }
    }
    std::printf("ascendant worst %.3g, midheaven worst %.3g, vertex worst %.3g (RAMC %d, lat %d)\n",
                asc.difference, mc.difference, vertex.difference, vertex.ramc, vertex.latitude);
    EXPECT_LE(asc.difference, 0.001);
    EXPECT_LE(mc.difference, 0.001);
    EXPECT_LE(vertex.difference, 0.001);
}

TEST(HousesVsSwissEphemeris, VertexOnTheEquatorIsTakenJustNorthOfIt) {
    const double nudged = 0.00001 * 180.0 / 3.14159265358979323846;
    for (int ramc = 0; ramc < 360; ramc += 5) {
        double peer[10], cusps[13];
        swe_houses_armc(ramc, nudged, kObliquity, 'P', cusps, peer);
        EXPECT_NEAR(Separation(AnglesFromRamc(ramc, 0.0, kObliquity).Vertex, peer[SE_VERTEX]), 0.0,
                    1e-9)
            << ramc;
    }
}

TEST(HousesVsSwissEphemeris, BeyondThePolarCirclesSemiArcSystemsAgreeWithPorphyry) {
    // The peer falls back to Porphyry there as we do.
    Worst worst;
    for (int lat : {-90, -80, -67, 67, 75, 90}) {
        for (int ramc = 0; ramc < 360; ramc += 3) {
            Peer peer = PeerHouses(ramc, lat, 'O');
            for (HouseSystem system : {HouseSystem::Placidus, HouseSystem::Koch}) {
                HouseCuspResult ours = CuspsFromRamc(system, ramc, lat, kObliquity);
                EXPECT_TRUE(ours.polarFallback);
                for (int i = 1; i <= 12; ++i)
                    worst.take(Separation(ours.cusps[i], peer.cusps[HouseOfIndex(i)]), ramc, lat,
                               i);
            }
        }
    }
    EXPECT_LE(worst.difference, 0.001) << "RAMC " << worst.ramc << " lat " << worst.latitude;
}

}  // namespace
}  // namespace quintaro
