// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include "core/positions.h"

namespace quintaro {

// The two returns: the Sun or the Moon back at its natal geocentric longitude.
enum class ReturnBody { Sun, Moon };
int ReturnSlot(ReturnBody body);

// A crossing is accepted only where the longitude is this close to its target (degrees). The
// search refines well below it: the Sun covers 0.00007 degrees in about 6 seconds.
inline constexpr double ReturnPrecision = 0.00007;

// The moments a search looks at: `from` and then one a day for `days` days.
struct SearchSpan {
    double from = 0;
    int days = 0;
};

// Solar return: from 3 days before the mean anniversary of the year that holds the target, for a
// week. Lunar return: the 31 days before the target.
SearchSpan ReturnSpan(ReturnBody body, double natalJD, double targetJD);

struct CrossingResult {
    enum class Outcome { Found, NoPosition, NoCrossing };
    Outcome outcome = Outcome::NoCrossing;
    double jd = 0;  // Found: the crossing; NoPosition: the moment that had no position
};

// The last moment of the span at which the body's geocentric longitude passes `longitude`. The
// longitude is sampled once a day; each sample's difference from the target is brought into
// [−180, 180), and a crossing lies where two neighbouring differences change sign without the
// jump of 360 degrees that the opposite point makes. The crossing is then refined (Newton steps
// on the body's speed, kept inside the bracket by bisection) until the difference is far below
// ReturnPrecision.
CrossingResult FindLongitudeCrossing(const PositionAtMoment& positionAt, int slot, double longitude,
                                     SearchSpan span);

}  // namespace quintaro
