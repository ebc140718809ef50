// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

namespace quintaro {

// A moment split into its civil day: d0 is 0h UT of the day of jd, frac = jd - d0 in [0, 1),
// day the index of d0 in the day tables (may lie outside them).
struct DaySplit {
    double d0 = 0;
    double frac = 0;
    long day = 0;
};
DaySplit SplitDay(double jd);

// Whether a day lies inside the day tables and, without the early tables, on or after 1900-01-01.
bool DayInRange(const DaySplit& split, bool use1750);

// Three tabulated days around a moment, y1..y3 at x = 1, 2, 3, and the moment as t = x - 2.
// At the first and the last day of the tables the window is moved inward and t extended
// (t in [-1, 0) or [1, 2)), so no read leaves the table.
struct TableWindow {
    double y1 = 0, y2 = 0, y3 = 0;
    double t = 0;
};
TableWindow ReadWindow(const float* row, long day, double frac);

// Makes a window of longitudes continuous across 0/360: a value above 216 after one below 144
// loses 360, one below 144 after one above 216 gains 360 (each against the adjusted previous one).
void UnwrapLongitudes(TableWindow& window);

// The quadratic through the window's three points, and its slope per day, at x = 2 + t.
double QuadraticAt(const TableWindow& window, double t);
double QuadraticSlope(const TableWindow& window, double t);

// Longitude of a table body: the interpolated value in [0, 360), its daily speed, and the
// retrograde test (the value 15 minutes later is 0..10 degrees lower, or more than 350 higher).
struct TableLongitude {
    double longitude = 0;
    double speed = 0;
    bool retrograde = false;
};
TableLongitude InterpolateLongitude(const float* row, long day, double frac);

// Longitude of a midpoint body from its tables alone. The tabulated values lie on the midpoint
// axis of a pair and jump to the axis' other end when the pair passes an opposition, so the window
// is first unwrapped modulo 180 (each value taken at the end of the axis nearest the one before)
// and the fit never crosses the jump. The result lies at the end of the axis of the tabulated day
// nearest the moment.
TableLongitude InterpolateMidpointLongitude(const float* row, long day, double frac);

// Declination or latitude of a table body (not reduced) with its daily speed.
struct TableSecond {
    double value = 0;
    double speed = 0;
};
TableSecond InterpolateSecond(const float* row, long day, double frac);

// "r" when a coordinate rises from a to b, "f" when it falls, by the sign rule of the marks.
char DirectionMark(double a, double b);

// Direction mark of a table body from the tabulated days: today against the first following
// day that differs (a run of equal non-zero values is skipped). On the last tabulated day the
// day before and today are compared. A table not loaded (nullptr) reads 0.
char TableDirection(const float* row, long day);

}  // namespace quintaro
