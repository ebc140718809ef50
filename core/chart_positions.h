// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>

#include "core/bodies.h"

namespace quintaro {

// A text of 53 mark characters, one per slot ('R', 'r', 'f' or blank).
struct SlotMarks {
    std::string text = std::string(BodyCount, ' ');
    char at(int slot) const { return slot >= 1 && slot <= BodyCount ? text[slot - 1] : ' '; }
    void set(int slot, char mark) {
        if (slot >= 1 && slot <= BodyCount) text[slot - 1] = mark;
    }
    void clear() { text.assign(BodyCount, ' '); }
};

// Output of one positions-at-a-moment run: longitude and declination (geocentric) or
// longitude and latitude (heliocentric), by slot.
struct WorkingPositions {
    PerSlot<double> WorkLong{};
    PerSlot<double> WorkSecond{};
    // Set where the run could not give a position (a damaged ephemeris file); both values then
    // read 0 and are not to be used.
    PerSlot<bool> Missing{};
    SlotMarks RetroMarks;
    SlotMarks DirectionMarks;
};

// The four coordinate kinds of one chart with their marks.
struct ChartKinds {
    PerSlot<double> GeoLong{};    // harmonic longitude, [0, 360)
    PerSlot<double> GeoDecl{};    // north positive
    PerSlot<double> HelioLong{};  // harmonic longitude, [0, 360)
    PerSlot<double> HelioLat{};   // north positive
    SlotMarks GeoRetro, GeoDirection;
    SlotMarks HelioRetro, HelioDirection;
    // Slots without a position in that frame: their values read 0 and are not to be used.
    PerSlot<bool> GeoMissing{};
    PerSlot<bool> HelioMissing{};

    bool missing(bool helio, int slot) const {
        return slot >= 1 && slot <= BodyCount && (helio ? HelioMissing : GeoMissing)[slot];
    }
};

// The chart positions record: what the chart computation writes and every display reads. Only
// slots whose selection flag is set are written; readers check the flags before using an entry.
struct ChartPositions {
    ChartKinds Natal;
    ChartKinds Transit;
};

}  // namespace quintaro
