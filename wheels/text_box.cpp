// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/text_box.h"

#include <algorithm>

namespace quintaro {

namespace {

// Rounding in the layout arithmetic must not turn boxes that touch into overlapping ones.
constexpr double Slack = 1e-7;

}  // namespace

Box BoxAround(Point centre, double width, double height) {
    return {centre.x - width / 2, centre.y - height / 2, centre.x + width / 2,
            centre.y + height / 2};
}

Box TextBoxAt(Point topLeft, double width, double height, bool yUp) {
    double bottom = yUp ? topLeft.y - height : topLeft.y + height;
    return {topLeft.x, std::min(topLeft.y, bottom), topLeft.x + width, std::max(topLeft.y, bottom)};
}

bool Overlap(const Box& a, const Box& b) {
    return a.minX < b.maxX - Slack && b.minX < a.maxX - Slack && a.minY < b.maxY - Slack &&
           b.minY < a.maxY - Slack;
}

int CountOverlappingPairs(const std::vector<Box>& boxes) {
    int count = 0;
    for (size_t i = 0; i < boxes.size(); ++i)
        for (size_t j = i + 1; j < boxes.size(); ++j) count += Overlap(boxes[i], boxes[j]);
    return count;
}

}  // namespace quintaro
