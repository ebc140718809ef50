// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "aspects/aspect_catalogue.h"  // AspectGlyphCode
#include "core/bodies.h"
#include "core/signs.h"

namespace quintaro {

// Character codes of the glyph font "Orvessa" (the full map is in docs/glyph-font.md):
// - "a".."z" and "1".."9": the glyph letters of the 35-body list ("h" Saturn, "s" Sun, ...);
// - 129..140: the signs Aries..Pisces (SignGlyphCode in core/signs.h);
// - 159 + aspect code: the aspects 2..16 and 18 (161 conjunction, 166 parallel, 177
//   contra-parallel); 160 is a blank for "no aspect";
// - 141..146: ascendant, midheaven, part of fortune, vertex, south node, retrograde mark;
// - 215..237: the 23 asteroids of GlyphAsteroids (core/bodies.h).
// Codes from 128 on are also found at U+F000 + code.

constexpr std::string_view GlyphFontName = "Orvessa";
constexpr std::string_view GlyphFontFileName = "Orvessa.ttf";

constexpr int NoAspectGlyph = 160;
constexpr int AscendantGlyph = 141;
constexpr int MidheavenGlyph = 142;
constexpr int PartOfFortuneGlyph = 143;
constexpr int VertexGlyph = 144;
constexpr int SouthNodeGlyph = 145;
constexpr int RetrogradeGlyph = 146;

constexpr int AsteroidGlyphCode(int index) {
    return index >= 0 && index < static_cast<int>(GlyphAsteroids.size())
               ? FirstAsteroidGlyph + index
               : 0;
}

// Glyph of catalogue slots 1..20: the 35-body list's letter for the bodies 1..17 (matched by
// their three-letter names), the point glyphs for 18..20. 0 for any other slot.
int SlotGlyphCode(int slot, bool vertexOn);

// The UTF-8 text that prints one glyph: the character whose code point is the glyph code.
std::string GlyphText(int code);

// Whether a font name names the glyph font (case ignored).
bool IsGlyphFont(std::string_view fontName);

}  // namespace quintaro
