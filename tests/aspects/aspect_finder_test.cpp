// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/aspect_finder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

#include "aspects/aspect_catalogue.h"
#include "core/degrees.h"
#include "day_parts.h"
#include "synthetic_sky.h"

namespace quintaro {
namespace {

using test::kHour;

using test::Constant;
using test::Motion;
using test::SyntheticSky;

constexpr CoordinateKind kKinds[] = {CoordinateKind::GeoLongitude, CoordinateKind::GeoDeclination,
                                     CoordinateKind::HelioLongitude, CoordinateKind::HelioLatitude};
constexpr Pairing kPairings[] = {Pairing::NatalNatal, Pairing::TransitNatal,
                                 Pairing::TransitTransit};

// Difference of two angles around the circle, −180..180, worked out with trigonometry rather
// than by folding.
double SignedDifference(double a, double b) {
    return std::atan2(std::sin((a - b) * kDegToRad), std::cos((a - b) * kDegToRad)) * kRadToDeg;
}
double CircleDistance(double a, double b) {
    return std::abs(SignedDifference(a, b));
}

// A random sky: bodies 1..20 in both frames, moving at up to 14 degrees a day in longitude and
// with slowly drifting second coordinates.
SyntheticSky RandomSky(std::mt19937& random) {
    std::uniform_real_distribution<double> longitude(0, 360), rate(-1, 14), second(-25, 25),
        drift(-0.6, 0.6);
    SyntheticSky sky;
    for (int slot = 1; slot <= 20; ++slot) {
        for (auto* frame : {&sky.geo, &sky.helio}) {
            double s0 = second(random), ds = drift(random);
            (*frame)[slot] = Motion{longitude(random), rate(random),
                                    [s0, ds](double days) { return s0 + ds * days; }};
        }
    }
    return sky;
}

AspectInputs InputsFor(const SyntheticSky& sky, double natalJD, double transitJD) {
    AspectInputs in;
    in.natalJD = natalJD;
    in.transitJD = transitJD;
    sky.Fill(in.chart.Natal, natalJD);
    sky.Fill(in.chart.Transit, transitJD);
    in.selection = SelectionFlags();
    for (int b = 1; b <= 20; ++b) in.selection.setBoth(b, true);
    in.positionAt = sky.Function();
    return in;
}

TEST(BuildAspectLists, ListsHoldExactlyThePairsWithinTheOrbOfSomeAngle) {
    std::mt19937 random(7);
    const int angles[] = {0, 30, 60, 72, 90, 120, 144, 150, 180};
    for (int chart = 0; chart < 20; ++chart) {
        SyntheticSky sky = RandomSky(random);
        AspectInputs in = InputsFor(sky, 2440000.5, 2451545.25);
        AspectLists lists = BuildAspectLists(in);
        for (Pairing pairing : kPairings) {
            for (CoordinateKind kind : kKinds) {
                bool transit1 = pairing != Pairing::NatalNatal;
                bool transit2 = pairing == Pairing::TransitTransit;
                const ChartKinds& c1 = transit1 ? in.chart.Transit : in.chart.Natal;
                const ChartKinds& c2 = transit2 ? in.chart.Transit : in.chart.Natal;
                std::set<std::pair<int, int>> expected, found;
                double orb = OrbOf(in.orbs, kind);
                for (int b1 = 1; b1 <= 20; ++b1) {
                    for (int b2 = 1; b2 <= 20; ++b2) {
                        if (pairing != Pairing::TransitNatal && b2 <= b1) continue;
                        bool helio = IsHelioKind(kind);
                        auto absent = [helio](int b) {
                            return helio ? (b == 1 || b == 4 || b == 13 || b >= 18) : b == 11;
                        };
                        if (absent(b1) || absent(b2)) continue;
                        bool within = false;
                        if (IsLongitudeKind(kind)) {
                            const auto& l1 = helio ? c1.HelioLong : c1.GeoLong;
                            const auto& l2 = helio ? c2.HelioLong : c2.GeoLong;
                            double distance = CircleDistance(l1[b1], l2[b2]);
                            for (int a : angles) within |= std::abs(distance - a) <= orb;
                        } else {
                            const auto& s1 = helio ? c1.HelioLat : c1.GeoDecl;
                            const auto& s2 = helio ? c2.HelioLat : c2.GeoDecl;
                            within = std::abs(std::abs(s1[b1]) - std::abs(s2[b2])) <= orb;
                        }
                        if (within) expected.insert({b1, b2});
                    }
                }
                std::pair<int, int> previous{0, 0};
                for (const AspectEntry& e : lists.at(pairing, kind).entries) {
                    EXPECT_TRUE(previous < std::make_pair(e.body1, e.body2)) << "builder order";
                    previous = {e.body1, e.body2};
                    found.insert({e.body1, e.body2});
                    EXPECT_LE(std::abs(e.orb), orb + 1e-12);
                    if (IsLongitudeKind(kind)) {
                        EXPECT_TRUE(IsLongitudeAspectCode(e.code));
                        EXPECT_NE(e.code, AspectSemiSquare);
                    } else {
                        EXPECT_TRUE(e.code == AspectParallel || e.code == AspectContraParallel);
                    }
                }
                EXPECT_EQ(found, expected) << "pairing " << static_cast<int>(pairing) << " kind "
                                           << static_cast<int>(kind);
            }
        }
    }
}

TEST(BuildAspectLists, AFullListKeepsItsFirstEntriesAndDropsTheRest) {
    SyntheticSky sky;
    for (int slot = 1; slot <= 10; ++slot) sky.geo[slot] = Motion{50, 0, Constant(0)};
    AspectInputs in = InputsFor(sky, 2451545.25, 2451545.25);
    in.numAspects = 4;  // entries 0..4
    AspectList list = BuildAspectList(in, Pairing::NatalNatal, CoordinateKind::GeoLongitude);
    ASSERT_EQ(list.entries.size(), 5u);
    const std::pair<int, int> first[] = {{1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(list.entries[i].body1, first[i].first);
        EXPECT_EQ(list.entries[i].body2, first[i].second);
        EXPECT_EQ(list.entries[i].code, AspectConjunction);
    }
    in.numAspects = 0;
    EXPECT_EQ(BuildAspectList(in, Pairing::NatalNatal, CoordinateKind::GeoLongitude).entries.size(),
              1u);
}

TEST(BuildAspectLists, EachSideFollowsItsOwnSelectionFlags) {
    SyntheticSky sky;
    sky.geo[2] = Motion{10, 0, Constant(0)};
    sky.geo[3] = Motion{130, 0, Constant(0)};
    AspectInputs in = InputsFor(sky, 2451545.25, 2451545.25);
    in.selection = test::Selection({2}, {2, 3});  // Venus (3) only on the transit side
    AspectLists lists = BuildAspectLists(in);
    EXPECT_TRUE(lists.at(Pairing::NatalNatal, CoordinateKind::GeoLongitude).entries.empty());
    const auto& tn = lists.at(Pairing::TransitNatal, CoordinateKind::GeoLongitude).entries;
    ASSERT_EQ(tn.size(), 2u);  // transit Mercury and Venus to natal Mercury; no natal Venus
    EXPECT_EQ(tn[0].body1, 2);
    EXPECT_EQ(tn[0].code, AspectConjunction);
    EXPECT_EQ(tn[1].body1, 3);
    EXPECT_EQ(tn[1].body2, 2);
    EXPECT_EQ(tn[1].code, AspectTrine);
    EXPECT_EQ(lists.at(Pairing::TransitTransit, CoordinateKind::GeoLongitude).entries.size(), 1u);

    // A transit Venus without a geocentric position takes part in no geocentric aspect, while its
    // heliocentric position still counts.
    in.chart.Transit.GeoMissing[3] = true;
    lists = BuildAspectLists(in);
    const auto& without = lists.at(Pairing::TransitNatal, CoordinateKind::GeoLongitude).entries;
    ASSERT_EQ(without.size(), 1u);
    EXPECT_EQ(without[0].body1, 2);
    EXPECT_TRUE(lists.at(Pairing::TransitTransit, CoordinateKind::GeoLongitude).entries.empty());
    EXPECT_FALSE(in.chart.Transit.missing(true, 3));
}

// Applying or separating by watching the orb from the aspect's own angle over the next hour,
// from the synthetic motion directly. Cases where exactness is passed within the hour are left
// out: there the orb may grow although the aspect was applying; so are aspects that leave the orb
// within the hour, which the hour-ahead test no longer sees as the same aspect.
TEST(ApplyingSign, AgreesWithTheOrbsChangeOverTheNextHour) {
    std::mt19937 random(11);
    int compared = 0;
    for (int chart = 0; chart < 40; ++chart) {
        SyntheticSky sky = RandomSky(random);
        const double natalJD = 2440000.5 + chart, transitJD = 2451545.25 + chart;
        AspectInputs in = InputsFor(sky, natalJD, transitJD);
        AspectLists lists = BuildAspectLists(in);
        for (Pairing pairing : kPairings) {
            for (CoordinateKind kind : kKinds) {
                Frame frame = FrameOf(kind);
                double jd1 = pairing == Pairing::NatalNatal ? natalJD : transitJD;
                double jd2 = pairing == Pairing::TransitTransit ? transitJD : natalJD;
                // The natal body of a transit–natal pair does not move.
                double later2 = pairing == Pairing::TransitNatal ? jd2 : jd2 + kHour;
                for (const AspectEntry& e : lists.at(pairing, kind).entries) {
                    if (e.body1 >= 18 || e.body2 >= 18) continue;
                    const Motion& m1 = *sky.Find(e.body1, frame);
                    const Motion& m2 = *sky.Find(e.body2, frame);
                    double orbNow, orbLater;
                    bool passed;
                    if (IsLongitudeKind(kind)) {
                        double angle = AspectAngle(e.code);
                        double p1 = m1.LongitudeAt(jd1 - sky.epoch);
                        double p2 = m2.LongitudeAt(jd2 - sky.epoch);
                        double q1 = m1.LongitudeAt(jd1 + kHour - sky.epoch);
                        double q2 = m2.LongitudeAt(later2 - sky.epoch);
                        double eNow = SignedDifference(p1, p2), eLater = SignedDifference(q1, q2);
                        orbNow = std::abs(std::abs(eNow) - angle);
                        orbLater = std::abs(std::abs(eLater) - angle);
                        // Passing 0 or 180 flips the sign of the difference.
                        passed = (std::abs(eNow) - angle) * (std::abs(eLater) - angle) <= 0 ||
                                 eNow * eLater <= 0;
                        // A body passing 0 degrees of the zodiac changes the sign of the plain
                        // difference of longitudes, which the test reads as applying.
                        passed |= std::abs(q1 - p1) > 180 || std::abs(q2 - p2) > 180;
                    } else {
                        double a0 = m1.SecondAt(jd1 - sky.epoch), b0 = m2.SecondAt(jd2 - sky.epoch);
                        double a1 = m1.SecondAt(jd1 + kHour - sky.epoch);
                        double b1 = m2.SecondAt(later2 - sky.epoch);
                        orbNow = std::abs(std::abs(a0) - std::abs(b0));
                        orbLater = std::abs(std::abs(a1) - std::abs(b1));
                        passed =
                            (std::abs(a0) - std::abs(b0)) * (std::abs(a1) - std::abs(b1)) <= 0 ||
                            (a0 - b0) * (a1 - b1) <= 0;
                    }
                    if (passed || orbLater > OrbOf(in.orbs, kind)) continue;
                    int expected = orbLater <= orbNow ? +1 : -1;
                    EXPECT_EQ(e.orb >= 0 ? +1 : -1, expected)
                        << "bodies " << e.body1 << "-" << e.body2 << " kind "
                        << static_cast<int>(kind) << " orb now " << orbNow << " later " << orbLater;
                    EXPECT_EQ(ApplyingSign(in, e.body1, e.body2, pairing, kind), expected);
                    ++compared;
                }
            }
        }
    }
    EXPECT_GT(compared, 1000);
}

struct LongitudeRule {
    double d0, d1;
    int sign;
    const char* why;
};

TEST(ApplyingSign, LongitudeRules) {
    const LongitudeRule rules[] = {
        {122.0, 122.1, -1, "trine orb grows"},
        {122.0, 121.9, +1, "trine orb shrinks"},
        {-122.0, -122.1, -1, "negative difference, orb grows"},
        {120.1, 119.8, +1, "passed exactness within the hour"},
        {359.6, 0.5, +1, "wrapped round 0/360 through the conjunction"},
        {-0.4, 0.5, +1, "difference changed sign through the conjunction"},
        {179.8, 180.3, +1, "crossed 180 through the opposition"},
        {179.0, 180.0, +1, "exactly opposite an hour later"},
        {178.0, 177.9, -1, "opposition orb grows"},
    };
    for (const auto& r : rules) EXPECT_EQ(LongitudeApplyingSign(r.d0, r.d1, 3.0), r.sign) << r.why;
}

struct ParallelRule {
    double a0, b0, a1, b1;
    int sign;
    const char* why;
};

TEST(ApplyingSign, DeclinationRules) {
    const ParallelRule rules[] = {
        {10, 10.5, 10, 10.4, +1, "measure shrinks"},
        {10, 10.5, 10, 10.6, -1, "measure grows"},
        {10.05, 10, 9.9, 10, +1, "passed equal distance"},
        {5, -5.2, 4.9, -5.2, -1, "contra-parallel drifting apart"},
        {0.6, -0.5, -0.7, -0.5, +1, "the difference changed sign"},
    };
    for (const auto& r : rules)
        EXPECT_EQ(ParallelApplyingSign(r.a0, r.b0, r.a1, r.b1), r.sign) << r.why;
}

TEST(ApplyingSign, CalculatedPointsAreNeverRecomputed) {
    SyntheticSky sky;
    for (int slot : {4, 19, 20}) sky.geo[slot] = Motion{slot * 17.0, 12, Constant(slot)};
    sky.geo[1] = Motion{222, 12, Constant(0)};  // the Sun, separating from a trine to 100
    sky.geo[18] = Motion{103, 0, Constant(0)};  // what the positions function says of slot 18
    AspectInputs in = InputsFor(sky, sky.epoch, sky.epoch + 3);
    in.chart.Natal.GeoLong[18] = 100;  // the chart's ascendant
    std::vector<test::PositionCall> calls;
    in.positionAt = sky.Function(&calls);
    BuildAspectLists(in);
    ASSERT_FALSE(calls.empty());
    for (const auto& call : calls) {
        EXPECT_FALSE(IsCalculatedPoint(call.slot)) << call.slot;
        EXPECT_TRUE(std::abs(call.jd - (in.natalJD + kHour)) < 1e-9 ||
                    std::abs(call.jd - (in.transitJD + kHour)) < 1e-9);
    }
    // Moved to 103 the ascendant would bring the pair towards the trine.
    EXPECT_EQ(ApplyingSign(in, 1, 18, Pairing::NatalNatal, CoordinateKind::GeoLongitude), -1);
}

TEST(ApplyingSign, TheNatalBodyOfATransitPairStaysPut) {
    SyntheticSky sky;
    sky.geo[5] = Motion{218, 0, Constant(0)};   // transit Mars standing still
    sky.geo[2] = Motion{100, 24, Constant(0)};  // Mercury, running away from the trine
    AspectInputs in = InputsFor(sky, 2451545.25, 2451545.25);
    EXPECT_EQ(ApplyingSign(in, 5, 2, Pairing::TransitNatal, CoordinateKind::GeoLongitude), +1);
    EXPECT_EQ(ApplyingSign(in, 2, 5, Pairing::NatalNatal, CoordinateKind::GeoLongitude), -1);
}

TEST(BuildAspectLists, SolarArcMarksEveryAspectApplying) {
    std::mt19937 random(3);
    SyntheticSky sky = RandomSky(random);
    AspectInputs in = InputsFor(sky, 2440000.5, 2451545.25);
    in.solarArc = true;
    int entries = 0;
    for (const AspectList& list : BuildAspectLists(in).lists)
        for (const AspectEntry& e : list.entries) {
            EXPECT_GE(e.orb, 0.0);
            ++entries;
        }
    EXPECT_GT(entries, 20);
    in.solarArc = false;
    bool anySeparating = false;
    for (const AspectList& list : BuildAspectLists(in).lists)
        for (const AspectEntry& e : list.entries) anySeparating |= e.orb < 0;
    EXPECT_TRUE(anySeparating);
}

}  // namespace
}  // namespace quintaro
