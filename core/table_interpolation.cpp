// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/table_interpolation.h"

#include <algorithm>
#include <cmath>

#include "core/day_tables.h"
#include "core/degrees.h"

namespace quintaro {

namespace {
constexpr double k1900 = 2415020.5;  // 1900-01-01 0h UT
constexpr double kQuarterHour = 1.0 / 96.0;
}  // namespace

DaySplit SplitDay(double jd) {
    DaySplit split;
    double whole = std::trunc(jd);
    split.d0 = jd - whole >= 0.5 ? whole + 0.5 : whole - 0.5;
    split.frac = jd - split.d0;
    double day = split.d0 - DayTableBase;
    // Far-off moments must not overflow the index; they fail the range check anyway.
    split.day = static_cast<long>(std::clamp(day, -1e9, 1e9));
    return split;
}

bool DayInRange(const DaySplit& split, bool use1750) {
    return split.d0 >= DayTableBase && split.d0 < DayTableBase + DayTableLength &&
           (split.d0 >= k1900 || use1750);
}

TableWindow ReadWindow(const float* row, long day, double frac) {
    TableWindow window;
    long centre = std::clamp<long>(day, 1, DayTableLength - 2);
    window.t = frac + static_cast<double>(day - centre);
    if (row) {
        window.y1 = row[centre - 1];
        window.y2 = row[centre];
        window.y3 = row[centre + 1];
    }
    return window;
}

void UnwrapLongitudes(TableWindow& window) {
    auto adjust = [](double previous, double& value) {
        if (value > 216 && previous < 144) {
            value -= 360;
        } else if (value < 144 && previous > 216) {
            value += 360;
        }
    };
    adjust(window.y1, window.y2);
    adjust(window.y2, window.y3);
}

// The quadratic through (1, y1), (2, y2), (3, y3) written around x = 2; the same polynomial a
// least-squares fit of degree 2 or more through the three points gives.
double QuadraticAt(const TableWindow& w, double t) {
    return w.y2 + t * (w.y3 - w.y1) / 2 + t * t * (w.y1 - 2 * w.y2 + w.y3) / 2;
}

double QuadraticSlope(const TableWindow& w, double t) {
    return (w.y3 - w.y1) / 2 + t * (w.y1 - 2 * w.y2 + w.y3);
}

namespace {

// The fitted longitude of a window moved by `shift` degrees, with its speed and the retrograde
// test (the value 15 minutes later is 0..10 degrees lower, or more than 350 higher).
TableLongitude FittedLongitude(const TableWindow& window, double shift) {
    TableLongitude result;
    result.longitude = Norm360(QuadraticAt(window, window.t) + shift);
    result.speed = QuadraticSlope(window, window.t);
    const double later = Norm360(QuadraticAt(window, window.t + kQuarterHour) + shift);
    const double diff = later - result.longitude;
    result.retrograde = (diff > -10 && diff < 0) || diff > 350;
    return result;
}

}  // namespace

TableLongitude InterpolateLongitude(const float* row, long day, double frac) {
    TableWindow window = ReadWindow(row, day, frac);
    UnwrapLongitudes(window);
    return FittedLongitude(window, 0.0);
}

TableLongitude InterpolateMidpointLongitude(const float* row, long day, double frac) {
    TableWindow window = ReadWindow(row, day, frac);
    const double tabulated[3] = {window.y1, window.y2, window.y3};
    const double nearestDay = tabulated[std::clamp(std::lround(window.t), -1L, 1L) + 1];
    window.y2 = window.y1 + std::remainder(window.y2 - window.y1, 180.0);
    window.y3 = window.y2 + std::remainder(window.y3 - window.y2, 180.0);
    const double axis = QuadraticAt(window, window.t);
    return FittedLongitude(window, nearestDay + std::remainder(axis - nearestDay, 180.0) - axis);
}

TableSecond InterpolateSecond(const float* row, long day, double frac) {
    TableWindow window = ReadWindow(row, day, frac);
    return {QuadraticAt(window, window.t), QuadraticSlope(window, window.t)};
}

char DirectionMark(double a, double b) {
    if ((a >= 0) == (b >= 0)) return b - a >= 0 ? 'r' : 'f';
    return a >= 0 ? 'f' : 'r';
}

char TableDirection(const float* row, long day) {
    if (!row) return DirectionMark(0, 0);
    long from = std::clamp<long>(day, 0, DayTableLength - 1);
    long to = from + 1;
    if (to >= DayTableLength) {
        to = from;
        --from;
    }
    float a = row[from];
    float b = row[to];
    while (a != 0 && b == a && to + 1 < DayTableLength) b = row[++to];
    return DirectionMark(a, b);
}

}  // namespace quintaro
