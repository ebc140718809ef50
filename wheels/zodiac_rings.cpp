// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/zodiac_rings.h"

#include <algorithm>
#include <cmath>

#include "core/degrees.h"

namespace quintaro {

namespace {

// A little more than the boxes need, so that rounding never lets two of them touch.
constexpr double AngleMargin = 0.25;

}  // namespace

double RadialHalfExtent(ItemSize size, double angle) {
    return (std::abs(CosD(angle)) * size.width + std::abs(SinD(angle)) * size.height) / 2;
}

double ClearDistance(ItemSize a, ItemSize b) {
    return std::hypot((a.width + b.width) / 2, (a.height + b.height) / 2);
}

double ClearAngle(ItemSize a, double ra, ItemSize b, double rb) {
    const double clear = ClearDistance(a, b);
    if (std::abs(ra - rb) >= clear) return 0;
    const double nearer = std::min(ra, rb);
    // Two points at angular distance d on circles ra, rb are at least 2 min(ra, rb) sin(d / 2)
    // apart.
    if (nearer <= clear / 2) return 180;
    return 2 * std::asin(clear / (2 * nearer)) * 180 / 3.14159265358979323846 + AngleMargin;
}

BodyRing PlanBodyRing(double outer, const ColumnSizes& sizes, double gap) {
    BodyRing ring;
    ring.outer = outer;
    const ItemSize& glyph = sizes[ItemGlyph];
    double r = outer - ClearDistance(glyph, glyph) / 2;
    ring.radius[ItemGlyph] = r;
    for (int item = ItemGlyph + 1; item < ColumnItemCount; ++item) {
        r -= ClearDistance(sizes[item - 1], sizes[item]) + gap;
        ring.radius[item] = r;
    }
    ring.inner = r - ClearDistance(sizes[ItemMinute], sizes[ItemMinute]) / 2;
    for (int a = 0; a < ColumnItemCount; ++a)
        for (int b = 0; b < ColumnItemCount; ++b)
            ring.separation = std::max(
                ring.separation, ClearAngle(sizes[a], ring.radius[a], sizes[b], ring.radius[b]));
    return ring;
}

}  // namespace quintaro
