// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <cmath>

namespace quintaro {

// Midpoint of two longitudes in [0, 360): the half-sum, turned to the other side of the circle
// when it lies more than 90° from both (350° and 10° give 0°, not 180°).
inline double LongitudeMidpoint(double a, double b) {
    auto distance = [](double x, double y) {
        double d = std::fabs(x - y);
        return d > 180.0 ? 360.0 - d : d;
    };
    double m = (a + b) / 2.0;
    if (distance(m, a) > 90.0 && distance(m, b) > 90.0) m += 180.0;
    if (m >= 360.0) m -= 360.0;
    return m;
}

}  // namespace quintaro
