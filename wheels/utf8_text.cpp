// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/utf8_text.h"

namespace quintaro {

namespace {

constexpr char32_t Replacement = 0xFFFD;

bool IsScalarValue(char32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

// Length of the sequence a lead byte announces and the payload bits it carries; 0 for a byte
// that cannot begin a sequence.
int SequenceLength(unsigned char lead, char32_t& bits) {
    if (lead < 0x80) return bits = lead, 1;
    if ((lead & 0xE0) == 0xC0) return bits = lead & 0x1F, 2;
    if ((lead & 0xF0) == 0xE0) return bits = lead & 0x0F, 3;
    if ((lead & 0xF8) == 0xF0) return bits = lead & 0x07, 4;
    return 0;
}

}  // namespace

std::u32string DecodeUtf8(std::string_view text) {
    static constexpr char32_t smallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    std::u32string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t c = 0;
        int length = SequenceLength(static_cast<unsigned char>(text[i]), c);
        if (length == 0) {
            out.push_back(Replacement);
            ++i;
            continue;
        }
        int taken = 1;
        while (taken < length && i + taken < text.size() &&
               (static_cast<unsigned char>(text[i + taken]) & 0xC0) == 0x80) {
            c = (c << 6) | (static_cast<unsigned char>(text[i + taken]) & 0x3F);
            ++taken;
        }
        bool whole = taken == length && c >= smallest[length] && IsScalarValue(c);
        out.push_back(whole ? c : Replacement);
        i += taken;
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (!IsScalarValue(c)) c = Replacement;
    auto byte = [&](char32_t v) { out.push_back(static_cast<char>(v)); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0 | (c >> 6));
        byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | (c >> 12));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | (c >> 18));
        byte(0x80 | ((c >> 12) & 0x3F));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    }
}

}  // namespace quintaro
