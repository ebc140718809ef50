// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <vector>

#include "wheels/draw_surface.h"
#include "wheels/glyph_slots.h"
#include "wheels/wheel_geometry.h"
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

// One wheel among others on a surface: its own scale, with the origin at its centre, and the
// base radius of its ring.
struct WheelPass {
    UserScale scale;
    double baseRadius = RingBaseRadius;
};

// The ring: the band's two circles and a division line every 360 / lens degrees.
void DrawRing(DrawSurface& surface, int lens, const WheelTarget& target,
              double baseRadius = RingBaseRadius);

// The bodies' glyphs at their slots with their degree labels, then the aspect lines between
// them, in the pass's scale (which it sets); neither the ring nor the title. The glyph font is
// made smaller where neighbouring glyphs would touch (glyph_fit.h).
WheelLayout DrawPlacedBodies(DrawSurface& surface, const WheelInput& input, const WheelPass& pass,
                             const std::vector<SlotPlacement>& placements);

// The bodies the wheel shows, with their longitudes and display sectors.
std::vector<SlotRequest> DisplayedBodies(const WheelInput& input);

// Whether wheel body 1..2N is shown: selected, in use, and with a position in the wheel's
// coordinate kind (no Earth geocentrically; no Sun, Moon, node, angles or slot 20
// heliocentrically).
bool IsDisplayedBody(const WheelInput& input, int body);

// The colour of a body's glyph: natal black, transit red.
Color BodyColor(int body);

// What prints a body's glyph: one character of the glyph font, or two letters (in the text
// font) for a free-slot body without a glyph of its own.
struct BodyGlyphText {
    std::string text;
    bool inGlyphFont = true;
};
BodyGlyphText GlyphOfBody(const BodyCatalogue& catalogue, int slot);

}  // namespace quintaro
