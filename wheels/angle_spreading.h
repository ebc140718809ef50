// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <vector>

namespace quintaro {

// Spreads points on a circle (glyphs, labels) so that every two are at least `separation`
// degrees apart, moving them as little as it can: points that stand too close form a cluster,
// laid out `separation` apart and centred on the mean of their true angles; a cluster that then
// comes too close to its neighbour joins it, and so on round the circle. The order of the points
// round the circle is kept.
//
// Returns the display angle of each point, in the order of `angles`, in [0, 360). When the
// points cannot all be `separation` apart (count x separation > 360) they are spread evenly.
std::vector<double> SpreadAngles(const std::vector<double>& angles, double separation);

// The smallest circular distance between two of the angles (360 for fewer than two).
double SmallestSeparation(const std::vector<double>& angles);

}  // namespace quintaro
