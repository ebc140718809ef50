// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <cmath>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "core/positions.h"
#include "synthetic_sky.h"  // Constant

namespace quintaro::test {

// A made-up sky for the aspectarian: each body's longitude and second coordinate as functions of
// the hours since a reference moment (local midnight of the first day of a run), so that tests can
// place an exact aspect, an ingress or a turn at a moment of their choosing and work out the
// expected moment by hand.
struct HourSky {
    double origin = 0;  // UT Julian Day of hour 0
    using Curve = std::function<double(double hours)>;
    struct Body {
        Curve longitude, second;
    };
    std::map<std::pair<int, Frame>, Body> bodies;
    double lastValidHour = 1e9;  // positions after this hour cannot be had
    std::vector<std::pair<int, Frame>>* log = nullptr;

    void Set(int slot, Frame frame, Curve longitude, Curve second = {}) {
        bodies[{slot, frame}] = {std::move(longitude), std::move(second)};
    }

    // Hours since the origin; moments within a microsecond of a whole hour read as that hour, so
    // that a table given by whole hours is met exactly on the samples.
    double HoursOf(double jd) const {
        const double hours = (jd - origin) * 24.0;
        const double whole = std::round(hours);
        return std::abs(hours - whole) < 1e-7 ? whole : hours;
    }

    PositionAtMoment Function() const {
        return [this](double jd, int slot, Frame frame) {
            if (log) log->push_back({slot, frame});
            BodyPoint point;
            auto it = bodies.find({slot, frame});
            const double hours = HoursOf(jd);
            if (it == bodies.end() || hours > lastValidHour) return point;
            const double lon = it->second.longitude(hours);
            point.longitude = lon - 360.0 * std::floor(lon / 360.0);
            point.second = it->second.second ? it->second.second(hours) : 0.0;
            point.valid = true;
            return point;
        };
    }
};

inline HourSky::Curve Linear(double at0, double perHour) {
    return [=](double h) { return at0 + perHour * h; };
}

// A body at `peak` degrees at hour `turn`, moving `rate` degrees an hour per hour away from it: a
// maximum (a turn to retrograde) for a negative rate, a minimum (a turn to direct) for a positive.
inline HourSky::Curve Turning(double peak, double turn, double rate) {
    return [=](double h) { return peak + 0.5 * rate * (h - turn) * (h - turn); };
}

}  // namespace quintaro::test
