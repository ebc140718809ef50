// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <vector>

#include "wheels/draw_surface.h"

namespace quintaro {

// An axis-parallel rectangle: the room a printed text takes, or a place reserved for one.
struct Box {
    double minX = 0;
    double minY = 0;
    double maxX = 0;
    double maxY = 0;

    double width() const { return maxX - minX; }
    double height() const { return maxY - minY; }
    Point centre() const { return {(minX + maxX) / 2, (minY + maxY) / 2}; }
    friend bool operator==(const Box&, const Box&) = default;
};

// The box of the given size centred on a point.
Box BoxAround(Point centre, double width, double height);

// The box of a text printed with its top-left corner at `topLeft` on a scale whose y grows
// upwards (yUp) or downwards.
Box TextBoxAt(Point topLeft, double width, double height, bool yUp);

// Whether two boxes share some area; boxes that only touch along an edge do not.
bool Overlap(const Box& a, const Box& b);

// Number of pairs among the boxes that overlap.
int CountOverlappingPairs(const std::vector<Box>& boxes);

}  // namespace quintaro
