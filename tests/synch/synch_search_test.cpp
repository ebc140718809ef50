// SPDX-License-Identifier: AGPL-3.0-or-later
#include "synch/synch_search.h"

#include <gtest/gtest.h>

#include "synch/synch_priority.h"
#include "synch_test_chart.h"

namespace quintaro {
namespace {

using test::HandChart;
using test::Natal;
using test::Transit;

using test::Placed;

struct SearchCase {
    const char* what;
    SynchKind kind;
    double orb;
    std::vector<Placed> bodies;
    std::vector<std::string> lines;  // expected display lines, in the order found
};

std::vector<std::string> Lines(const std::vector<SynchRecord>& records) {
    std::vector<std::string> lines;
    for (const SynchRecord& r : records) lines.push_back(r.line);
    return lines;
}

// The expectations below are worked out by hand from the values: sorted by magnitude, each
// anchor gathers what lies within the orb above it.
TEST(SynchSearch, HandWorkedClusters) {
    const SearchCase cases[] = {
        {"Sun 12.3 Aries, Mars 12.9 Leo, Venus 12.5 Capricorn",
         SynchKind::GeoLongitude,
         1.0,
         {{Natal(1), 12.3}, {Transit(5), 132.9}, {Natal(3), 282.5}},
         {"(mars ) - <sun   venus>"}},
        {"two natal bodies and no transit body",
         SynchKind::GeoLongitude,
         1.0,
         {{Natal(1), 12.3}, {Natal(3), 282.5}, {Transit(5), 140.0}},
         {}},
        {"declinations north and south count alike",
         SynchKind::GeoDeclination,
         1.0,
         {{Natal(5), 12.4}, {Transit(1), -12.6}, {Natal(4), -12.0}},
         {"(sun  ) - <moon  mars >"}},
        {"29.7 meets 0.2 and 0.4 through the copies",
         SynchKind::GeoLongitude,
         1.0,
         {{Natal(6), 89.7}, {Transit(7), 0.2}, {Transit(8), 120.4}},
         {"(satur uranu) - <jupit>"}},
        {"no copies in the declinations",
         SynchKind::GeoDeclination,
         1.0,
         {{Natal(6), 29.7}, {Transit(7), 0.2}, {Transit(8), -0.4}},
         {}},
        {"a cluster ending where the last one ended is not repeated",
         SynchKind::HelioLongitude,
         1.0,
         {{Natal(2), 10.0}, {Transit(3), 40.2}, {Natal(5), 70.4}, {Transit(6), 100.6}},
         {"(venus jupit) - <mercu mars >"}},
        {"a cluster reaching one entry further is reported",
         SynchKind::HelioLongitude,
         1.0,
         {{Natal(2), 10.0},
          {Transit(3), 40.2},
          {Natal(5), 70.4},
          {Transit(6), 100.6},
          {Natal(7), 11.1}},
         {"(venus jupit) - <mercu mars >", "(venus jupit) - <mars  satur>"}},
        {"3.00 apart is inside an orb of 3",
         SynchKind::HelioLatitude,
         3.0,
         {{Natal(2), 12.3}, {Transit(3), 15.3}, {Natal(5), -13.0}},
         {"(venus) - <mercu mars >"}},
        {"3.01 apart is outside",
         SynchKind::HelioLatitude,
         3.0,
         {{Natal(2), 12.3}, {Transit(3), 15.31}, {Natal(5), -13.0}},
         {}},
    };
    for (const SearchCase& c : cases) {
        HandChart chart;
        MemberList members;
        for (const Placed& p : c.bodies) {
            chart.set(p.member.side, p.member.slot, IndexOf(c.kind), p.value);
            members.members.push_back(p.member);
        }
        const SynchKindSearch search = SearchSynchKind(
            {chart.record, chart.selection, chart.catalogue}, c.kind, c.orb, members);
        EXPECT_EQ(Lines(search.records), c.lines) << c.what;
    }
}

TEST(SynchSearch, LeftOutBodiesAndUnselectedOrMissingPositionsTakeNoPart) {
    HandChart chart;
    // Natal Earth, Sun, Moon and transit Node near 10 in both frames; Mars, Venus, Jupiter too.
    for (int kind : {0, 2}) {
        for (int slot : {SlotEarth, SlotSun, SlotMoon, SlotMars, SlotVenus})
            chart.set(ChartSide::Natal, slot, kind, 10.1);
        chart.set(ChartSide::Transit, SlotNode, kind, 10.2);
        chart.set(ChartSide::Transit, SlotJupiter, kind, 10.3);
    }
    MemberList members{{Natal(SlotEarth), Natal(SlotSun), Natal(SlotMoon), Natal(SlotMars),
                        Natal(SlotVenus), Transit(SlotNode), Transit(SlotJupiter)},
                       {}};
    chart.selection.setNatal(SlotVenus, false);
    chart.record.Natal.GeoMissing[SlotMars] = true;
    const SynchInputs in{chart.record, chart.selection, chart.catalogue};
    auto slots = [&](SynchKind kind) {
        std::vector<int> taking;
        for (const SynchCandidate& c : SynchCandidates(in, kind, members))
            taking.push_back(c.member.slot + (c.member.side == ChartSide::Transit ? 100 : 0));
        return taking;
    };
    // Geocentric: no Earth, no Venus (not selected), no Mars (no position).
    EXPECT_EQ(slots(SynchKind::GeoLongitude),
              (std::vector<int>{SlotSun, SlotMoon, 100 + SlotNode, 100 + SlotJupiter}));
    // Heliocentric: no Sun, Moon or node; Mars has its heliocentric position.
    EXPECT_EQ(slots(SynchKind::HelioLongitude),
              (std::vector<int>{SlotEarth, SlotMars, 100 + SlotJupiter}));
}

TEST(SynchSearch, EqualMagnitudesTakeTheExchangeSortsOrder) {
    // 3 (a), 2 (b), 2 (c), 1 (d): the exchange sort gives d, c, b, a.
    std::vector<SynchCandidate> list = {
        {3, Natal(1)}, {2, Natal(2)}, {-2, Natal(3)}, {1, Natal(5)}};
    SortByMagnitude(list);
    std::vector<int> order;
    for (const SynchCandidate& c : list) order.push_back(c.member.slot);
    EXPECT_EQ(order, (std::vector<int>{5, 3, 2, 1}));
}

TEST(SynchSearch, CopiesOfSmallLongitudesAreAppendedOnce) {
    std::vector<SynchCandidate> sorted = {{0.2, Transit(7)}, {0.9, Natal(2)}, {29.7, Natal(6)}};
    auto list = WithWrappedCopies(sorted, SynchKind::HelioLongitude, 1.0);
    ASSERT_EQ(list.size(), 5u);
    EXPECT_DOUBLE_EQ(list[3].value, 30.2);
    EXPECT_TRUE(list[3].copy);
    EXPECT_EQ(list[3].member, Transit(7));
    EXPECT_DOUBLE_EQ(list[4].value, 30.9);
    EXPECT_EQ(WithWrappedCopies(sorted, SynchKind::HelioLatitude, 1.0).size(), 3u);
}

TEST(SynchSearch, TheRoomLimitsTheRecords) {
    // Natal at 1, 2, ..., transit at 1.5, 2.5, ...: with orb 1.2 every anchor starts a new
    // cluster of three.
    HandChart chart;
    MemberList members;
    for (int slot = 2; slot <= 10; ++slot) {
        chart.set(ChartSide::Natal, slot, 1, slot);
        chart.set(ChartSide::Transit, slot, 1, slot + 0.5);
        members.members.push_back(Natal(slot));
        members.members.push_back(Transit(slot));
    }
    const SynchInputs in{chart.record, chart.selection, chart.catalogue};
    const size_t all = SearchSynchKind(in, SynchKind::GeoDeclination, 1.2, members).records.size();
    ASSERT_GT(all, 4u);
    EXPECT_EQ(SearchSynchKind(in, SynchKind::GeoDeclination, 1.2, members, 4).records.size(), 4u);
}

TEST(SynchPriority, TheIndexSumsThePrioritiesOfTheNamedSides) {
    const BodyCatalogue catalogue = MakeBodyCatalogue();
    Priorities p;
    p.values[1] = 70;                // natal Sun
    p.values[3] = 85;                // natal Venus
    p.values[BodyCount + 5] = 35;    // transit Mars
    p.values[5] = 1000;              // natal Mars: not named in a natal part below
    p.values[BodyCount + 1] = 2000;  // transit Sun: likewise
    EXPECT_EQ(PriorityIndex("(mars ) - <sun   venus>", p, catalogue), 35 + 70 + 85);
    EXPECT_EQ(PriorityIndex("(plato) - <sun  >", p, catalogue), 70);  // unknown names add 0
    EXPECT_EQ(PriorityIndex("(Mars ) - <sun  >", p, catalogue), 70);  // "M" starts no name
    EXPECT_EQ(PriorityIndex("", p, catalogue), 0);
    p.values[BodyCount + 5] = 32000;
    p.values[3] = 32000;
    EXPECT_EQ(PriorityIndex("(mars ) - <venus>", p, catalogue), INT16_MAX);  // held to 16 bits
}

TEST(SynchPriority, ArrangingSortsHighestFirstAsTheExchangeSortDoes) {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    Priorities p;
    // a = 5, b = 7, c = 7, d = 9 through the natal priorities of four bodies.
    const int slots[] = {2, 3, 5, 6};
    const int16_t values[] = {5, 7, 7, 9};
    std::vector<SynchRecord> records;
    for (int k = 0; k < 4; ++k) {
        p.values[static_cast<size_t>(slots[k])] = values[k];
        SynchRecord r;
        r.line = "(pluto) - <" + MemberName5(catalogue, slots[k]) + ">";
        r.found = k + 1;
        records.push_back(r);
    }
    ArrangeByPriority(records, p, catalogue);
    std::vector<int> found, priority;
    for (const SynchRecord& r : records) {
        found.push_back(r.found);
        priority.push_back(r.priority);
    }
    EXPECT_EQ(priority, (std::vector<int>{9, 7, 7, 5}));
    EXPECT_EQ(found, (std::vector<int>{4, 3, 2, 1}));  // the two 7s swapped: c before b
}

}  // namespace
}  // namespace quintaro
