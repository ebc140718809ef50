// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <cmath>
#include <vector>

#include "wheels/recording_surface.h"
#include "wheels/wheel_input.h"

namespace quintaro::test {

// Builds wheel inputs body by body: a geocentric natal wheel with nothing selected to start with.
inline void AddNatal(WheelInput& input, int slot, double longitude, char direction = ' ') {
    input.selection.setNatal(slot, true);
    input.natal.longitude[slot] = longitude;
    input.natal.direction.set(slot, direction);
}

inline void AddTransit(WheelInput& input, int slot, double longitude, char direction = ' ') {
    input.withTransit = true;
    input.selection.setTransit(slot, true);
    input.transit.longitude[slot] = longitude;
    input.transit.direction.set(slot, direction);
}

inline double Radius(Point p) {
    return std::hypot(p.x, p.y);
}

// The radial division lines of the ring: from the inner to the outer band radius.
inline std::vector<RecordedLine> DivisionLines(const RecordingSurface& surface, double inner,
                                               double outer) {
    std::vector<RecordedLine> out;
    for (const RecordedLine& line : surface.lines())
        if (std::abs(Radius(line.from) - inner) < 1e-6 && std::abs(Radius(line.to) - outer) < 1e-6)
            out.push_back(line);
    return out;
}

}  // namespace quintaro::test
