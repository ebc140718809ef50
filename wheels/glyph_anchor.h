// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include "wheels/draw_surface.h"

namespace quintaro {

// Where a glyph is printed (the top-left corner of its cell) so that it stands on the glyph
// circle at a display angle and leans outwards, into the zodiac band: the cell is moved by
// fractions of its width and height that depend on the side of the wheel, and glyphs in the
// slots nearest the top and the bottom are centred step by step so that neighbours there do
// not collide.
Point GlyphAnchor(double angle, Point onCircle, double cellWidth, double cellHeight);

}  // namespace quintaro
