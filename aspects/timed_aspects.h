// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "aspects/aspect_lists.h"
#include "core/progress.h"

namespace quintaro {

// Time to exact of an aspect whose exact moment was not found.
constexpr double NotFoundTime = 9999;

struct TimedAspectEntry {
    int body1 = 0;
    int body2 = 0;
    int code = 1;
    double orb = 0;                 // signed, as in the source list
    double timeToExact = 0;         // days from the chart moment, two decimals; 9999 not found
    std::string exactDate = "***";  // local date and clock, or "***"
};

struct TimedAspectList {
    std::string title;  // with its leading blanks
    std::vector<TimedAspectEntry> entries;
};

// The within-time lists of the natal–natal and transit–natal lists, indexed like them
// (ListIndex of those two pairings), and whether they belong to the current computation.
struct TimedAspectLists {
    std::array<TimedAspectList, 8> lists;
    bool current = false;  // cleared by each computation, set when the batch has run
    const TimedAspectList& at(Pairing pairing, CoordinateKind kind) const {
        return lists[static_cast<size_t>(ListIndex(pairing, kind))];
    }
};

// The title of a timed list, leading blanks included; "" for transit–transit.
std::string TimedListTitle(Pairing pairing, CoordinateKind kind);

// The exact moment in the chart's local clock: date in the date style, three blanks, "hh:nn".
// In progression mode the moment is the base date advanced by 365.2422 days for every day from
// the chart moment, and "***" when it is more than 50 days away or no valid date.
std::string ExactDateText(double exactJD, double chartJD, double zone, const DateStyle& style,
                          const ProgressionMode& progression);

// One timed list from its source list (natal–natal or transit–natal).
TimedAspectList BuildTimedAspectList(const AspectInputs& inputs, const AspectList& source,
                                     Pairing pairing, CoordinateKind kind);

// The eight timed lists: natal–natal in the four kinds, then transit–natal. Progress is told
// after each list; a cancelled batch returns what it has with `current` clear.
TimedAspectLists BuildTimedAspectLists(const AspectInputs& inputs, const AspectLists& lists,
                                       const Progress& progress = {});

// Runs the batch only when the timed lists are not current.
void RefreshTimedAspectLists(const AspectInputs& inputs, const AspectLists& lists,
                             TimedAspectLists& timed, const Progress& progress = {});

}  // namespace quintaro
