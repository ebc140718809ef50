// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/glyph_slots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "wheels/wheel_geometry.h"

namespace quintaro {
namespace {

struct Expected {
    int body;
    int slotInSector;
    double angle;
};

// Worked by hand: proposed slot = Int(8 x offset / 30), then the pull-back rule with n bodies
// in the sector and running number r, then the walk over occupied slots.
struct SlotCase {
    const char* name;
    std::vector<SlotRequest> bodies;
    std::vector<Expected> expected;  // in placement order, lowest longitude first
};

std::vector<SlotCase> Cases() {
    return {
        // Three bodies within 1 degree of each other all propose slot 0 of sector 7 (0..30);
        // with room behind them they take 0 and walk on to 1 and 2.
        {"bunched at the sector start",
         {{1, 1.5, 7}, {2, 1.0, 7}, {3, 2.0, 7}},
         {{2, 0, 2}, {1, 1, 5.75}, {3, 2, 9.5}}},
        // At 28, 29 and 29.5 all propose slot 7; the first two are pulled back to 5 and 6
        // (c - (n - r) - 1), the last keeps 7 (c - p - n + r = 1 > 0).
        {"pulled back at the sector end",
         {{4, 29.5, 7}, {5, 28.0, 7}, {6, 29.0, 7}},
         {{5, 5, 20.75}, {6, 6, 24.5}, {4, 7, 28.25}}},
        // One body near the end of a sector of its own keeps its proposed slot.
        {"alone", {{7, 357.0, 6}}, {{7, 7, 358.25}}},
        // Two bodies on the same longitude: the exchange sort keeps the later-listed one
        // lower, so it is placed first.
        {"equal longitudes", {{8, 100.0, 10}, {9, 100.0, 10}}, {{9, 2, 99.5}, {8, 3, 103.25}}},
        // Six bodies in sector 7, the first proposing slot 3: c - n = 2 is not above 3,
        // c - p - n + r = 0, and p - (n - r) < 0, so it goes back to c - n = 2; the others keep
        // or walk on from their proposed slots.
        {"slot c - n",
         {{1, 12, 7}, {2, 13, 7}, {3, 14, 7}, {4, 20, 7}, {5, 25, 7}, {6, 29, 7}},
         {{1, 2, 9.5}, {2, 3, 13.25}, {3, 4, 17}, {4, 5, 20.75}, {5, 6, 24.5}, {6, 7, 28.25}}},
    };
}

TEST(GlyphSlots, HandWorkedPlacements) {
    auto table = DefaultSectorBoundaries();
    for (const SlotCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        auto placed = PlaceGlyphSlots(c.bodies, table);
        ASSERT_EQ(placed.size(), c.expected.size());
        for (size_t i = 0; i < placed.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(placed[i].body, c.expected[i].body);
            EXPECT_EQ(placed[i].slot % SlotsPerSector, c.expected[i].slotInSector);
            EXPECT_NEAR(placed[i].angle, c.expected[i].angle, 1e-9);
        }
    }
}

// Ten bodies in the first 3 degrees of sector 7 overflow into sector 8's first two slots; a body
// of sector 8 proposing its slot 0 then walks past them to slot 2.
TEST(GlyphSlots, OccupiedSlotWalkRunsIntoTheNextSector) {
    std::vector<SlotRequest> bodies;
    for (int i = 1; i <= 10; ++i) bodies.push_back({i, 0.3 * i, 7});
    bodies.push_back({11, 31.0, 8});
    auto placed = PlaceGlyphSlots(bodies, DefaultSectorBoundaries());
    ASSERT_EQ(placed.size(), 11u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(placed[i].body, i + 1);
        EXPECT_NEAR(placed[i].angle, 2 + 3.75 * i, 1e-9);
        EXPECT_EQ(placed[i].running, i + 1);
    }
    EXPECT_EQ(placed[10].body, 11);
    EXPECT_EQ(placed[10].running, 1);
    EXPECT_NEAR(placed[10].angle, 39.5, 1e-9);
}

// The last slot of sector 12 is followed by the first of sector 1.
TEST(GlyphSlots, WalkWrapsFromTheLastSlotToTheFirst) {
    std::vector<SlotRequest> bodies = {{1, 179.0, 12}, {2, 179.5, 12}, {3, 179.9, 12}};
    // n = 3 bodies proposing slot 7 are pulled back to 5, 6, 7: no wrap yet.
    auto placed = PlaceGlyphSlots(bodies, DefaultSectorBoundaries());
    ASSERT_EQ(placed.size(), 3u);
    EXPECT_NEAR(placed[2].angle, 178.25, 1e-9);

    // Nine bodies in sector 12, one more than it holds, fill it and the ninth walks on to
    // sector 1's first slot at 182 degrees.
    bodies.clear();
    for (int i = 1; i <= 9; ++i) bodies.push_back({i, 150.0 + i, 12});
    placed = PlaceGlyphSlots(bodies, DefaultSectorBoundaries());
    std::set<double> angles;
    for (const auto& p : placed) angles.insert(p.angle);
    EXPECT_EQ(angles.size(), 9u);
    EXPECT_TRUE(angles.count(182.0));
}

// Every catalogue body of both charts in one sign: 96 slots are enough for all of them, and no
// two share one.
TEST(GlyphSlots, CrowdedSignGivesEveryBodyItsOwnSlot) {
    std::vector<SlotRequest> bodies;
    for (int body = 1; body <= 2 * 40; ++body) bodies.push_back({body, 10 + 0.1 * (body % 17), 7});
    auto placed = PlaceGlyphSlots(bodies, DefaultSectorBoundaries());
    ASSERT_EQ(placed.size(), bodies.size());
    std::set<int> slots, seenBodies;
    for (const auto& p : placed) {
        slots.insert(p.slot);
        seenBodies.insert(p.body);
    }
    EXPECT_EQ(slots.size(), bodies.size());
    EXPECT_EQ(seenBodies.size(), bodies.size());
    // Placed lowest longitude first.
    EXPECT_TRUE(std::is_sorted(placed.begin(), placed.end(), [&](const auto& a, const auto& b) {
        return bodies[a.body - 1].longitude < bodies[b.body - 1].longitude;
    }));
}

TEST(GlyphSlots, BodiesBeyondTheTableAreNotPlacedAndBadSectorsSkipped) {
    std::vector<SlotRequest> bodies;
    for (int body = 1; body <= 100; ++body) bodies.push_back({body, 5, 7});
    bodies.push_back({101, 5, 0});
    bodies.push_back({102, 5, 13});
    EXPECT_EQ(PlaceGlyphSlots(bodies, DefaultSectorBoundaries()).size(), 96u);
}

}  // namespace
}  // namespace quintaro
