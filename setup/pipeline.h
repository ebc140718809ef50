// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "core/bodies.h"
#include "setup/workstation.h"

namespace quintaro {

// Runs the whole chart computation after an entry: reads both sections, computes houses and
// positions of both charts in both frames, harmonics, solar arc, placements, midpoints, the
// aspect finders, the positions grid, the exact-time search when asked, the displayed set and
// the refresh of open displays. A natal moment outside the ephemeris stops it (the positions
// have said why); a transit moment outside it does not.
void ComputeCharts(Workstation& workstation);

// Entry k (1..12) = ((k − 1) × 30 + 90) modulo 360; index 0 unused.
std::array<double, 13> SectorTable();

// (longitude × harmonic) reduced into [0, 360).
double HarmonicLongitude(double longitude, int harmonic);

// Midpoints of every pair of bodies selected in one chart (flags of that chart: 1..53 natal,
// or the transit half passed on its own).
std::vector<Midpoint> ComputeMidpoints(const PerSlot<double>& longitudes,
                                       std::string_view chartFlags);

}  // namespace quintaro
