// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

namespace quintaro {

// The obliquity of the ecliptic at a Julian Day (UT; the few minutes between UT and dynamical
// time move it by far less than a microarcsecond). Declinations are given as almanacs and the
// reference library give them: the apparent longitude and latitude of date, which hold the
// nutation in longitude, turned to the equator with the true obliquity, the mean obliquity plus
// the nutation in obliquity.

// Mean obliquity (radians): the IAU 2006 polynomial.
double MeanObliquity(double jd);

// Nutation in obliquity (radians): the terms of the IAU 1980 series of 0.002" and more, within
// about 0.015" of the full series.
double NutationInObliquity(double jd);

struct Obliquity {
    double radians = 0;
    double sine = 0, cosine = 0;
    double ratePerDay = 0;  // radians per day: the mean obliquity's slow decrease
};

// Mean obliquity plus nutation in obliquity, with its sine and cosine.
Obliquity TrueObliquity(double jd);

// Declination (degrees) of a point of ecliptic longitude and latitude (degrees):
// sin δ = sin β cos ε + cos β sin ε sin λ.
double DeclinationOf(double longitude, double latitude, const Obliquity& obliquity);

}  // namespace quintaro
