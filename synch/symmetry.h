// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Symmetrical patterns: three or four bodies arranged around one axis, one body on the midpoint
// of two others (or opposite it), or two pairs sharing a midpoint axis. Searched in geocentric
// and heliocentric longitude, natal bodies alone and natal and transit bodies mixed.

#include <array>
#include <string>
#include <vector>

#include "core/bodies.h"
#include "core/chart_positions.h"
#include "core/messages.h"
#include "synch/synch_members.h"

namespace quintaro {

enum class SymmetryKind { Geocentric = 0, Heliocentric = 1 };
inline constexpr int SymmetryKindCount = 2;
inline constexpr int SymmetryPassCount = 4;

// The orbs both start at.
inline constexpr double DefaultSymmetryOrb = 3.0;

// Whether point P lies on midpoint M or on the point opposite it, within the orb: with d the
// distance along the circle, d <= orb or d >= 180 - orb.
bool SymmetryTest(double point, double midpoint, double orb);

struct SymmetryPattern {
    int pass = 1;                      // 1..4
    std::vector<SynchMember> members;  // A, B, C (passes 1, 3) or A, D, B, C (passes 2, 4)
    std::string text;
};

struct SymmetryKindResult {
    std::vector<SymmetryPattern> patterns;
    std::array<bool, SymmetryPassCount> limitReached{};  // by pass
};

struct SymmetryResult {
    std::array<SymmetryKindResult, SymmetryKindCount> kinds;

    const SymmetryKindResult& of(SymmetryKind kind) const {
        return kinds[static_cast<size_t>(kind)];
    }
};

struct SymmetryInputs {
    const ChartPositions& record;
    const SelectionFlags& selection;       // the main selection
    const SelectionFlags& synchSelection;  // the member-selection window's
    const BodyCatalogue& catalogue;
    std::array<double, SymmetryKindCount> orbs{DefaultSymmetryOrb, DefaultSymmetryOrb};
    int capacity = 1000;  // patterns kept per kind
};

// Runs the four passes of each kind over the members and adds what they find to `result`
// (several member lists may be searched into one result). When a kind's list is full, a pass
// that finds one more pattern shows the "Limit reached" message and ends.
void FindSymmetricalPatterns(const SymmetryInputs& in, const MemberList& members,
                             SymmetryResult& result, Messages& messages);

// The patterns as the search window lists them: per kind "Geocentric patterns" or
// "Heliocentric patterns" with their number, then each pattern's number and text, or "none
// found"; a blank line between the kinds.
std::string SymmetryListing(const SymmetryResult& result);

// "I cannot add any more aspects - I have reached my limit of " + capacity + ".".
std::string SymmetryLimitText(int capacity);

}  // namespace quintaro
