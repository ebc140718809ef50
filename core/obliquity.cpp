// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/obliquity.h"

#include <algorithm>
#include <cmath>

#include "core/degrees.h"

namespace quintaro {

namespace {

constexpr double ArcsecToRad = kDegToRad / 3600.0;

double Centuries(double jd) {
    return (jd - 2451545.0) / 36525.0;
}

}  // namespace

double MeanObliquity(double jd) {
    const double t = Centuries(jd);
    const double arcsec =
        84381.406 +
        t * (-46.836769 + t * (-0.0001831 + t * (0.00200340 + t * (-5.76e-7 + t * -4.34e-8))));
    return arcsec * ArcsecToRad;
}

namespace {

// A point on the unit circle as cosine and sine; products add their angles.
struct Turn {
    double c = 1, s = 0;
};
Turn operator*(Turn a, Turn b) {
    return {a.c * b.c - a.s * b.s, a.s * b.c + a.c * b.s};
}
Turn Back(Turn a) {
    return {a.c, -a.s};
}
// Cosine of the sum of two angles.
double CosOfSum(Turn a, Turn b) {
    return a.c * b.c - a.s * b.s;
}

// Cosine and sine of an angle in degrees by short series on the nearest quarter turn: within
// 1e-12, far more than the nutation (a few arcseconds) needs, and cheaper than the library
// functions for the large fundamental arguments.
Turn TurnOf(double degrees) {
    // Far-off moments (no ephemeris holds them, but any number may be asked) are brought near.
    if (!(std::fabs(degrees) < 1e9))
        degrees = std::isfinite(degrees) ? std::fmod(degrees, 360.0) : 0.0;
    const double turns = degrees * (1.0 / 90.0);
    const auto quarters = static_cast<long long>(turns + (turns < 0 ? -0.5 : 0.5));
    const double x = (degrees - 90.0 * static_cast<double>(quarters)) * kDegToRad;  // |x| <= pi/4
    const double x2 = x * x;
    const double s =
        x * (1 + x2 * (-1.0 / 6 +
                       x2 * (1.0 / 120 +
                             x2 * (-1.0 / 5040 + x2 * (1.0 / 362880 + x2 * (-1.0 / 39916800))))));
    const double c =
        1 + x2 * (-0.5 + x2 * (1.0 / 24 +
                               x2 * (-1.0 / 720 +
                                     x2 * (1.0 / 40320 + x2 * (-1.0 / 3628800 + x2 / 479001600)))));
    const auto quarter = quarters & 3;  // two's complement: right for negative turns too
    const double c1 = quarter & 1 ? -s : c, s1 = quarter & 1 ? c : s;
    return quarter & 2 ? Turn{-c1, -s1} : Turn{c1, s1};
}

}  // namespace

// The terms of the IAU 1980 series whose amplitude in obliquity is 0.002" or more, built from the
// fundamental arguments (Meeus, Astronomical Algorithms, ch. 22): the Moon's mean elongation D,
// the Sun's mean anomaly M, the Moon's mean anomaly M', its argument of latitude F and the
// longitude of its ascending node Ω. Amplitudes in 0.0001"; the arguments' sums are products of
// their turns, shared where terms share them.
double NutationInObliquity(double jd) {
    const double t = Centuries(jd);
    const Turn d = TurnOf(297.85036 + t * (445267.111480 + t * (-0.0019142 + t / 189474.0)));
    const Turn m = TurnOf(357.52772 + t * (35999.050340 + t * (-0.0001603 - t / 300000.0)));
    const Turn mp = TurnOf(134.96298 + t * (477198.867398 + t * (0.0086972 + t / 56250.0)));
    const Turn f = TurnOf(93.27191 + t * (483202.017538 + t * (-0.0036825 + t / 327270.0)));
    const Turn om = TurnOf(125.04452 + t * (-1934.136261 + t * (0.0020708 + t / 450000.0)));
    const Turn d2 = d * d, mp2 = mp * mp;
    const Turn fo = f * f * om;                                  // 2F + Ω
    const Turn b = fo * om;                                      // 2F + 2Ω
    const Turn a = b * Back(d2);                                 // −2D + 2F + 2Ω
    const double sum = (92025 + 8.9 * t) * om.c                  // Ω
                       + (5736 - 3.1 * t) * a.c                  // −2D + 2F + 2Ω
                       + (977 - 0.5 * t) * b.c                   // 2F + 2Ω
                       + (-895 + 0.5 * t) * (om * om).c          // 2Ω
                       + (54 - 0.1 * t) * m.c                    // M
                       + (224 - 0.6 * t) * CosOfSum(a, m)        // −2D + M + 2F + 2Ω
                       + 200 * fo.c                              // 2F + Ω
                       + (129 - 0.1 * t) * CosOfSum(b, mp)       // M' + 2F + 2Ω
                       + (-95 + 0.3 * t) * CosOfSum(a, Back(m))  // −2D − M + 2F + 2Ω
                       - 70 * CosOfSum(fo, Back(d2))             // −2D + 2F + Ω
                       - 53 * CosOfSum(b, Back(mp))              // −M' + 2F + 2Ω
                       - 33 * CosOfSum(mp, om)                   // M' + Ω
                       + 26 * CosOfSum(b * d2, Back(mp))         // 2D − M' + 2F + 2Ω
                       + 32 * CosOfSum(Back(mp), om)             // −M' + Ω
                       + 27 * CosOfSum(mp, fo)                   // M' + 2F + Ω
                       - 24 * CosOfSum(Back(mp2), fo);           // −2M' + 2F + Ω
    return sum * 1e-4 * ArcsecToRad;
}

// The sine and cosine come from those of the obliquity of J2000 turned by the small change since
// (under 0.001 radian from 1750 to 2050, so the short series are exact to double precision).
Obliquity TrueObliquity(double jd) {
    static const double sine2000 = std::sin(MeanObliquity(2451545.0));
    static const double cosine2000 = std::cos(MeanObliquity(2451545.0));
    const double t = Centuries(jd);
    Obliquity o;
    o.radians = MeanObliquity(jd) + NutationInObliquity(jd);
    const double change = o.radians - MeanObliquity(2451545.0), c2 = change * change;
    const double sinChange = change * (1 - c2 / 6 * (1 - c2 / 20));
    const double cosChange = 1 - c2 / 2 * (1 - c2 / 12 * (1 - c2 / 30));
    o.sine = sine2000 * cosChange + cosine2000 * sinChange;
    o.cosine = cosine2000 * cosChange - sine2000 * sinChange;
    o.ratePerDay = (-46.836769 + t * (-0.0003662 + t * 0.0060102)) * ArcsecToRad / 36525.0;
    return o;
}

double DeclinationOf(double longitude, double latitude, const Obliquity& obliquity) {
    const double s =
        SinD(latitude) * obliquity.cosine + CosD(latitude) * obliquity.sine * SinD(longitude);
    return std::asin(std::clamp(s, -1.0, 1.0)) * kRadToDeg;
}

}  // namespace quintaro
