// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The small wheels that show one synchronization or one symmetrical pattern at a time: which
// list a wheel steps through, its caption, and what it draws (the chart wheel with only the
// bodies of the current entry).

#include <string>
#include <string_view>
#include <vector>

#include "app/session.h"
#include "wheels/wheel_input.h"
#include "wheels/wheel_layout.h"

namespace quintaro {

enum class SmallWheel { SynchGeo, SynchHelio, SymmetryGeo, SymmetryHelio };

// "wheels_small_geo", "wheels_small_helio", "wheels_small_sym_geo", "wheels_small_sym_helio".
std::string_view SmallWheelName(SmallWheel wheel);

inline bool IsSymmetryWheel(SmallWheel wheel) {
    return wheel == SmallWheel::SymmetryGeo || wheel == SmallWheel::SymmetryHelio;
}
inline bool IsHelioWheel(SmallWheel wheel) {
    return wheel == SmallWheel::SynchHelio || wheel == SmallWheel::SymmetryHelio;
}

// Where a small wheel stands. A synchronization wheel in mode 1 steps through the
// synchronizations of its kind in priority order; in mode 0 through the same synchronizations in
// the order they were found. A symmetry wheel steps through the patterns of its kind.
struct SmallWheelPosition {
    SmallWheel wheel = SmallWheel::SynchGeo;
    int mode = 1;
    int index = 1;  // 1..count; 0 when the list is empty
};

// How many entries the wheel's list holds: the geo or helio longitude synchronizations, or the
// geocentric or heliocentric patterns.
int SmallWheelCount(const SynchSession& synch, SmallWheel wheel);

// A wheel opened on entry `index` (held to the list; 0 for an empty list).
SmallWheelPosition OpenSmallWheel(const SynchSession& synch, SmallWheel wheel, int mode,
                                  int index = 1);

// Forward (+1) and backward (-1), wrapping from the last entry to the first and back.
void StepSmallWheel(SmallWheelPosition& position, int count, int direction);

// The synchronization shown (nullptr for a symmetry wheel or an empty list).
const SynchRecord* SmallWheelSynch(const SynchSession& synch, const SmallWheelPosition& position);
// The pattern shown (nullptr for a synchronization wheel or an empty list).
const SymmetryPattern* SmallWheelPattern(const SynchSession& synch,
                                         const SmallWheelPosition& position);

// The first pattern that mixes natal and transit bodies (1-based), or 1 when there is none.
int FirstMixedPattern(const SynchSession& synch, SmallWheel wheel);

// "Geo synchronization #" + index + " out of " + count, in mode 1 followed by " - priority index
// = " + the index + " for " + the display line; "Geo symmetrical #" + index + " out of " + count +
// " for " + the pattern text. "Helio" for the heliocentric wheels.
std::string SmallWheelCaption(const SynchSession& synch, const SmallWheelPosition& position);

// "Display degrees ON (toggle)" while the degrees are shown, "Display degrees OFF (toggle)" while
// they are not.
std::string DisplayDegreesCaption(bool on);

// The wheel of the current entry: the session's charts in the wheel's frame, only the entry's
// bodies, the aspect lines among them, the chart names followed by " - black planets" and
// " - red planets" with the dates "dd mmm yyyy", and the degrees when they are on.
WheelInput BuildSmallWheelInput(const Session& session, const SmallWheelPosition& position,
                                const WheelTarget& target);

// The report of a click: " Natal " or " Trans ", the name, " is at ", the longitude formatted
// "00.00", and " - falling" for a body whose declination or latitude decreases. Empty when the
// click hit no glyph.
std::string SmallWheelClickReport(const WheelLayout& layout, Point at);

}  // namespace quintaro
