// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <cmath>

#include "core/degrees.h"

namespace quintaro {

// Directions on the celestial sphere as unit vectors in equatorial coordinates: x toward the
// vernal point, z toward the north celestial pole. Every house circle is a great circle, so a
// cusp is where the ecliptic crosses one, found with two cross products and one arctangent. No
// division is involved, so degenerate circles give an arbitrary but finite longitude.
struct Vec3 {
    double x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator*(double k, Vec3 a) {
    return {k * a.x, k * a.y, k * a.z};
}
inline double Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The point of the equator at a right ascension (degrees).
inline Vec3 EquatorPoint(double ra) {
    return {CosD(ra), SinD(ra), 0.0};
}

// The local frame of a place: zenith, east point and north point of the horizon.
struct LocalFrame {
    Vec3 zenith, east, north;
};

inline LocalFrame MakeLocalFrame(double ramc, double latitude) {
    double st = SinD(ramc), ct = CosD(ramc), sf = SinD(latitude), cf = CosD(latitude);
    return {{cf * ct, cf * st, sf}, {-st, ct, 0.0}, {-sf * ct, -sf * st, cf}};
}

// The ecliptic for one obliquity: its north pole and two axes in its plane.
struct EclipticFrame {
    Vec3 pole, xAxis, yAxis;
};

inline EclipticFrame MakeEclipticFrame(double obliquity) {
    double se = SinD(obliquity), ce = CosD(obliquity);
    return {{0.0, -se, ce}, {1.0, 0.0, 0.0}, {0.0, ce, se}};
}

// Ecliptic longitude, [0, 360), of a direction.
inline double EclipticLongitudeOf(const EclipticFrame& ecliptic, Vec3 d) {
    return Norm360(std::atan2(Dot(d, ecliptic.yAxis), Dot(d, ecliptic.xAxis)) * kRadToDeg);
}

// Where the ecliptic crosses the great circle with pole `circlePole`: of the two crossings, the
// one on the side of `toward`.
inline double EclipticCrossing(const EclipticFrame& ecliptic, Vec3 circlePole, Vec3 toward) {
    Vec3 d = Cross(ecliptic.pole, circlePole);
    if (Dot(d, toward) < 0) d = -1.0 * d;
    return EclipticLongitudeOf(ecliptic, d);
}

}  // namespace quintaro
