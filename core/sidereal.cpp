// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/sidereal.h"

#include <cmath>

#include "core/degrees.h"

namespace quintaro {

namespace {
// The offsets were defined with this value of pi; keeping it keeps them to the last digit.
constexpr double kOffsetsPi = 3.1415926535;
double Sin(double degrees) {
    return std::sin(degrees * kOffsetsPi / 180.0);
}
}  // namespace

SiderealOffsets ComputeSiderealOffsets(double jd) {
    const double t = (jd - 2415020.0) / 36524.22;
    const double sunLongitude = 279.696678 + 36000.768925 * t + 0.0003025 * t * t;
    const double node = 259.183275 - 1934.142008 * t + 0.002078 * t * t + 0.0000022 * t * t * t;
    const double nutation =
        ((17.2327 + 0.01737 * t) * Sin(node) - 1.273 * Sin(2 * sunLongitude)) / 3600.0;
    const double precession = 5025.64 * t + 1.11 * t * t;  // arcseconds
    SiderealOffsets offsets;
    offsets.a = Norm360(
        ((17.2327 * Sin(node) + 1.273 * Sin(sunLongitude) - precession) - 84038.27) / 3600.0);
    offsets.b = ((jd - 2415020.0) / 365.2422) / 71.61 + 22.4604583333333 + nutation;
    return offsets;
}

double ApplySiderealOffset(double longitude, int type, const SiderealOffsets& offsets) {
    return Norm360(type == 0 ? longitude + offsets.a : longitude - offsets.b);
}

}  // namespace quintaro
