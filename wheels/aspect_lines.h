// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

#include "wheels/draw_surface.h"
#include "wheels/wheel_input.h"

namespace quintaro {

// The aspect codes the wheel draws lines for.
namespace wheel_aspect {
constexpr int Conjunction = 2;
constexpr int Sextile = 3;
constexpr int Square = 4;
constexpr int Trine = 5;
constexpr int Opposition = 6;
constexpr int Parallel = 7;
constexpr int SemiSextile = 8;
constexpr int Quincunx = 11;
constexpr int Quintile = 14;
constexpr int Biquintile = 16;
constexpr int ContraParallel = 18;
}  // namespace wheel_aspect

constexpr Color AspectRed = Rgb(200, 0, 0);
constexpr Color AspectGreen = Rgb(0, 200, 0);
constexpr Color AspectBlue = Rgb(0, 0, 200);
constexpr Color AspectLightGreen = QbColor(10);
constexpr Color QuintileColor = Rgb(251, 9, 81);

// Caption of an aspect-line filter 0..8, printed at the top right of the wheel; empty outside.
std::string_view FilterCaption(int filter);

// Whether a longitude aspect between two wheel bodies (1..2N) passes a filter. Saturn is
// catalogue body 7 in either chart.
bool FilterPasses(int filter, int aspectCode, int body1, int body2);

// Line colour of an aspect code.
Color AspectLineColor(int aspectCode);

// How one aspect is drawn, or nothing when the options leave it out.
struct LinePen {
    Color color;
    double width = 1;
    DrawStyle style = DrawStyle::Solid;
};
std::optional<LinePen> AspectLinePen(const WheelAspect& aspect, const WheelOptions& options,
                                     const WheelTarget& target);

// Width of a variable line: 4 less the whole degrees of the orb, at least 1.
double VariableLineWidth(double orb);

}  // namespace quintaro
