// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// One day's synchronizations: the four kinds searched for every member source in turn, the
// results arranged by priority, and the texts of the three panes and of the listing files.

#include <array>
#include <string>
#include <vector>

#include "setup/selections.h"
#include "synch/synch_kinds.h"
#include "synch/synch_search.h"

namespace quintaro {

// The members of one synchronization file, or of the member-selection window.
struct SynchSource {
    std::string name;  // the file as chosen; empty for the member-selection window
    std::string text;  // the member lines as read
    MemberList members;

    bool fromSelectionWindow() const { return name.empty(); }
};

// What the texts call the member-selection window.
inline constexpr std::string_view SelectionWindowName = "Select Synch Planets form";

// "end of synch file used - " + the file name, or "end of synch file used from Select Synch
// Planets form".
std::string EndOfSourceText(const SynchSource& source);

// The orb of each kind, in kind order.
using SynchOrbs = std::array<double, SynchKindCount>;

// The orbs the synchronization window opens with: 1 degree in longitude and declination, 0.3 in
// heliocentric latitude (latitudes stay small).
inline constexpr SynchOrbs DefaultSynchOrbs = {1.0, 1.0, 1.0, 0.3};

struct SynchKindResult {
    std::vector<SynchRecord> records;     // of every source, arranged by priority
    std::vector<SynchCandidate> listing;  // the last source's candidates, sorted
    bool full = false;                    // MaxSynchRecords were found; the search stopped
};

struct SynchDayResult {
    std::array<SynchKindResult, SynchKindCount> kinds;
    std::string foundPane;  // pane 1 as found, source by source
    std::string synchPane;  // pane 1 arranged by priority, with the indices
    std::string natalPane;
    std::string transitPane;

    const SynchKindResult& of(SynchKind kind) const {
        return kinds[static_cast<size_t>(IndexOf(kind))];
    }
};

// Searches every kind for every source in turn (the records of a kind numbered on across the
// sources), then arranges each kind's records by priority.
SynchDayResult RunSynchDay(const SynchInputs& in, const std::vector<SynchSource>& sources,
                           const SynchOrbs& orbs, const Priorities& priorities);

// The listing file of a kind: a line per candidate in sorted order, "n. " or "t. ", the
// 5-character name, a blank and the magnitude formatted "000.000".
std::string SynchListingText(const std::vector<SynchCandidate>& sorted,
                             const BodyCatalogue& catalogue);

// Pane 1 arranged: per kind its title and its lines, each after its priority index, or
// "none found"; a blank line between the kinds.
std::string ArrangedSynchPane(const std::array<SynchKindResult, SynchKindCount>& kinds);

// The separator written after each source's part of a pane: 69 "-" and the end-of-source text.
std::string SourceSeparator(const SynchSource& source);

inline constexpr std::string_view NoneFoundLine = "    none found";

}  // namespace quintaro
