// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quintaro {

// Texts that mix plain letters with symbol-font glyphs carry each glyph as the character whose
// code is the glyph's code in the font (signs 129..140, aspects 159 + code, asteroids 215..237),
// encoded as UTF-8, so a window shows them in the glyph font as they are.
std::string GlyphChar(int code);

// Replaces the glyph characters 128..255 of a UTF-8 text with readable words for plain-text
// output: signs by their three-letter abbreviation, other glyphs as "<code>".
std::string GlyphsAsPlainText(std::string_view text);

}  // namespace quintaro
