// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/glyph_text.h"

#include "core/signs.h"

namespace quintaro {

std::string GlyphChar(int code) {
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

std::string GlyphsAsPlainText(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        auto lead = static_cast<unsigned char>(text[i]);
        if ((lead == 0xC2 || lead == 0xC3) && i + 1 < text.size()) {
            int code = ((lead & 0x1F) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F);
            ++i;
            if (code >= 129 && code <= 140)
                out += SignAbbrev(code - 128);
            else
                out += "<" + std::to_string(code) + ">";
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace quintaro
