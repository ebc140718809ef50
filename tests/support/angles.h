// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <cmath>

namespace quintaro::test {

// The shorter arc between two longitudes, 0 to 180 degrees.
inline double Separation(double a, double b) {
    return std::fabs(std::remainder(a - b, 360.0));
}

}  // namespace quintaro::test
