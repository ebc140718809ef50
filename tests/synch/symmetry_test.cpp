// SPDX-License-Identifier: AGPL-3.0-or-later
#include "synch/symmetry.h"

#include <gtest/gtest.h>

#include "recording_messages.h"
#include "synch_test_chart.h"

namespace quintaro {
namespace {

using test::HandChart;
using test::Natal;
using test::Transit;

using test::Placed;

// Runs both kinds with the same longitudes in both frames (bodies left out of a frame aside).
struct SymmetryRun {
    HandChart chart;
    SelectionFlags synchSelection = SelectionFlags::All();
    test::RecordingMessages messages;
    SymmetryResult result;

    void run(const std::vector<Placed>& bodies, double orb, int capacity = 1000) {
        MemberList members;
        for (const Placed& p : bodies) {
            chart.set(p.member.side, p.member.slot, 0, p.value);
            chart.set(p.member.side, p.member.slot, 2, p.value);
            members.members.push_back(p.member);
        }
        SymmetryInputs in{chart.record, chart.selection, synchSelection, chart.catalogue};
        in.orbs = {orb, orb};
        in.capacity = capacity;
        FindSymmetricalPatterns(in, members, result, messages);
    }
    std::vector<std::string> texts(SymmetryKind kind, int pass) const {
        std::vector<std::string> out;
        for (const SymmetryPattern& p : result.of(kind).patterns)
            if (p.pass == pass) out.push_back(p.text);
        return out;
    }
};

using Texts = std::vector<std::string>;

TEST(SymmetryTest, APointOnTheMidpointOrOppositeWithinTheOrb) {
    struct Case {
        double point, midpoint, orb;
        bool expected;
    };
    const Case cases[] = {{10, 10, 0, true},
                          {190, 10, 0, true},
                          {13.0, 10, 3, true},
                          {13.01, 10, 3, false},
                          {7.0, 10, 3, true},
                          {6.99, 10, 3, false},
                          {193, 10, 3, true},
                          {187, 10, 3, true},
                          {193.01, 10, 3, false},
                          {359, 1, 3, true},
                          {179, 1, 3, true},
                          {95, 5, 3, false},
                          // Orbs typed in decimals meet distances computed from decimals.
                          {12.3, 10.2, 2.1, true},
                          {0.1, 359.8, 0.3, true}};
    for (const Case& c : cases)
        EXPECT_EQ(SymmetryTest(c.point, c.midpoint, c.orb), c.expected)
            << c.point << " on " << c.midpoint << " orb " << c.orb;
}

TEST(Symmetry, ABodyOnTheMidpointOfTwoNatalBodies) {
    SymmetryRun r;
    r.run({{Natal(SlotSun), 10}, {Natal(SlotMars), 0}, {Natal(SlotVenus), 20}}, 3.0);
    EXPECT_EQ(r.texts(SymmetryKind::Geocentric, 1), Texts{"sun   mars  venus"});
    EXPECT_TRUE(r.result.of(SymmetryKind::Heliocentric).patterns.empty());  // no Sun there
    SymmetryRun opposite;
    opposite.run({{Natal(SlotSun), 190}, {Natal(SlotMars), 0}, {Natal(SlotVenus), 20}}, 0.0);
    EXPECT_EQ(opposite.texts(SymmetryKind::Geocentric, 1), Texts{"sun   mars  venus"});
}

TEST(Symmetry, TheOrbIsInclusive) {
    SymmetryRun inside, outside;
    inside.run({{Natal(SlotJupiter), 13.0}, {Natal(SlotMars), 0}, {Natal(SlotVenus), 20}}, 3.0);
    outside.run({{Natal(SlotJupiter), 13.01}, {Natal(SlotMars), 0}, {Natal(SlotVenus), 20}}, 3.0);
    EXPECT_EQ(inside.texts(SymmetryKind::Geocentric, 1), Texts{"jupit mars  venus"});
    EXPECT_EQ(inside.texts(SymmetryKind::Heliocentric, 1), Texts{"jupit mars  venus"});
    EXPECT_TRUE(outside.result.of(SymmetryKind::Geocentric).patterns.empty());
}

TEST(Symmetry, PairsOfPairsPairFirstWithSecondAndThirdWithFourth) {
    // Mercury 0 and Venus 40 share the midpoint 20 with Mars 10 and Jupiter 30.
    SymmetryRun paired;
    paired.run({{Natal(2), 0}, {Natal(3), 40}, {Natal(5), 10}, {Natal(6), 30}}, 3.0);
    EXPECT_EQ(paired.texts(SymmetryKind::Geocentric, 2), Texts{"mercu venus  mars  jupit"});
    EXPECT_TRUE(paired.texts(SymmetryKind::Geocentric, 1).empty());
    // Listed in the order 0, 10, 40, 30: only 0-10 against 40-30 is tested (5 and 35), not
    // 0-40 against 10-30, whose midpoints meet.
    SymmetryRun unpaired;
    unpaired.run({{Natal(2), 0}, {Natal(5), 10}, {Natal(3), 40}, {Natal(6), 30}}, 3.0);
    EXPECT_TRUE(unpaired.result.of(SymmetryKind::Geocentric).patterns.empty());
}

TEST(Symmetry, MixedPatternsNeedBothTypes) {
    SymmetryRun natalOnly;
    natalOnly.run({{Natal(SlotMars), 0}, {Natal(SlotVenus), 20}, {Natal(SlotJupiter), 10}}, 1.0);
    EXPECT_TRUE(natalOnly.texts(SymmetryKind::Geocentric, 3).empty());
    EXPECT_EQ(natalOnly.texts(SymmetryKind::Geocentric, 1), Texts{"jupit mars  venus"});

    SymmetryRun mixed;
    mixed.run({{Natal(SlotMars), 0}, {Natal(SlotVenus), 20}, {Transit(SlotJupiter), 190}}, 1.0);
    EXPECT_EQ(mixed.texts(SymmetryKind::Geocentric, 3), Texts{"(jupit ) - <mars  venus >"});
    EXPECT_TRUE(mixed.texts(SymmetryKind::Geocentric, 1).empty());

    // Two transit bodies around a natal one; a natal pair against a transit pair.
    SymmetryRun four;
    four.run({{Natal(SlotMars), 100},
              {Transit(SlotSaturn), 90},
              {Transit(SlotPluto), 110},
              {Natal(SlotVenus), 0}},
             1.0);
    EXPECT_EQ(four.texts(SymmetryKind::Geocentric, 3), Texts{"(satur pluto ) - <mars  >"});
    SymmetryRun pairs;
    pairs.run({{Natal(SlotMars), 0},
               {Natal(SlotVenus), 40},
               {Transit(SlotSaturn), 15},
               {Transit(SlotPluto), 25}},
              1.0);
    EXPECT_EQ(pairs.texts(SymmetryKind::Geocentric, 4), Texts{"(satur pluto ) - <mars  venus >"});
}

TEST(Symmetry, TheSameBodyOfTheOtherTypeMayTakePart) {
    // Transit Mars on the midpoint of natal Mars and natal Venus.
    SymmetryRun r;
    r.run({{Natal(SlotMars), 0}, {Natal(SlotVenus), 20}, {Transit(SlotMars), 10}}, 0.5);
    EXPECT_EQ(r.texts(SymmetryKind::Geocentric, 3), Texts{"(mars  ) - <mars  venus >"});
}

TEST(Symmetry, SelectionsAndFramesLeaveBodiesOut) {
    const std::vector<Placed> bodies = {{Natal(SlotMoon), 10},
                                        {Natal(SlotMars), 0},
                                        {Natal(SlotVenus), 20},
                                        {Natal(SlotEarth), 10}};
    SymmetryRun all;
    all.run(bodies, 0.5);
    // Geocentric: the Moon only (no Earth); heliocentric: the Earth only (no Moon).
    EXPECT_EQ(all.texts(SymmetryKind::Geocentric, 1), Texts{"moon  mars  venus"});
    EXPECT_EQ(all.texts(SymmetryKind::Heliocentric, 1), Texts{"earth mars  venus"});
    SymmetryRun unmarked;
    unmarked.synchSelection.setNatal(SlotMoon, false);
    unmarked.run(bodies, 0.5);
    EXPECT_TRUE(unmarked.texts(SymmetryKind::Geocentric, 1).empty());
    SymmetryRun unselected;
    unselected.chart.selection.setNatal(SlotEarth, false);
    unselected.run(bodies, 0.5);
    EXPECT_TRUE(unselected.texts(SymmetryKind::Heliocentric, 1).empty());
    SymmetryRun missing;
    missing.chart.record.Natal.GeoMissing[SlotMoon] = true;
    missing.run(bodies, 0.5);
    EXPECT_TRUE(missing.texts(SymmetryKind::Geocentric, 1).empty());
}

TEST(Symmetry, AFullListEndsEachPassThatFindsMoreWithOneMessage) {
    // Five natal bodies on one point: every triple and every pair of pairs is a pattern.
    SymmetryRun r;
    std::vector<Placed> bodies;
    for (int slot : {2, 3, 5, 6, 7}) bodies.push_back({Natal(slot), 42});
    r.run(bodies, 1.0, 2);
    for (SymmetryKind kind : {SymmetryKind::Geocentric, SymmetryKind::Heliocentric}) {
        const SymmetryKindResult& k = r.result.of(kind);
        EXPECT_EQ(k.patterns.size(), 2u);
        EXPECT_EQ(k.patterns[0].text, "mercu venus mars");
        EXPECT_EQ(k.patterns[1].text, "mercu venus jupit");
        EXPECT_EQ(k.limitReached, (std::array<bool, 4>{true, true, false, false}));
    }
    ASSERT_EQ(r.messages.shown.size(), 4u);  // passes 1 and 2 of each kind
    for (const auto& shown : r.messages.shown) {
        EXPECT_EQ(shown.title, "Limit reached");
        EXPECT_EQ(shown.text, "I cannot add any more aspects - I have reached my limit of 2.");
    }
}

TEST(Symmetry, TheListingNumbersThePatternsOfEachKind) {
    SymmetryResult result;
    result.kinds[0].patterns.push_back({1, {}, "sun   mars  venus"});
    result.kinds[0].patterns.push_back({3, {}, "(jupit ) - <mars  venus >"});
    EXPECT_EQ(SymmetryListing(result),
              "Geocentric patterns (2)\n     1  sun   mars  venus\n"
              "     2  (jupit ) - <mars  venus >\n\n"
              "Heliocentric patterns (0)\n    none found\n");
}

}  // namespace
}  // namespace quintaro
