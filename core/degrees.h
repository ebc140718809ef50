// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <cmath>
#include <numbers>

namespace quintaro {

// Reduces an angle into [0, 360): x − Int(x / 360) × 360 with Int rounding down.
inline double Norm360(double x) {
    double r = x - std::floor(x / 360.0) * 360.0;
    return r >= 360.0 ? 0.0 : r;  // guards -1e-17 style inputs that round up to 360
}

// Degrees within the sign, [0, 30).
inline double DegreeInSign(double longitude) { return std::fmod(Norm360(longitude), 30.0); }

// Sign number 1 (Aries) .. 12 (Pisces) of a longitude.
inline int SignOf(double longitude) { return static_cast<int>(Norm360(longitude) / 30.0) + 1; }

constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kRadToDeg = 180.0 / std::numbers::pi;

inline double SinD(double degrees) { return std::sin(degrees * kDegToRad); }
inline double CosD(double degrees) { return std::cos(degrees * kDegToRad); }

}  // namespace quintaro
