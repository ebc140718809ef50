// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include "aspects/aspect_kinds.h"

namespace quintaro {

// A classifier's answer: the aspect code (1 for none) and the signed distance from exactness.
struct AspectMatch {
    int code = 1;
    double residual = 0;  // folded separation minus the angle; |first| − |second| for parallels
    double orb = 0;       // |residual|
};

// Longitude aspects. `separation` is |longitude 1 − longitude 2|, 0 to below 360. The windows are
// tested in a fixed order (30, 60, 90, 120, 150, 180, 72, 144, 0), each inclusive at both ends;
// the first that holds wins where windows overlap.
AspectMatch ClassifyLongitudeAspect(double separation, double orb);

// The same with the orb read from the kind's field at this call.
AspectMatch ClassifyLongitudeAspect(double separation, CoordinateKind kind, const Orbs& orbs);

// Declination or latitude: parallel (7) when the two lie equally far from zero within the orb,
// contra-parallel (18) when they do so on opposite sides (0 counts as north), else 1.
int ClassifyParallel(double first, double second, double orb);
int ClassifyParallel(double first, double second, CoordinateKind kind, const Orbs& orbs);

}  // namespace quintaro
