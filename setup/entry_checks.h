// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/bodies.h"
#include "core/chart_positions.h"
#include "core/selection_flags.h"

namespace quintaro {

// The body check boxes of the entry window, in the window's order.
enum class BodyCheck { Moon, Chiron, NorthNode, Ceres, Pallas, Vesta, Juno, AcMc, PartOfFortune };

// The bodies a check box stands for and whether it starts inactive.
struct BodyCheckBodies {
    BodyCheck check;
    std::vector<int> slots;  // natal slots; the box writes their natal and transit flags
    bool inactive;           // starts hidden or disabled
};

std::span<const BodyCheckBodies> AllBodyChecks();
const BodyCheckBodies& BodyChecksOf(BodyCheck check);

// A click on a body check box writes its natal and transit flags. Checking the slot-20 box while
// slot 20 is the part of fortune also selects the Moon, which that point is computed from;
// unchecking it clears only slot 20. The caller then reloads the ephemerides and recomputes,
// unless the window is filling its boxes at open.
void WriteBodyCheck(SelectionFlags& selection, BodyCheck check, bool checked,
                    bool slot20IsPartOfFortune);

// How a box shows at open: checked when its natal flag is set (AC/MC: either of 18 and 19).
bool BodyCheckState(const SelectionFlags& selection, BodyCheck check);

// The displayed set: for every body whose natal flag is set (or, with natalOrTransit, whose natal
// or transit flag is set), the natal heliocentric longitude and latitude when `helio`, else the
// natal geocentric longitude and declination. Others keep what `shown` held.
void FillDisplayedSet(const ChartPositions& positions, const SelectionFlags& selection, bool helio,
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
// Empty for the header row and for the number and name columns. A missing position reads as 0,
// as in the grid.
std::string GridClipboardText(const BodyCatalogue& catalogue, const ChartKinds& shown, int row,
                              int column);

}  // namespace quintaro
