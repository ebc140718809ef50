// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include "aspects/aspect_lists.h"

namespace quintaro {

// The twelve lists, rebuilt from empty, in the fixed order natal–natal, transit–natal,
// transit–transit, each in geocentric longitude, declination, heliocentric longitude, latitude.
// A full list keeps what it has and drops the further aspects.
AspectLists BuildAspectLists(const AspectInputs& inputs);

// One of the twelve.
AspectList BuildAspectList(const AspectInputs& inputs, Pairing pairing, CoordinateKind kind);

// +1 (applying) or −1 (separating), by looking one hour ahead of the chart moments. The natal body
// of a transit–natal pair and the calculated points (slots 18–20) keep their chart values.
int ApplyingSign(const AspectInputs& inputs, int body1, int body2, Pairing pairing,
                 CoordinateKind kind);

// The rules of the hour-ahead test on the differences body 1 − body 2 now (d0) and an hour later
// (d1), in longitude with the kind's orb, and on the two bodies' declinations or latitudes.
int LongitudeApplyingSign(double d0, double d1, double orb);
int ParallelApplyingSign(double first0, double second0, double first1, double second1);

}  // namespace quintaro
