// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/glyph_codes.h"

#include <algorithm>
#include <cctype>

#include "core/extended_bodies.h"
#include "wheels/utf8_text.h"

namespace quintaro {

int SlotGlyphCode(int slot, bool vertexOn) {
    switch (slot) {
        case SlotAscendant:
            return AscendantGlyph;
        case SlotMidheaven:
            return MidheavenGlyph;
        case SlotPartOfFortune:
            return vertexOn ? VertexGlyph : PartOfFortuneGlyph;
    }
    if (slot < 1 || slot >= static_cast<int>(BodyAbbrev3.size())) return 0;
    auto it = std::find_if(ExtendedBodies.begin(), ExtendedBodies.end(),
                           [&](const ExtendedBody& b) { return b.abbrev3 == BodyAbbrev3[slot]; });
    return it == ExtendedBodies.end() || it->glyph.empty()
               ? 0
               : static_cast<unsigned char>(it->glyph.front());
}

std::string GlyphText(int code) {
    std::string text;
    if (code > 0) AppendUtf8(text, static_cast<char32_t>(code));
    return text;
}

bool IsGlyphFont(std::string_view fontName) {
    return std::equal(fontName.begin(), fontName.end(), GlyphFontName.begin(), GlyphFontName.end(),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

}  // namespace quintaro
