// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/messages.h"

namespace quintaro {

// The outlines of the glyph font as SVG path data, so that a surface can draw the glyphs as
// paths on a machine without the font. The font build writes them beside the font file
// (tools/font/make_orvessa.py); the file format:
//   orvessa-paths 1
//   units <units per em> <ascent> <descent>
//   <code point> <advance> <path data in font units, y upwards; commands M L Q Z only>
// one glyph per line, the path empty for a blank.

constexpr std::string_view GlyphOutlinesFileName = "orvessa_paths.txt";

struct GlyphOutline {
    double advance = 0;
    std::string path;
};

struct GlyphOutlines {
    double unitsPerEm = 0;
    double ascent = 0;
    double descent = 0;
    std::map<char32_t, GlyphOutline> glyphs;

    bool empty() const { return glyphs.empty(); }
    // The outline of a code point, nullptr when the font has none. U+F080..U+F0FF find the
    // glyph of the code point 0xF000 lower, as the font maps them.
    const GlyphOutline* find(char32_t codePoint) const;
};

// Reads the text of an outline file; on a fault returns nothing and says where in error.
std::optional<GlyphOutlines> ParseGlyphOutlines(std::string_view text, std::string& error);

// Reads an outline file; a missing or faulty file is reported and gives nothing.
std::optional<GlyphOutlines> LoadGlyphOutlines(const std::filesystem::path& file,
                                               Messages& messages);

}  // namespace quintaro
