// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>

#include "core/houses.h"

namespace quintaro {

// The four intermediate cusps of the eastern half of a quadrant system: the 11th, 12th, 2nd and
// 3rd houses. The other half lies opposite.
struct EasternCusps {
    double house11 = 0, house12 = 0, house2 = 0, house3 = 0;
};

// Midheaven and ascendant at indices 1 and 4, the intermediate cusps at 2, 3, 5, 6, the
// opposite cusps 180 degrees on, and index 13 closing the circle.
HouseCuspArray QuadrantCusps(const Angles& angles, const EasternCusps& eastern);

// The semi-arc systems. Nothing when the system has no solution at this latitude (beyond the
// polar circles) or its iteration does not settle.
std::optional<EasternCusps> PlacidusCusps(double ramc, double latitude, double obliquity);
std::optional<EasternCusps> KochCusps(double ramc, double latitude, double obliquity,
                                      double midheaven);

// The great-circle systems: house circles through the north and south points of the horizon
// that divide the prime vertical (Campanus) or the equator (Regiomontanus) into 30-degree steps.
EasternCusps CampanusCusps(double ramc, double latitude, double obliquity);
EasternCusps RegiomontanusCusps(double ramc, double latitude, double obliquity);

// Trisected quadrant arcs between midheaven and ascendant.
EasternCusps PorphyryCusps(const Angles& angles);

}  // namespace quintaro
