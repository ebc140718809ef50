// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/glyph_anchor.h"

#include "core/degrees.h"

namespace quintaro {

namespace {

// Fraction of the cell width by which the cell starts left of its point.
double HorizontalShift(double a) {
    // The slots nearest the vertical: one slot each side of 90 and 270 degrees is centred,
    // the next ones lean a quarter towards their side.
    if (a >= 83.4 && a <= 87.1) return 0.25;
    if (a >= 87.7 && a <= 92.1) return 0.5;
    if (a >= 95.7 && a <= 96.3) return 0.75;
    if (a >= 263.4 && a <= 267.1) return 0.75;
    if (a >= 267.7 && a <= 272.1) return 0.5;
    if (a >= 275.7 && a <= 276.3) return 0.25;
    bool rightSide = a < 90 || a > 270;
    return rightSide ? 0.12 : 0.75;
}

// Fraction of the cell height by which the cell's top lies above its point.
double VerticalShift(double a) {
    bool upperHalf = a < 180;
    return upperHalf ? 0.75 : 0.25;
}

}  // namespace

Point GlyphAnchor(double angle, Point onCircle, double cellWidth, double cellHeight) {
    double a = Norm360(angle);
    return {onCircle.x - HorizontalShift(a) * cellWidth,
            onCircle.y + VerticalShift(a) * cellHeight};
}

}  // namespace quintaro
