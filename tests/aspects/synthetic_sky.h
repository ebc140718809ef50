// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <cmath>
#include <functional>
#include <map>
#include <vector>

#include "aspects/aspect_lists.h"

namespace quintaro::test {

// A body of a made-up sky: longitude moving at a constant rate from its value at the epoch, and a
// second coordinate given as any function of the days since the epoch, so that the moments of
// exact aspects can be worked out by hand.
struct Motion {
    double longitude = 0;  // at the epoch, degrees
    double rate = 0;       // degrees per day
    std::function<double(double days)> second;

    double LongitudeAt(double days) const {
        double x = std::fmod(longitude + rate * days, 360.0);
        return x < 0 ? x + 360.0 : x;
    }
    double SecondAt(double days) const { return second ? second(days) : 0.0; }
};

struct PositionCall {
    double jd;
    int slot;
    Frame frame;
};

// Bodies by slot, separately for the geocentric and the heliocentric frame.
struct SyntheticSky {
    double epoch = 2451545.25;
    std::map<int, Motion> geo, helio;

    const Motion* Find(int slot, Frame frame) const {
        const auto& bodies = frame == Frame::Geocentric ? geo : helio;
        auto it = bodies.find(slot);
        return it == bodies.end() ? nullptr : &it->second;
    }

    // The positions function; every call is appended to `log` when one is given.
    PositionAtMoment Function(std::vector<PositionCall>* log = nullptr) const {
        return [this, log](double jd, int slot, Frame frame) {
            if (log) log->push_back({jd, slot, frame});
            BodyPoint point;
            if (const Motion* m = Find(slot, frame)) {
                point.longitude = m->LongitudeAt(jd - epoch);
                point.second = m->SecondAt(jd - epoch);
                point.longitudeSpeed = m->rate;
                point.valid = true;
            }
            return point;
        };
    }

    // The chart record's values of every body at a moment.
    void Fill(ChartKinds& chart, double jd) const {
        for (const auto& [slot, m] : geo) {
            chart.GeoLong[static_cast<size_t>(slot)] = m.LongitudeAt(jd - epoch);
            chart.GeoDecl[static_cast<size_t>(slot)] = m.SecondAt(jd - epoch);
        }
        for (const auto& [slot, m] : helio) {
            chart.HelioLong[static_cast<size_t>(slot)] = m.LongitudeAt(jd - epoch);
            chart.HelioLat[static_cast<size_t>(slot)] = m.SecondAt(jd - epoch);
        }
    }
};

// A selection with the given bodies on the natal and on the transit side.
inline SelectionFlags Selection(std::initializer_list<int> natal,
                                std::initializer_list<int> transit) {
    SelectionFlags flags;
    for (int b : natal) flags.setNatal(b, true);
    for (int b : transit) flags.setTransit(b, true);
    return flags;
}

inline std::function<double(double)> Constant(double value) {
    return [value](double) { return value; };
}

}  // namespace quintaro::test
