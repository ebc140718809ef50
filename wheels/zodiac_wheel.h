// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include "wheels/draw_surface.h"
#include "wheels/wheel_input.h"
#include "wheels/wheel_layout.h"
#include "wheels/wheel_styles.h"

namespace quintaro {

// The conventional chart: an outer ring of the twelve signs with 1/5/10-degree ticks, the house
// cusps with their positions ("12♌34") outside it, the ascendant/descendant and MC/IC axes drawn
// heavier, the natal bodies inside as columns of glyph, degree, sign, minutes and "R" for
// retrograde, in a bi-wheel the transit bodies in a ring outside the natal one, the house
// numbers, and the aspect lines inside the innermost circle between the bodies' true positions.
// The ascendant stands at 9 o'clock and the signs follow counter-clockwise. Crowded bodies are
// spread along their ring and joined to their true positions by pointer lines; no two texts
// overlap. Every size is a fraction of the wheel (text included), so the chart keeps its
// proportions on every surface. The natal ascendant and midheaven are the axes and get no
// column of their own.
WheelLayout DrawZodiacWheel(DrawSurface& surface, const WheelInput& input,
                            const WheelHouses& houses);

// The screen angle of a longitude on a zodiac wheel with this ascendant.
double ZodiacAngle(double longitude, double ascendant);

// Radii of the zodiac band (user units, the wheel's scale of 272 units to the half side).
constexpr double ZodiacOuterRadius = 232;
constexpr double SignBandWidth = 30;

}  // namespace quintaro
