// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <vector>

#include "aspects/aspect_kinds.h"
#include "aspects/time_orb_filter.h"
#include "core/calendar.h"
#include "core/chart_positions.h"
#include "core/positions.h"
#include "core/selection_flags.h"

namespace quintaro {

// One found aspect. The orb carries the applying (+) or separating (−) sign.
struct AspectEntry {
    int body1 = 0;
    int body2 = 0;
    int code = 1;
    double orb = 0;
};

// Entries in finding order; never more than AspectListCapacity(Num_Aspects) of them.
struct AspectList {
    std::vector<AspectEntry> entries;
};

// A list holds the entries 0..Num_Aspects.
inline size_t AspectListCapacity(int numAspects) {
    return numAspects < 0 ? 0 : static_cast<size_t>(numAspects) + 1;
}

constexpr int ListIndex(Pairing pairing, CoordinateKind kind) {
    return 4 * static_cast<int>(pairing) + static_cast<int>(kind);
}

// The twelve lists: natal–natal, transit–natal, transit–transit, each in the kinds geocentric
// longitude, declination, heliocentric longitude, latitude.
struct AspectLists {
    std::array<AspectList, 12> lists;
    const AspectList& at(Pairing pairing, CoordinateKind kind) const {
        return lists[static_cast<size_t>(ListIndex(pairing, kind))];
    }
    AspectList& at(Pairing pairing, CoordinateKind kind) {
        return lists[static_cast<size_t>(ListIndex(pairing, kind))];
    }
};

// A progressed chart is in place: exact dates are read on the progressed time scale, one day of
// the progressed chart standing for one year (365.2422 days) from the base date.
struct ProgressionMode {
    bool on = false;
    double baseJD = 0;  // base date of the progression, as a local-clock Julian Day
};

// Everything the finders read. The pipeline fills it after the positions are computed.
struct AspectInputs {
    ChartPositions chart;
    SelectionFlags selection;
    Orbs orbs;
    int numAspects = 1500;  // Num_Aspects of the capacity file
    double natalJD = 0;     // chart moments, UT
    double transitJD = 0;
    double natalZone = 0;  // hours, west positive
    double transitZone = 0;
    int natalHarmonic = 1;  // the record's longitudes are harmonic; moved bodies are scaled alike
    int transitHarmonic = 1;
    PositionAtMoment positionAt;  // positions at any moment, chart record untouched
    bool solarArc = false;        // the solar-arc window is open: every aspect counts as applying
    // The within-time batch.
    bool exactOn = false;  // the entry window asks for exact times
    DateStyle dateStyle;
    TimeOrbFilter timeOrbFilter;
    ProgressionMode progression;
};

}  // namespace quintaro
