// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>

#include "aspects/aspect_lists.h"

namespace quintaro {

// The chart each body of a pair belongs to.
constexpr ChartSide SideOfBody1(Pairing pairing) {
    return pairing == Pairing::NatalNatal ? ChartSide::Natal : ChartSide::Transit;
}
constexpr ChartSide SideOfBody2(Pairing pairing) {
    return pairing == Pairing::TransitTransit ? ChartSide::Transit : ChartSide::Natal;
}

// A body's value in one kind as the chart record holds it (slot outside 1..53: 0).
double RecordValue(const ChartPositions& chart, ChartSide side, CoordinateKind kind, int slot);

// A body's value in one kind at any moment from the positions function, longitudes multiplied
// by the chart's harmonic as the record holds them; empty outside the ephemeris range or when no
// positions function is set.
std::optional<double> ValueAtMoment(const AspectInputs& inputs, ChartSide side, CoordinateKind kind,
                                    int slot, double jd);

double ChartMomentOf(const AspectInputs& inputs, ChartSide side);

}  // namespace quintaro
