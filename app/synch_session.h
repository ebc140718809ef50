// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "synch/symmetry.h"
#include "synch/synch_day.h"
#include "synch/synch_members.h"

namespace quintaro {

// The session's synchronization and symmetry state: where the members come from, the last
// results (which the small wheels step through), the symmetry orbs and the small wheels' degree
// display.
struct SynchSession {
    // The synchronization files chosen, in order; the members come from them unless the
    // member-selection window was applied since.
    std::vector<std::filesystem::path> files;
    bool membersFromSelectionWindow = false;
    // The member-selection window's caption after a file was loaded: "Wizard/synchronization
    // from " + the file; empty before.
    std::string memberWindowCaption;

    // The last one-day search.
    bool synchComputed = false;
    SynchDayResult day;
    std::vector<SynchSource> sources;  // what it searched

    // Symmetrical patterns: the orbs (geocentric, heliocentric) and the last search.
    std::array<double, SymmetryKindCount> symmetryOrbs{DefaultSymmetryOrb, DefaultSymmetryOrb};
    bool symmetryComputed = false;
    SymmetryResult symmetry;
    std::string symmetryHeading;

    bool smallWheelDegrees = true;  // the small wheels print the degrees of their bodies

    // Opens the synchronization interpretation display for synchronization `index` (1-based, in
    // priority order) of `kind`. The interpretation windows set it; while it is empty the small
    // wheels' "Interpretations" entry stays disabled.
    std::function<void(SynchKind kind, int index)> openInterpretations;
};

}  // namespace quintaro
