// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "wheels/draw_surface.h"
#include "wheels/wheel_input.h"

namespace quintaro {

constexpr double TitleFontSize = 10;
constexpr double TitleMargin = 2;  // user units between the texts and the edge of the scale

struct TitleLine {
    std::string text;
    bool bold = false;
};

// The lines printed down from the top-left corner: "HARMONIC" (bold) when a harmonic differs
// from 1, the chart kind with the chart names, "Velm = " and the lens, "Sidereal".
// `kindTitle`, when given, takes the place of the chart kind line.
std::vector<TitleLine> TitleLines(const WheelInput& input, std::string_view kindTitle = {});

// "geo chart (", "helio chart (", "geo bisect chart (" or "helio bisect chart (", the names
// (natal name and date, then transit name and date in a natal + transit wheel), ")".
std::string ChartKindTitle(const WheelInput& input);

// The lines of the notice printed at the foot of a wheel: its text split at line ends, trailing
// empty lines dropped.
std::vector<std::string> NoticeLines(std::string_view notice);

// Prints the notice at the foot of the scale, its last line lowest, in black.
void DrawNotice(DrawSurface& surface, std::string_view notice);

// Prints the title lines, the filter caption right-aligned at the top right and the notice line
// at the foot, in black.
void DrawTitleBlock(DrawSurface& surface, const WheelInput& input, std::string_view kindTitle = {});

}  // namespace quintaro
