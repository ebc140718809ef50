// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/text_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace quintaro {

namespace {

// Code points of the bytes 0x80..0x9F; the five bytes the code page leaves free stand for
// themselves.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodePointOfByte(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
    return byte;
}

// The byte for a code point, or nothing (-1) when the code page has none.
int ByteOfCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    auto it = std::find(kHighControls.begin(), kHighControls.end(), cp);
    if (it != kHighControls.end()) return 0x80 + static_cast<int>(it - kHighControls.begin());
    return -1;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at the front of text; its length in `length`, or 0 when the bytes
// there are no valid sequence.
char32_t DecodeUtf8(std::string_view text, size_t& length) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(0);
    size_t need = lead >= 0xF0 && lead < 0xF5   ? 4
                  : lead >= 0xE0 && lead < 0xF0 ? 3
                  : lead >= 0xC2 && lead < 0xE0 ? 2
                                                : 0;
    length = 0;
    if (need == 0 || text.size() < need) return 0;
    char32_t cp = lead & (0x7F >> need);
    for (size_t i = 1; i < need; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i) & 0x3F);
    }
    static constexpr char32_t kLowest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kLowest[need] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    length = need;
    return cp;
}

}  // namespace

std::string FileTextToUtf8(std::string_view bytes) {
    bool ascii = std::all_of(bytes.begin(), bytes.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) AppendUtf8(out, CodePointOfByte(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToFileText(std::string_view text, size_t maxChars) {
    std::string out;
    out.reserve(std::min(text.size(), maxChars));
    while (!text.empty() && out.size() < maxChars) {
        unsigned char lead = static_cast<unsigned char>(text.front());
        if (lead < 0x80) {
            out += text.front();
            text.remove_prefix(1);
            continue;
        }
        size_t length = 0;
        char32_t cp = DecodeUtf8(text, length);
        if (length == 0) {  // not UTF-8: the byte is taken as a file byte already
            out += text.front();
            text.remove_prefix(1);
            continue;
        }
        int byte = ByteOfCodePoint(cp);
        out += byte < 0 ? '?' : static_cast<char>(byte);
        text.remove_prefix(length);
    }
    return out;
}

}  // namespace quintaro
