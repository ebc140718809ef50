// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "wheels/draw_surface.h"
#include "wheels/text_box.h"

namespace quintaro {

struct TitleText {
    std::string text;
    bool bold = false;
    Color color = QbColor(0);
};

// Where the texts round a wheel may not go: the boxes of what is drawn, and the disc of
// `radius` round the scale's origin.
struct TitleObstacles {
    std::vector<Box> boxes;
    double radius = 0;
};

// Prints the title lines down from the top-left corner, the caption right-aligned at the top
// right and the notice lines up from the foot, all in the text font of `height` user units.
// A text that would touch an obstacle is shortened, ending in "…"; one that cannot keep a single
// character is left out. Returns the boxes of what was printed.
std::vector<Box> DrawFittedTitle(DrawSurface& surface, const std::vector<TitleText>& lines,
                                 std::string_view caption, std::string_view notice,
                                 const TitleObstacles& obstacles, double height);

}  // namespace quintaro
