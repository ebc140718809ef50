// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>

#include "core/positions.h"

namespace quintaro {

// The crossing rules of the aspectarian, on the values of three consecutive hourly samples: the
// one before the hour, the hour's start and its end. Values are given relative to their target
// (value − target) and continuous across the three samples.
//
// An hour owns the moments from its start up to, not including, its end, so every crossing is
// reported once:
// - a value exactly on target at the hour's start crosses there (fraction 0), unless it was on
//   target already at the sample before (then it was reported then);
// - a value that is on opposite sides at start and end, neither exactly on target, crosses inside
//   the hour, at the fraction found by linear interpolation;
// - a value exactly on target at the end belongs to the next hour.
// A value that touches its target exactly on a sample and turns back counts as one crossing there.
std::optional<double> CrossingFraction(double before, double start, double end);

// A difference of two angles in [0, 360), or of such a difference and another, folded into
// [−180, 180). Valid for inputs in [−540, 540).
inline double FoldAngle(double x) {
    if (x >= 180.0) return x - 360.0;
    if (x < -180.0) return x + 360.0;
    return x;
}

// The moment a body turns, searched minute by minute from 60 minutes before to 60 minutes after
// `hourMoment`: the minute of its largest longitude when it turns retrograde, of its smallest when
// it turns direct. Where several minutes share the extreme value, the middle one. Nothing when a
// position inside the window cannot be had.
std::optional<double> RefineStation(const PositionAtMoment& positionAt, int slot, Frame frame,
                                    double hourMoment, bool turningRetrograde);

}  // namespace quintaro
