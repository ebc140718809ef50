// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The priority index of a synchronization: the sum of the planet priorities of its bodies, read
// from its display line; the synchronizations of a kind are listed by it, highest first.

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/bodies.h"
#include "setup/selections.h"
#include "synch/synch_search.h"

namespace quintaro {

// Scans the line from left to right: "(" turns to the transit bodies, "<" to the natal ones; a
// lower-case letter, "[" or "]" starts a body name, whose five characters are looked up and
// whose priority (natal or transit, by the side the scan is on) is added before the scan goes on
// after them. Names that are not found add nothing. The sum is held to the 16-bit range.
int16_t PriorityIndex(std::string_view line, const Priorities& priorities,
                      const MemberNameIndex& names);
inline int16_t PriorityIndex(std::string_view line, const Priorities& priorities,
                             const BodyCatalogue& catalogue) {
    return PriorityIndex(line, priorities, MemberNameIndex(catalogue));
}

// Gives every record its priority index and orders the records by it, highest first (an
// exchange sort that swaps only when a later index is strictly greater).
void ArrangeByPriority(std::vector<SynchRecord>& records, const Priorities& priorities,
                       const BodyCatalogue& catalogue);

}  // namespace quintaro
