// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "core/selection_flags.h"
#include "setup/workstation.h"
#include "wheels/print_document.h"

namespace quintaro {

// The positions printout of one chart: on the left its selected bodies in the four coordinate
// kinds (longitudes with the sign glyph, declinations and latitudes as "23N26", the retrograde
// and rising/falling marks, the house), on the right the angles and the house cusps.
PrintDocument PositionsDocument(const Workstation& ws, ChartSide side, std::string name);

// The midpoint printout: the midpoints of the selected bodies of the natal chart (left) and of
// the transit chart (right), each in zodiacal order.
PrintDocument MidpointsDocument(const Workstation& ws, std::string name);

// "23N26" for a declination or latitude of 23.44 degrees north (whole minutes, rounded).
std::string NorthSouthText(double degrees);

// Whether a body has a position of its own in a frame: geocentric Earth and the heliocentric
// Sun, Moon, node and the chart points have none.
bool HasFramePosition(int slot, bool helio);

}  // namespace quintaro
