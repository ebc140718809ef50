// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>

#include "wheels/draw_surface.h"
#include "wheels/text_box.h"

namespace quintaro {

// A longitude as the zodiac wheels show it: the sign, the whole degrees and the minutes within
// the sign, rounded to the minute as the positions grid rounds it (29°59.7' is 0°00' of the next
// sign).
struct SignPosition {
    int sign = 1;  // 1 Aries .. 12 Pisces
    int degree = 0;
    int minute = 0;
    friend bool operator==(const SignPosition&, const SignPosition&) = default;
};
SignPosition SignPositionOf(double longitude);

// "12°" and "34'": the degree and minute texts of a body's column.
std::string DegreeText(const SignPosition& position);
std::string MinuteText(const SignPosition& position);

// The sizes, in points, of the two fonts a position "12♌34" is printed in.
struct PositionFonts {
    double text = 8;
    double glyph = 8;
    bool bold = false;
};

// Width and height of "12♌34" printed with these fonts (user units).
double SignPositionWidth(DrawSurface& surface, const SignPosition& position,
                         const PositionFonts& fonts);
double SignPositionHeight(DrawSurface& surface, const PositionFonts& fonts);

// Prints "12♌34" (degrees, the sign's glyph, minutes) with its top-left corner at `topLeft`;
// the surface's font is left as it was.
void PrintSignPosition(DrawSurface& surface, Point topLeft, const SignPosition& position,
                       const PositionFonts& fonts);

// The point size of a font at which a line of its text is `height` user units high on this
// surface (measured, so that a drawing keeps its proportions at every device size).
double PointsForHeight(DrawSurface& surface, std::string_view fontName, double height);

// Prints a text centred on a point (the surface's current font) and returns its box.
Box PrintCentred(DrawSurface& surface, Point centre, std::string_view text);

}  // namespace quintaro
