// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <vector>

#include "core/bodies.h"
#include "core/selection_flags.h"
#include "setup/workstation.h"

namespace quintaro {

// The workstation's part of the chart computation, one function per stage; the session in
// app/ calls them in order with the stages of the subsystems between them.

// Harmonics and lens from the option fields, the chart names and both chart data records from
// the entry model, the sector table.
void ReadChartEntry(Workstation& workstation);

// Houses, positions, part of fortune and placements of both charts in both frames, harmonics
// and solar arc. False when the natal moment lies outside the ephemeris (the positions have said
// why): both charts then read missing, so that nothing of an earlier chart is shown under the new
// moment. A transit moment outside it is reported, the transit chart reads missing and the rest
// goes on. Bodies without a position (a missing or damaged ephemeris file) read missing; they
// are placed in no house and take part in no midpoint.
bool ComputeChartPositions(Workstation& workstation);

// The final placements: each chart's selected bodies from its own geocentric longitudes.
void PlaceBodiesOfBothCharts(Workstation& workstation);

// Midpoints of the selected bodies of each chart.
void ComputeChartMidpoints(Workstation& workstation);

// The positions grid of the entry window from the record.
void BuildEntryGrid(Workstation& workstation);

// The displayed set: the natal geocentric or, with "Helio" checked, heliocentric positions.
void FillDisplayedPositions(Workstation& workstation);

// The selected bodies of one chart without a position in one frame or both (a missing or
// damaged ephemeris file, or the chart's moment outside the ephemeris), in slot order.
std::vector<int> UnavailableBodies(const Workstation& workstation, ChartSide side);

// The selection less the bodies flagged in `missing` (on both sides).
SelectionFlags WithoutMissing(SelectionFlags flags, const PerSlot<bool>& missing);

// Entry k (1..12) = ((k − 1) × 30 + 90) modulo 360; index 0 unused.
std::array<double, 13> SectorTable();

// (longitude × harmonic) reduced into [0, 360).
double HarmonicLongitude(double longitude, int harmonic);

// Midpoints of every pair of bodies selected in one chart.
std::vector<Midpoint> ComputeMidpoints(const PerSlot<double>& longitudes,
                                       const SelectionFlags& flags, ChartSide side);

}  // namespace quintaro
