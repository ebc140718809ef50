// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/aspectarian_crossing.h"

#include <array>

namespace quintaro {

std::optional<double> CrossingFraction(double before, double start, double end) {
    if (start == 0) {
        if (before == 0) return std::nullopt;
        return 0.0;
    }
    if (end == 0 || (start < 0) == (end < 0)) return std::nullopt;
    return start / (start - end);
}

std::optional<double> RefineStation(const PositionAtMoment& positionAt, int slot, Frame frame,
                                    double hourMoment, bool turningRetrograde) {
    constexpr int kReach = 60;
    constexpr double kMinute = 1.0 / 1440.0;
    std::array<double, 2 * kReach + 1> offsets{};  // longitude relative to the hour's, degrees
    double reference = 0;
    for (int m = -kReach; m <= kReach; ++m) {
        const BodyPoint p = positionAt(hourMoment + m * kMinute, slot, frame);
        if (!p.valid) return std::nullopt;
        if (m == -kReach) reference = p.longitude;
        offsets[static_cast<size_t>(m + kReach)] = FoldAngle(p.longitude - reference);
    }
    // The turn is where the longitude reaches its extreme: the largest before going back, the
    // smallest before going forward again.
    const double sign = turningRetrograde ? 1.0 : -1.0;
    int first = 0, last = 0;
    for (int i = 1; i < static_cast<int>(offsets.size()); ++i) {
        const double value = sign * offsets[static_cast<size_t>(i)];
        const double best = sign * offsets[static_cast<size_t>(first)];
        if (value > best) {
            first = last = i;
        } else if (value == best) {
            last = i;
        }
    }
    const int minute = (first + last) / 2 - kReach;
    return hourMoment + minute * kMinute;
}

}  // namespace quintaro
