// SPDX-License-Identifier: AGPL-3.0-or-later
// Reading positions changes nothing shared: scans on two threads against one loaded ephemeris
// give exactly what they give one after the other. Run under ThreadSanitizer too (see
// docs/ephemeris-files.md).
#include <gtest/gtest.h>

#include <random>
#include <thread>
#include <vector>

#include "synthetic_sky.h"

namespace quintaro {
namespace {

using test::SyntheticSky;

constexpr int Slots[] = {SlotSun,
                         SlotMars,
                         SlotJupiter,
                         SlotSaturn,
                         SyntheticSky::SingleSlot,
                         SyntheticSky::MidpointSlot};

struct Reading {
    double longitude, second, longitudeSpeed, secondSpeed;
    bool valid;
    bool operator==(const Reading&) const = default;
};

// A scan through time (a search stepping by a quarter hour) or over scattered moments (a
// database of charts), both frames, every slot of the sky.
std::vector<Reading> Scan(const PositionAtMoment& positionAt, bool scattered, unsigned seed) {
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> moment(SyntheticSky::First + 1,
                                                  SyntheticSky::First + SyntheticSky::Days - 2);
    std::vector<Reading> out;
    double jd = SyntheticSky::First + 1;
    for (int i = 0; i < 4000; ++i) {
        jd = scattered ? moment(rng) : jd + 1.0 / 96;
        for (Frame frame : {Frame::Geocentric, Frame::Heliocentric})
            for (int slot : Slots) {
                const BodyPoint p = positionAt(jd, slot, frame);
                out.push_back({p.longitude, p.second, p.longitudeSpeed, p.secondSpeed, p.valid});
            }
    }
    return out;
}

TEST(ScansOnThreads, TwoScansAtOnceReadWhatEachReadsAlone) {
    SyntheticSky sky;
    const Positions& positions = sky.positions;
    const auto stepping = Scan(positions.AsFunction(), false, 1);
    const auto scattered = Scan(positions.AsFunction(), true, 2);
    ASSERT_TRUE(stepping.front().valid);
    for (int round = 0; round < 3; ++round) {
        std::vector<Reading> a, b;
        std::thread first([&] { a = Scan(positions.AsFunction(), false, 1); });
        std::thread second([&] { b = Scan(positions.AsFunction(), true, 2); });
        first.join();
        second.join();
        EXPECT_TRUE(a == stepping) << "round " << round;
        EXPECT_TRUE(b == scattered) << "round " << round;
    }
    EXPECT_TRUE(sky.messages.shown.empty());
}

TEST(ScansOnThreads, BatchReadsOnTwoThreads) {
    SyntheticSky sky;
    const Ephemeris& ephemeris = sky.ephemeris;
    const int codes[] = {0, 5, 6, 7, 4, 1};  // Earth and Moon are not in the sky
    auto scan = [&](unsigned seed) {
        EphemerisCursor cursor;
        std::mt19937_64 rng(seed);
        std::uniform_real_distribution<double> moment(SyntheticSky::First + 1,
                                                      SyntheticSky::First + 798);
        std::vector<std::optional<EphemerisPoint>> out;
        for (int i = 0; i < 5000; ++i) {
            std::optional<EphemerisPoint> points[std::size(codes)];
            ephemeris.ReadBodies(moment(rng), Frame::Geocentric, codes, points, cursor);
            out.insert(out.end(), std::begin(points), std::end(points));
        }
        return out;
    };
    auto same = [](const auto& x, const auto& y) {
        if (x.size() != y.size()) return false;
        for (std::size_t i = 0; i < x.size(); ++i) {
            if (x[i].has_value() != y[i].has_value()) return false;
            if (x[i] && (x[i]->longitude != y[i]->longitude || x[i]->second != y[i]->second ||
                         x[i]->longitudeSpeed != y[i]->longitudeSpeed ||
                         x[i]->secondSpeed != y[i]->secondSpeed))
                return false;
        }
        return true;
    };
    const auto alone3 = scan(3), alone4 = scan(4);
    std::vector<std::optional<EphemerisPoint>> a, b;
    std::thread first([&] { a = scan(3); });
    std::thread second([&] { b = scan(4); });
    first.join();
    second.join();
    EXPECT_TRUE(same(a, alone3));
    EXPECT_TRUE(same(b, alone4));
}

}  // namespace
}  // namespace quintaro
