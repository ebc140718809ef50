// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>

#include "core/positions.h"

namespace quintaro {

// How far the progressed Sun has moved from the natal Sun, in degrees [0, 360): geocentrically the
// Sun's longitude, heliocentrically the Earth's. The solar-arc mode adds them to every natal
// longitude of the transit chart.
struct SolarArcs {
    double geo = 0;
    double helio = 0;
};

// The arcs between the natal and the progressed moment, measured on the Sun (geocentric) and the
// Earth (heliocentric) of `positionAt`. Nothing when either body has no position at either moment.
std::optional<SolarArcs> MeasureSolarArcs(const PositionAtMoment& positionAt, double natalJD,
                                          double progressedJD);

}  // namespace quintaro
