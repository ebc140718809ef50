// SPDX-License-Identifier: AGPL-3.0-or-later
#include "synch/symmetry.h"

#include <algorithm>
#include <cmath>

#include "core/midpoints.h"
#include "synch/synch_kinds.h"
#include "synch/synch_search.h"

namespace quintaro {

namespace {

// A member that takes part in the kind, with its longitude and its name field.
struct Body {
    SynchMember member;
    double longitude = 0;
    std::string name;
    bool transit() const { return member.side == ChartSide::Transit; }
};

// Two bodies of one type and their midpoint; i < j index the kind's bodies.
struct Pair {
    size_t i = 0, j = 0;
    double midpoint = 0;
};

// The bodies of the kind in member order, and every pair of bodies of the same type in the
// order of their first, then their second index.
struct KindBodies {
    std::vector<Body> all;
    std::vector<size_t> natal;               // indexes into all
    std::vector<double> midpoints;           // all.size() x all.size(), filled for i < j
    std::array<std::vector<Pair>, 2> pairs;  // natal pairs, transit pairs

    double mid(size_t i, size_t j) const { return midpoints[i * all.size() + j]; }
};

KindBodies BodiesOf(const SymmetryInputs& in, const MemberList& members, bool helio) {
    KindBodies k;
    for (const SynchMember& member : members.members) {
        if (!MemberTakesPart(member, helio, in.selection, in.record)) continue;
        if (!in.synchSelection.of(member.side, member.slot)) continue;
        const ChartKinds& chart =
            member.side == ChartSide::Natal ? in.record.Natal : in.record.Transit;
        const auto slot = static_cast<size_t>(member.slot);
        k.all.push_back({member, helio ? chart.HelioLong[slot] : chart.GeoLong[slot],
                         MemberName5(in.catalogue, member.slot)});
    }
    const size_t n = k.all.size();
    k.midpoints.assign(n * n, 0.0);
    for (size_t i = 0; i < n; ++i) {
        if (!k.all[i].transit()) k.natal.push_back(i);
        for (size_t j = i + 1; j < n; ++j) {
            const double m = LongitudeMidpoint(k.all[i].longitude, k.all[j].longitude);
            k.midpoints[i * n + j] = m;
            if (k.all[i].transit() == k.all[j].transit())
                k.pairs[k.all[i].transit() ? 1 : 0].push_back({i, j, m});
        }
    }
    return k;
}

std::string TrimRight(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// "(" + the transit names + ") - <" + the natal names + ">", each name followed by a blank.
std::string MixedText(const KindBodies& k, std::initializer_list<size_t> bodies) {
    std::string transit, natal;
    for (size_t b : bodies) (k.all[b].transit() ? transit : natal) += k.all[b].name + " ";
    return "(" + transit + ") - <" + natal + ">";
}

// Adds the patterns of one pass; once the list is full the pass ends at its next pattern.
class PassRecorder {
  public:
    PassRecorder(const KindBodies& bodies, SymmetryKindResult& result, int pass, int capacity,
                 Messages& messages)
        : bodies_(bodies), result_(result), pass_(pass), capacity_(capacity), messages_(messages) {}

    // False when the pass has to end.
    bool add(std::initializer_list<size_t> indexes, std::string text) {
        if (static_cast<long>(result_.patterns.size()) >= capacity_) {
            result_.limitReached[static_cast<size_t>(pass_ - 1)] = true;
            messages_.show("Limit reached", SymmetryLimitText(capacity_), MessageIcon::Exclamation);
            return false;
        }
        SymmetryPattern pattern;
        pattern.pass = pass_;
        for (size_t i : indexes) pattern.members.push_back(bodies_.all[i].member);
        pattern.text = TrimRight(std::move(text));
        result_.patterns.push_back(std::move(pattern));
        return true;
    }

  private:
    const KindBodies& bodies_;
    SymmetryKindResult& result_;
    int pass_;
    int capacity_;
    Messages& messages_;
};

// Pass 1: a natal body on the midpoint of two other natal bodies.
void NatalTriples(const KindBodies& k, double orb, PassRecorder& out) {
    const std::vector<size_t>& natal = k.natal;
    for (size_t a : natal)
        for (size_t bi = 0; bi < natal.size(); ++bi)
            for (size_t ci = bi + 1; ci < natal.size(); ++ci) {
                const size_t b = natal[bi], c = natal[ci];
                if (a == b || a == c) continue;
                if (!SymmetryTest(k.all[a].longitude, k.mid(b, c), orb)) continue;
                if (!out.add({a, b, c}, k.all[a].name + " " + k.all[b].name + " " + k.all[c].name))
                    return;
            }
}

// Pass 2: natal members i1 < i2 < i3 < i4, the midpoint of the first two against that of the
// last two.
void NatalPairsOfPairs(const KindBodies& k, double orb, PassRecorder& out) {
    const std::vector<size_t>& natal = k.natal;
    const size_t n = natal.size();
    for (size_t p = 0; p < n; ++p)
        for (size_t q = p + 1; q < n; ++q) {
            const double ad = k.mid(natal[p], natal[q]);
            for (size_t r = q + 1; r < n; ++r)
                for (size_t s = r + 1; s < n; ++s) {
                    const size_t a = natal[p], d = natal[q], b = natal[r], c = natal[s];
                    if (!SymmetryTest(ad, k.mid(b, c), orb)) continue;
                    if (!out.add({a, d, b, c}, k.all[a].name + " " + k.all[d].name + "  " +
                                                   k.all[b].name + " " + k.all[c].name))
                        return;
                }
        }
}

// Pass 3: a body on the midpoint of two bodies of the other type.
void MixedTriples(const KindBodies& k, double orb, PassRecorder& out) {
    const size_t n = k.all.size();
    for (size_t a = 0; a < n; ++a)
        for (size_t b = 0; b < n; ++b) {
            if (b == a || k.all[b].transit() == k.all[a].transit()) continue;
            for (size_t c = b + 1; c < n; ++c) {
                if (c == a || k.all[c].transit() != k.all[b].transit()) continue;
                if (!SymmetryTest(k.all[a].longitude, k.mid(b, c), orb)) continue;
                if (!out.add({a, b, c}, MixedText(k, {a, b, c}))) return;
            }
        }
}

// Pass 4: members i1 < i2 < i3 < i4, the first two of one type and the last two of the other,
// the midpoint of the first two against that of the last two.
void MixedPairsOfPairs(const KindBodies& k, double orb, PassRecorder& out) {
    const size_t n = k.all.size();
    for (size_t a = 0; a < n; ++a)
        for (size_t d = a + 1; d < n; ++d) {
            if (k.all[a].transit() != k.all[d].transit()) continue;
            const double ad = k.mid(a, d);
            const size_t other = k.all[a].transit() ? 0 : 1;
            const std::vector<Pair>& pairs = k.pairs[other];
            const auto later =
                std::lower_bound(pairs.begin(), pairs.end(), d + 1,
                                 [](const Pair& pair, size_t index) { return pair.i < index; });
            for (size_t p = static_cast<size_t>(later - pairs.begin()); p < pairs.size(); ++p) {
                if (!SymmetryTest(ad, pairs[p].midpoint, orb)) continue;
                if (!out.add({a, d, pairs[p].i, pairs[p].j},
                             MixedText(k, {a, d, pairs[p].i, pairs[p].j})))
                    return;
            }
        }
}

}  // namespace

bool SymmetryTest(double point, double midpoint, double orb) {
    double d = std::fabs(point - midpoint);
    if (d > 180) d = 360 - d;
    return d <= orb + OrbTolerance || d >= 180 - orb - OrbTolerance;
}

std::string SymmetryListing(const SymmetryResult& result) {
    constexpr size_t kNumberWidth = 6;
    std::string text;
    for (int kind = 0; kind < SymmetryKindCount; ++kind) {
        const auto& patterns = result.kinds[static_cast<size_t>(kind)].patterns;
        if (kind > 0) text += "\n";
        text += (kind == 0 ? "Geocentric patterns (" : "Heliocentric patterns (") +
                std::to_string(patterns.size()) + ")\n";
        for (size_t i = 0; i < patterns.size(); ++i) {
            std::string number = std::to_string(i + 1);
            number.insert(0, kNumberWidth - std::min(kNumberWidth, number.size()), ' ');
            text += number + "  " + patterns[i].text + "\n";
        }
        if (patterns.empty()) text += "    none found\n";
    }
    return text;
}

std::string SymmetryLimitText(int capacity) {
    return "I cannot add any more aspects - I have reached my limit of " +
           std::to_string(capacity) + ".";
}

void FindSymmetricalPatterns(const SymmetryInputs& in, const MemberList& members,
                             SymmetryResult& result, Messages& messages) {
    for (int kind = 0; kind < SymmetryKindCount; ++kind) {
        const KindBodies bodies = BodiesOf(in, members, kind == 1);
        const double orb = in.orbs[static_cast<size_t>(kind)];
        SymmetryKindResult& out = result.kinds[static_cast<size_t>(kind)];
        using Pass = void (*)(const KindBodies&, double, PassRecorder&);
        const Pass passes[SymmetryPassCount] = {NatalTriples, NatalPairsOfPairs, MixedTriples,
                                                MixedPairsOfPairs};
        for (int pass = 1; pass <= SymmetryPassCount; ++pass) {
            PassRecorder recorder(bodies, out, pass, in.capacity, messages);
            passes[pass - 1](bodies, orb, recorder);
        }
    }
}

}  // namespace quintaro
