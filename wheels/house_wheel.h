// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "wheels/draw_surface.h"
#include "wheels/wheel_input.h"
#include "wheels/wheel_styles.h"

namespace quintaro {

// The house wheel: the wheel of the main chart with the houses of a chosen system as its
// sectors. Every house takes 30 degrees of the ring, the 1st beginning at the left (the
// ascendant at 9 o'clock) and the houses following counter-clockwise below the horizon, as on
// every chart; a body's slot among the house's 8 is proposed by how far it stands into its
// house (8 x (longitude - cusp) / house size). A body for which its house has no free slot left
// is left out, and the user is told once for each. Outside the ring stand the house numbers and,
// at each division, the longitude of the house's cusp ("12♌34").

constexpr std::string_view HouseFullTitle = "Please be advised";

// "I cannot fit <name> into the proper location within house <n>, so I must leave it out."
std::string HouseFullText(const LeftOutBody& body);

// The sector boundary table of the house wheel: the cusps by index (the table is indexed as the
// cusps are, so sector s is house s).
std::array<double, 13> HouseSectorBoundaries(const HouseCuspArray& cusps);

// Draws the house wheel: scale, background, ring, house numbers and cusps, glyphs with their
// degree labels, aspect lines, and the title with "House system = " and the system's name.
StyledWheelLayout DrawHouseWheel(DrawSurface& surface, const WheelInput& input,
                                 const WheelHouses& houses);

}  // namespace quintaro
