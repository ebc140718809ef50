// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <vector>

namespace quintaro {

// The glyphs of a wheel are printed at a fixed point size; where two glyphs in neighbouring
// slots would touch at that size (slots close to the horizontal, a small window, the smaller
// wheels of the duo) those two are printed smaller, just enough that they do not, and never
// below MinGlyphScale of the size. A glyph printed smaller stays inside the room it would take at
// full size, so making one glyph smaller never makes it touch another.

constexpr double MinGlyphScale = 0.3;

// The size of a printed glyph at the nominal font size, user units.
struct GlyphExtent {
    double width = 0;
    double height = 0;
};

// One placed glyph: its display angle and its size at the nominal font size.
struct GlyphToFit {
    double angle = 0;
    GlyphExtent extent;
};

// For each glyph the factor, at most 1, by which its nominal size is multiplied so that no two
// glyphs overlap, each printed at the anchor that GlyphAnchor gives on the glyph circle for a
// cell of `cell` (scaled) plus `cellMargin` (not scaled).
std::vector<double> FittingGlyphScales(const std::vector<GlyphToFit>& glyphs, GlyphExtent cell,
                                       double cellMargin, double glyphRadius);

}  // namespace quintaro
