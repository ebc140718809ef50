// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include "wheels/draw_surface.h"
#include "wheels/wheel_input.h"
#include "wheels/wheel_layout.h"

namespace quintaro {

constexpr double ScreenSlotFontSize = 12.6;
constexpr double PrinterSlotFontSize = 13;
constexpr double ScreenGlyphFontSize = 12;
constexpr double PrinterGlyphFontSize = 16;
constexpr int GlyphCellSampleCode = 236;
constexpr double GlyphCellMargin = 1;  // user units added to the measured glyph cell

constexpr Color NatalGlyphColor = QbColor(0);
constexpr Color TransitGlyphColor = QbColor(12);

// Draws the whole chart wheel in order: scale, background, ring with the lens divisions, body
// glyphs with their degree labels, aspect lines, title block. Returns where the glyphs went.
WheelLayout DrawWheel(DrawSurface& surface, const WheelInput& input);

// The ring: the band's two circles and a division line every 360 / lens degrees.
void DrawRing(DrawSurface& surface, int lens, const WheelTarget& target);

// Whether wheel body 1..2N is shown: selected, in use, and with a position in the wheel's
// coordinate kind (no Earth geocentrically; no Sun, Moon, node, angles or slot 20
// heliocentrically).
bool IsDisplayedBody(const WheelInput& input, int body);

}  // namespace quintaro
