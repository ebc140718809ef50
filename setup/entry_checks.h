// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/bodies.h"
#include "core/chart_positions.h"

namespace quintaro {

// The body check boxes of the entry window.
enum class BodyCheck { Moon, Chiron, NorthNode, Ceres, Pallas, Vesta, Juno, AcMc, PartOfFortune };

struct BodyCheckSpec {
    BodyCheck check;
    std::string_view control;  // "Check5"
    std::string_view caption;  // "PF" for the slot-20 box: Slot20CheckCaption gives "PF" or "VT"
    std::vector<int> slots;    // natal slots it stands for; the transit flag is slot + BodyCount
    bool inactive;             // starts hidden or disabled
};

std::span<const BodyCheckSpec> BodyCheckSpecs();
const BodyCheckSpec& BodyCheckSpecOf(BodyCheck check);

// A selection text: 2 × BodyCount characters "1"/"0", natal flags first.
constexpr size_t SelectionTextLength = 2 * BodyCount;

// A click on a body check box writes its natal and transit flags. Checking the slot-20 box while
// slot 20 is the part of fortune also selects the Moon, which that point is computed from;
// unchecking it clears only slot 20. A text of the wrong length is left alone. The caller then
// reloads the ephemerides and recomputes, unless the window is filling its boxes at open.
void WriteBodyCheck(std::string& selection, BodyCheck check, bool checked,
                    bool slot20IsPartOfFortune);

// How a box shows at open: checked when its natal flag is "1" (AC/MC: either of 18 and 19).
bool BodyCheckState(const std::string& selection, BodyCheck check);

// The displayed set: for every body whose natal flag is "1" (or, with natalOrTransit, whose natal
// or transit flag is "1"), the natal heliocentric longitude and latitude when `helio`, else the
// natal geocentric longitude and declination. Others keep what `shown` held.
void FillDisplayedSet(const ChartPositions& positions, const std::string& selection, bool helio,
                      bool natalOrTransit, WorkingPositions& shown);

// Grid columns of the positions listing that hold positions.
enum PositionsGridColumn : int {
    GridGeoLong = 2,
    GridGeoDecl = 3,
    GridHelioLong = 4,
    GridHelioLat = 5
};

// The clipboard text of a click on a position cell (row = slot, 1..BodyCount): "nat_", then
// "geo_" or "hel_", the body's name, a blank and the value "0.0000"; "nat_geo_sun 123.4567".
// Empty for the header row and for the number and name columns. A stored -32768 ("no value")
// reads as 0 as in the grid.
std::string GridClipboardText(const BodyCatalogue& catalogue, const ChartKinds& shown, int row,
                              int column);

}  // namespace quintaro
