// SPDX-License-Identifier: AGPL-3.0-or-later
// Random charts against answers worked out independently: the synchronizations as sets of
// bodies within the orb of an anchor, the symmetrical patterns counted by brute force over every
// triple and quadruple of members with the skip rules of each pass.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

#include "synch/symmetry.h"
#include "synch/synch_search.h"
#include "synch_test_chart.h"

namespace quintaro {
namespace {

using test::HandChart;

constexpr double kTolerance = 1e-9;

// A random chart with every slot named, most bodies selected, a few without a position, and a
// random list of distinct members in random order.
struct RandomChart {
    HandChart chart;
    SelectionFlags synchSelection = SelectionFlags::All();
    MemberList members;

    RandomChart(unsigned seed, size_t memberCount) {
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> circle(0, 360), decl(-28, 28), lat(-8, 8),
            unit(0, 1);
        chart.nameFreeSlots();
        for (ChartSide side : {ChartSide::Natal, ChartSide::Transit})
            for (int slot = 1; slot <= BodyCount; ++slot) {
                chart.set(side, slot, 0, circle(random));
                chart.set(side, slot, 1, decl(random));
                chart.set(side, slot, 2, circle(random));
                chart.set(side, slot, 3, lat(random));
                if (unit(random) < 0.05) chart.selection.setFlag(Index(side, slot), false);
                if (unit(random) < 0.05) synchSelection.setFlag(Index(side, slot), false);
                if (unit(random) < 0.03) chart.chart(side).GeoMissing[slot] = true;
                if (unit(random) < 0.03) chart.chart(side).HelioMissing[slot] = true;
            }
        std::vector<int> all(2 * BodyCount);
        std::iota(all.begin(), all.end(), 1);
        std::shuffle(all.begin(), all.end(), random);
        all.resize(std::min(memberCount, all.size()));
        for (int index : all)
            members.members.push_back({index > BodyCount ? index - BodyCount : index,
                                       index > BodyCount ? ChartSide::Transit : ChartSide::Natal});
    }
    static int Index(ChartSide side, int slot) {
        return side == ChartSide::Natal ? slot : BodyCount + slot;
    }
};

// --- synchronizations -------------------------------------------------------------------------

bool LeftOut(int slot, bool helio) {
    static const int kGeo[] = {11};
    static const int kHelio[] = {1, 4, 13, 18, 19, 20};
    return helio ? std::find(std::begin(kHelio), std::end(kHelio), slot) != std::end(kHelio)
                 : std::find(std::begin(kGeo), std::end(kGeo), slot) != std::end(kGeo);
}

double Raw(const ChartPositions& record, int kind, const SynchMember& m) {
    const ChartKinds& c = m.side == ChartSide::Natal ? record.Natal : record.Transit;
    const auto s = static_cast<size_t>(m.slot);
    return kind == 0   ? c.GeoLong[s]
           : kind == 1 ? c.GeoDecl[s]
           : kind == 2 ? c.HelioLong[s]
                       : c.HelioLat[s];
}

// The magnitude compared: a longitude's degree within its sign, the size of a declination or
// latitude.
double Magnitude(const ChartPositions& record, int kind, const SynchMember& m) {
    const double v = Raw(record, kind, m);
    return kind % 2 == 0 ? std::fmod(v, 30.0) : std::fabs(v);
}

bool Usable(const RandomChart& r, int kind, const SynchMember& m) {
    const bool helio = kind >= 2;
    const ChartKinds& c =
        m.side == ChartSide::Natal ? r.chart.record.Natal : r.chart.record.Transit;
    return r.chart.selection.flag(RandomChart::Index(m.side, m.slot)) && !LeftOut(m.slot, helio) &&
           !(helio ? c.HelioMissing : c.GeoMissing)[static_cast<size_t>(m.slot)];
}

// The synchronizations as the rule defines them, by sets: for each anchor in order of
// magnitude, the bodies above it within the orb, and for a longitude anchor near 30 the bodies
// just above 0; reported when three or more with both types, unless the cluster ends where the
// last reported one ended.
std::vector<std::vector<SynchMember>> ExpectedClusters(const RandomChart& r, int kind, double orb) {
    const ChartPositions& record = r.chart.record;
    std::vector<SynchMember> sorted;
    for (const SynchMember& m : r.members.members)
        if (Usable(r, kind, m)) sorted.push_back(m);
    std::stable_sort(sorted.begin(), sorted.end(), [&](const auto& a, const auto& b) {
        return Magnitude(record, kind, a) < Magnitude(record, kind, b);
    });
    const bool longitude = kind % 2 == 0;
    std::vector<std::vector<SynchMember>> clusters;
    std::pair<bool, size_t> previous{false, sorted.size()};  // (is a copy, index)
    for (size_t k = 0; k < sorted.size(); ++k) {
        const double a = Magnitude(record, kind, sorted[k]);
        std::vector<SynchMember> cluster{sorted[k]};
        std::pair<bool, size_t> last{false, k};
        for (size_t j = k + 1; j < sorted.size(); ++j)
            if (Magnitude(record, kind, sorted[j]) - a <= orb + kTolerance) {
                cluster.push_back(sorted[j]);
                last = {false, j};
            }
        if (longitude && a >= 30 - orb)
            for (size_t j = 0; j < sorted.size(); ++j) {
                const double v = Magnitude(record, kind, sorted[j]);
                if (v < orb && v + 30 - a <= orb + kTolerance) {
                    cluster.push_back(sorted[j]);
                    last = {true, j};
                }
            }
        const auto natal = std::count_if(cluster.begin(), cluster.end(), [](const SynchMember& m) {
            return m.side == ChartSide::Natal;
        });
        if (cluster.size() < 3 || natal == 0 || natal == static_cast<long>(cluster.size()) ||
            last == previous)
            continue;
        previous = last;
        clusters.push_back(cluster);
    }
    return clusters;
}

TEST(SynchOracle, EveryClusterLiesWithinTheOrbOfItsAnchorAndNoneIsMissed) {
    size_t total = 0;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        RandomChart r(seed, seed % 4 == 0 ? 106 : 10 + seed % 50);
        const double orb = 0.3 + (seed % 10) * 0.3;
        const SynchInputs in{r.chart.record, r.chart.selection, r.chart.catalogue};
        for (SynchKind kind : AllSynchKinds) {
            const int k = IndexOf(kind);
            const std::vector<SynchRecord> records =
                SearchSynchKind(in, kind, orb, r.members).records;
            for (const SynchRecord& record : records) {
                const double anchor = Magnitude(r.chart.record, k, record.members.front());
                for (const SynchMember& m : record.members) {
                    const double v = Magnitude(r.chart.record, k, m);
                    const bool within = std::fabs(v - anchor) <= orb + kTolerance;
                    const bool wrapped =
                        k % 2 == 0 && std::fabs(v + 30 - anchor) <= orb + kTolerance;
                    EXPECT_TRUE(within || wrapped)
                        << "seed " << seed << " kind " << k << " " << record.line << ": " << v
                        << " from " << anchor;
                }
            }
            const auto expected = ExpectedClusters(r, k, orb);
            ASSERT_EQ(records.size(), expected.size()) << "seed " << seed << " kind " << k;
            for (size_t i = 0; i < records.size(); ++i)
                EXPECT_EQ(records[i].members, expected[i]) << "seed " << seed << " kind " << k;
            total += records.size();
        }
    }
    EXPECT_GT(total, 200u);  // the charts do produce synchronizations to compare
}

// --- symmetrical patterns ---------------------------------------------------------------------

struct OracleBody {
    bool usable;
    bool transit;
    int slot;
    double longitude;
};

std::vector<OracleBody> OracleBodies(const RandomChart& r, bool helio) {
    std::vector<OracleBody> bodies;
    for (const SynchMember& m : r.members.members) {
        const int index = RandomChart::Index(m.side, m.slot);
        const bool usable = Usable(r, helio ? 2 : 0, m) && r.synchSelection.flag(index);
        bodies.push_back(
            {usable, m.side == ChartSide::Transit, m.slot, Raw(r.chart.record, helio ? 2 : 0, m)});
    }
    return bodies;
}

// The half-sum is one of a pair's two midpoints; the test accepts either.
double HalfSum(double a, double b) {
    return (a + b) / 2;
}

bool OnAxis(double p, double m, double orb) {
    double d = std::fmod(std::fabs(p - m), 360.0);
    if (d > 180) d = 360 - d;
    return d <= orb + kTolerance || d >= 180 - orb - kTolerance;
}

std::array<size_t, 4> BruteForceCounts(const std::vector<OracleBody>& all, double orb) {
    std::array<size_t, 4> counts{};
    std::vector<OracleBody> natal;
    for (const OracleBody& b : all)
        if (!b.transit) natal.push_back(b);
    auto same = [](const OracleBody& x, const OracleBody& y) {
        return x.slot == y.slot && x.transit == y.transit;
    };
    for (const OracleBody& a : natal)
        for (size_t b = 0; b < natal.size(); ++b)
            for (size_t c = b + 1; c < natal.size(); ++c) {
                if (!a.usable || !natal[b].usable || !natal[c].usable) continue;
                if (same(a, natal[b]) || same(a, natal[c]) || same(natal[b], natal[c])) continue;
                if (OnAxis(a.longitude, HalfSum(natal[b].longitude, natal[c].longitude), orb))
                    ++counts[0];
            }
    const size_t n = natal.size();
    for (size_t i1 = 0; i1 < n; ++i1)
        for (size_t i2 = i1 + 1; i2 < n; ++i2)
            for (size_t i3 = i2 + 1; i3 < n; ++i3)
                for (size_t i4 = i3 + 1; i4 < n; ++i4) {
                    const auto &A = natal[i1], &D = natal[i2], &B = natal[i3], &C = natal[i4];
                    if (!A.usable || !D.usable || !B.usable || !C.usable) continue;
                    if (OnAxis(HalfSum(A.longitude, D.longitude), HalfSum(B.longitude, C.longitude),
                               orb))
                        ++counts[1];
                }
    for (size_t a = 0; a < all.size(); ++a)
        for (size_t b = 0; b < all.size(); ++b)
            for (size_t c = b + 1; c < all.size(); ++c) {
                const auto &A = all[a], &B = all[b], &C = all[c];
                if (!A.usable || !B.usable || !C.usable) continue;
                if (same(A, B) || same(A, C) || same(B, C)) continue;
                if (A.transit == B.transit && B.transit == C.transit) continue;
                if (B.transit != C.transit) continue;
                if (OnAxis(A.longitude, HalfSum(B.longitude, C.longitude), orb)) ++counts[2];
            }
    const size_t m = all.size();
    for (size_t i1 = 0; i1 < m; ++i1)
        for (size_t i2 = i1 + 1; i2 < m; ++i2)
            for (size_t i3 = i2 + 1; i3 < m; ++i3)
                for (size_t i4 = i3 + 1; i4 < m; ++i4) {
                    const auto &A = all[i1], &D = all[i2], &B = all[i3], &C = all[i4];
                    if (!A.usable || !D.usable || !B.usable || !C.usable) continue;
                    if (same(A, B) || same(A, C) || same(D, B) || same(D, C)) continue;
                    if (A.transit == D.transit && D.transit == B.transit && B.transit == C.transit)
                        continue;
                    if (A.transit != D.transit || B.transit != C.transit) continue;
                    if (OnAxis(HalfSum(A.longitude, D.longitude), HalfSum(B.longitude, C.longitude),
                               orb))
                        ++counts[3];
                }
    return counts;
}

double LongitudeOf(const ChartPositions& record, bool helio, const SynchMember& m) {
    return Raw(record, helio ? 2 : 0, m);
}

TEST(SymmetryOracle, PatternsPassTheTestAndTheirNumberMatchesABruteForceCount) {
    size_t total = 0;
    for (unsigned seed = 1; seed <= 24; ++seed) {
        const bool full = seed % 8 == 0;
        RandomChart r(1000 + seed, full ? 106 : 8 + seed * 2);
        const double orb = full ? 0.3 : 0.5 + (seed % 6) * 0.5;
        SymmetryInputs in{r.chart.record, r.chart.selection, r.synchSelection, r.chart.catalogue};
        in.orbs = {orb, orb};
        in.capacity = 32767;
        SilentMessages messages;
        SymmetryResult result;
        FindSymmetricalPatterns(in, r.members, result, messages);
        for (bool helio : {false, true}) {
            const SymmetryKindResult& kind =
                result.of(helio ? SymmetryKind::Heliocentric : SymmetryKind::Geocentric);
            ASSERT_EQ(kind.limitReached, (std::array<bool, 4>{})) << "seed " << seed;
            std::array<size_t, 4> counts{};
            for (const SymmetryPattern& p : kind.patterns) {
                ++counts[static_cast<size_t>(p.pass - 1)];
                std::vector<double> at;
                for (const SynchMember& m : p.members)
                    at.push_back(LongitudeOf(r.chart.record, helio, m));
                const bool triple = p.pass == 1 || p.pass == 3;
                ASSERT_EQ(at.size(), triple ? 3u : 4u);
                const bool passes = triple
                                        ? OnAxis(at[0], HalfSum(at[1], at[2]), orb)
                                        : OnAxis(HalfSum(at[0], at[1]), HalfSum(at[2], at[3]), orb);
                EXPECT_TRUE(passes) << "seed " << seed << " " << p.text;
            }
            const auto expected = BruteForceCounts(OracleBodies(r, helio), orb);
            EXPECT_EQ(counts, expected) << "seed " << seed << (helio ? " helio" : " geo");
            for (size_t c : counts) total += c;
        }
    }
    EXPECT_GT(total, 1000u);
}

}  // namespace
}  // namespace quintaro
