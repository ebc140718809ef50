// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>

namespace quintaro {

// A body on the zodiac wheel stands as a column of texts along its ray, outermost first: its
// glyph, the degrees, the sign's glyph, and the minutes followed by "R" when it is retrograde
// ("12'R"). A ring holds
// the columns of one chart; the columns of crowded bodies are spread round the ring and joined
// to their true positions by pointer lines.

enum ColumnItem { ItemGlyph, ItemDegree, ItemSign, ItemMinute, ColumnItemCount };

struct ItemSize {
    double width = 0;
    double height = 0;
};
using ColumnSizes = std::array<ItemSize, ColumnItemCount>;

struct BodyRing {
    double outer = 0;                              // no text of the ring reaches beyond
    std::array<double, ColumnItemCount> radius{};  // where each item's centre stands
    double inner = 0;                              // no text comes nearer the centre
    double separation = 0;                         // degrees between two columns
};

// Half the length of the stretch of a ray at `angle` degrees that a box centred on it covers:
// a box centred at radius r lies between the circles r - extent and r + extent along its ray.
double RadialHalfExtent(ItemSize size, double angle);

// The distance two boxes centred on two points must keep so that they cannot overlap, whatever
// the direction from one point to the other.
double ClearDistance(ItemSize a, ItemSize b);

// The angle, in degrees, that two points on circles of radii ra and rb must keep apart so that
// boxes a and b centred on them cannot overlap; 0 when the radii alone keep them apart.
double ClearAngle(ItemSize a, double ra, ItemSize b, double rb);

// The ring laid inwards from `outer`: every item far enough from the one before that they
// cannot overlap, `gap` user units between them, and the angle two columns must keep apart.
BodyRing PlanBodyRing(double outer, const ColumnSizes& sizes, double gap);

}  // namespace quintaro
