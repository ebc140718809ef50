// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The search of one coordinate kind: the members' values sorted by magnitude, then every member
// in turn as the anchor of a cluster of the members within the orb above it. A cluster of at
// least three bodies with natal and transit bodies among them is a synchronization.

#include <cstdint>
#include <string>
#include <vector>

#include "core/bodies.h"
#include "core/chart_positions.h"
#include "synch/synch_kinds.h"
#include "synch/synch_members.h"

namespace quintaro {

// A synchronization holds at most this many records per kind.
inline constexpr int MaxSynchRecords = 1000;

// Orb comparisons allow this much more, so that a distance typed as exactly the orb is inside
// whatever the binary fractions of the two values.
inline constexpr double OrbTolerance = 1e-9;

// A member with its value in the kind. `copy` marks the entries appended for the longitude kinds
// with 30 added to a small value, so that 29.6 and 0.2 lie 0.6 apart.
struct SynchCandidate {
    double value = 0;
    SynchMember member;
    bool copy = false;
};

struct SynchRecord {
    std::string transitText;  // 5-character names, one blank between them
    std::string natalText;
    std::string line;                  // "(" transit text ") - <" natal text ">"
    std::vector<SynchMember> members;  // the anchor first, then the others in sorted order
    int16_t priority = 0;              // the priority index, once arranged
    int found = 0;                     // 1, 2, ... in the order of finding
};

// What the chart and the workstation give every search.
struct SynchInputs {
    const ChartPositions& record;
    const SelectionFlags& selection;  // the main selection: unselected bodies have no position
    const BodyCatalogue& catalogue;
};

// The candidates of a kind in member order: the members that take part, with their values.
std::vector<SynchCandidate> SynchCandidates(const SynchInputs& in, SynchKind kind,
                                            const MemberList& members);

// Sorts by magnitude, ascending, with the exchange sort of the listings (for each entry, each
// later one whose magnitude is smaller is swapped in), so that equal magnitudes keep the order
// the listings have always shown.
void SortByMagnitude(std::vector<SynchCandidate>& candidates);

// The sorted candidates followed, for the longitude kinds, by a copy with 30 added of each
// candidate whose value is below the orb.
std::vector<SynchCandidate> WithWrappedCopies(const std::vector<SynchCandidate>& sorted,
                                              SynchKind kind, double orb);

// The clusters of a sorted list (with its copies; `anchors` of its entries, the ones without
// the copies, serve as anchors) that are synchronizations, in the order found. A cluster is not
// reported again from a later anchor when it ends at the same entry. At most `room` records.
std::vector<SynchRecord> FindSynchronizations(const std::vector<SynchCandidate>& list,
                                              size_t anchors, double orb,
                                              const BodyCatalogue& catalogue, size_t room);

// "(" + transit text + ") - <" + natal text + ">".
std::string SynchDisplayLine(const std::string& transitText, const std::string& natalText);

// One kind searched for one member list: the sorted candidates (without the copies) and the
// synchronizations found.
struct SynchKindSearch {
    std::vector<SynchCandidate> sorted;
    std::vector<SynchRecord> records;
};
SynchKindSearch SearchSynchKind(const SynchInputs& in, SynchKind kind, double orb,
                                const MemberList& members, size_t room = MaxSynchRecords);

}  // namespace quintaro
