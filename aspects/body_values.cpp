// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/body_values.h"

#include "core/degrees.h"

namespace quintaro {

double RecordValue(const ChartPositions& chart, ChartSide side, CoordinateKind kind, int slot) {
    if (slot < 1 || slot > BodyCount) return 0;
    const ChartKinds& k = side == ChartSide::Natal ? chart.Natal : chart.Transit;
    auto at = [slot](const PerSlot<double>& values) { return values[static_cast<size_t>(slot)]; };
    switch (kind) {
        case CoordinateKind::GeoLongitude:
            return at(k.GeoLong);
        case CoordinateKind::GeoDeclination:
            return at(k.GeoDecl);
        case CoordinateKind::HelioLongitude:
            return at(k.HelioLong);
        case CoordinateKind::HelioLatitude:
            return at(k.HelioLat);
    }
    return 0;
}

std::optional<double> ValueAtMoment(const AspectInputs& inputs, ChartSide side, CoordinateKind kind,
                                    int slot, double jd) {
    if (!inputs.positionAt) return std::nullopt;
    BodyPoint point = inputs.positionAt(jd, slot, FrameOf(kind));
    if (!point.valid) return std::nullopt;
    if (!IsLongitudeKind(kind)) return point.second;
    int harmonic = side == ChartSide::Natal ? inputs.natalHarmonic : inputs.transitHarmonic;
    if (harmonic <= 1) return Norm360(point.longitude);
    return Norm360(point.longitude * harmonic);
}

double ChartMomentOf(const AspectInputs& inputs, ChartSide side) {
    return side == ChartSide::Natal ? inputs.natalJD : inputs.transitJD;
}

}  // namespace quintaro
