// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/wheel_geometry.h"

#include <cmath>

#include "core/degrees.h"
#include "core/formatting.h"

namespace quintaro {

Point PointOnWheel(double angle, double radius) {
    double radians = Norm360(angle) * WheelPi / 180;
    return {radius * std::cos(radians), radius * std::sin(radians)};
}

double AngleOfPoint(Point p) {
    return Norm360(std::atan2(p.y, p.x) * 180 / WheelPi);
}

RingRadii WheelRingRadii(bool printer, double baseRadius) {
    double factor = printer ? PrinterRingFactor : ScreenRingFactor;
    RingRadii radii;
    radii.inner = baseRadius * factor;
    radii.outer = (baseRadius + ZodiacBandWidth) * factor;
    radii.glyph = radii.inner + GlyphCircleOffset;
    return radii;
}

UserScale WheelScale(const WheelTarget& target) {
    double w = target.deviceWidth > 0 ? target.deviceWidth : 1;
    double h = target.deviceHeight > 0 ? target.deviceHeight : 1;
    double halfH = ScaleHalfHeight;
    double halfW = ScaleHalfHeight;
    if (w >= h)
        halfW = ScaleHalfHeight * w / h;
    else
        halfH = ScaleHalfHeight * h / w;
    return {-halfW, halfH, 2 * halfW, -2 * halfH};
}

double SectorStartAngle(int sector) {
    return Norm360(182.0 + 30.0 * (sector - 1));
}

int SectorBoundaryEntry(int sector) {
    return sector <= 9 ? sector + 3 : sector - 9;
}

double SectorSize(const std::array<double, 13>& boundaries, int sector) {
    int k = SectorBoundaryEntry(sector);
    int next = k == 12 ? 1 : k + 1;
    return Norm360(boundaries[next] - boundaries[k]);
}

int SectorOfLongitude(const std::array<double, 13>& boundaries, double longitude) {
    double v = Norm360(longitude) + 1.0 / 36000;
    for (int sector = 1; sector <= SectorCount; ++sector) {
        int k = SectorBoundaryEntry(sector);
        double from = boundaries[k];
        double to = boundaries[k == 12 ? 1 : k + 1];
        bool inside = from <= to ? (from <= v && v < to) : (v >= from || v < to);
        if (inside) return sector;
    }
    return 0;
}

std::array<double, 13> DefaultSectorBoundaries() {
    std::array<double, 13> table{};
    for (int k = 1; k <= 12; ++k) table[k] = Norm360((k - 1) * 30.0 + 90);
    return table;
}

}  // namespace quintaro
