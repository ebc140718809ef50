// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>

#include "wheels/draw_surface.h"
#include "wheels/wheel_input.h"
#include "wheels/wheel_layout.h"
#include "wheels/wheel_styles.h"

namespace quintaro {

// The duo wheel ("Duo Chartwheels"): the geocentric and the heliocentric wheel of the same
// charts on one surface, each with its own glyph placement, degree labels and aspect lines, and
// one title block for both. Each wheel is the main wheel with a smaller ring, drawn in the main
// wheel's scale moved so that its centre lies at an offset from the middle: the geocentric wheel
// up and to the left, the heliocentric one down and to the right.
//
// Two layouts: on a surface at least DuoWideHalfWidth units wide on each side of the middle
// (a window noticeably wider than high) the rings have a base radius of 118 and the centres lie
// (142, 76) from the middle; otherwise the base radius is 105 and the offsets are (99, 88), or
// (108, 88) on paper.
struct DuoGeometry {
    double baseRadius = 118;
    Point geoCentre;  // in the main wheel's scale; the heliocentric centre is its mirror image
    Point helioCentre;
};

constexpr double DuoWideHalfWidth = 290;

DuoGeometry ChooseDuoGeometry(const WheelTarget& target);

// Draws both wheels and the title block; the layout holds the geocentric wheel first.
StyledWheelLayout DrawDuoWheel(DrawSurface& surface, const WheelInput& geo,
                               const WheelInput& helio);

// "geo + helio chart (" with the chart names, ")": the chart kind line of the duo's title.
std::string DuoChartKindTitle(const WheelInput& geo);

// The report of a click on one of the duo's wheels: the kind (" N. geo ", " N. helio ",
// " T. geo ", " T. helio "), the name, " is at " and the longitude formatted "00.00", then the
// declination or latitude the same way (" N. decl ", " N. lat ", " T. decl ", " T. lat "), and
// " - falling" when it is decreasing. Empty when the click hit no glyph.
std::string DuoClickReport(const WheelLayout& wheel, Point at);

}  // namespace quintaro
