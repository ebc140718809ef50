// SPDX-License-Identifier: AGPL-3.0-or-later
#include "predictive/solar_arc.h"

#include "core/bodies.h"
#include "core/degrees.h"

namespace quintaro {

namespace {

std::optional<double> Arc(const PositionAtMoment& positionAt, int slot, Frame frame, double natalJD,
                          double progressedJD) {
    const BodyPoint natal = positionAt(natalJD, slot, frame);
    const BodyPoint progressed = positionAt(progressedJD, slot, frame);
    if (!natal.valid || !progressed.valid) return std::nullopt;
    return Norm360(progressed.longitude - natal.longitude);
}

}  // namespace

std::optional<SolarArcs> MeasureSolarArcs(const PositionAtMoment& positionAt, double natalJD,
                                          double progressedJD) {
    const auto geo = Arc(positionAt, SlotSun, Frame::Geocentric, natalJD, progressedJD);
    const auto helio = Arc(positionAt, SlotEarth, Frame::Heliocentric, natalJD, progressedJD);
    if (!geo || !helio) return std::nullopt;
    return SolarArcs{*geo, *helio};
}

}  // namespace quintaro
