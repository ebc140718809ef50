// SPDX-License-Identifier: AGPL-3.0-or-later
#include "places/search_text.h"

#include <glib.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <numeric>
#include <optional>
#include <vector>

namespace quintaro {

namespace {

// Letters that Unicode does not decompose into a base letter and a mark.
const char* SpelledOut(gunichar c) {
    switch (c) {
        case 0x00DF:
            return "ss";  // ß
        case 0x00E6:
            return "ae";  // æ
        case 0x0153:
            return "oe";  // œ
        case 0x00F8:
            return "o";  // ø
        case 0x0142:
            return "l";  // ł
        case 0x0111:
            return "d";  // đ
        case 0x00F0:
            return "d";  // ð
        case 0x00FE:
            return "th";  // þ
        case 0x0131:
            return "i";  // dotless i
        case 0x0127:
            return "h";  // ħ
        case 0x0167:
            return "t";  // ŧ
        default:
            return nullptr;
    }
}

bool IsApostrophe(gunichar c) {
    return c == '\'' || c == '`' || c == 0x2019 || c == 0x2018 || c == 0x02BC || c == 0x02BB ||
           c == 0x00B4;
}

// UTF-8 as it is, or the bytes of a text that is not UTF-8 read as Latin-1.
std::string AsUtf8(std::string_view text) {
    if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr))
        return std::string(text);
    std::string utf8;
    for (unsigned char byte : text) {
        if (byte < 0x80) {
            utf8 += static_cast<char>(byte);
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

struct GFreeDeleter {
    void operator()(gchar* p) const { g_free(p); }
};
using GText = std::unique_ptr<gchar, GFreeDeleter>;

// The common case of a plain ASCII name, without the round trip through Unicode tables.
std::optional<std::string> FoldAscii(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool blank = false;
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return std::nullopt;
        if (c == '\'' || c == '`') continue;
        if (std::isalnum(static_cast<unsigned char>(c))) {
            if (blank && !out.empty()) out += ' ';
            blank = false;
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else {
            blank = true;
        }
    }
    return out;
}

}  // namespace

std::string FoldForSearch(std::string_view text) {
    if (std::optional<std::string> ascii = FoldAscii(text)) return *ascii;
    const std::string utf8 = AsUtf8(text);
    // Case first (it may spell letters out), then the compatibility decomposition that puts
    // each mark after its letter.
    GText folded(g_utf8_casefold(utf8.data(), static_cast<gssize>(utf8.size())));
    GText decomposed(g_utf8_normalize(folded.get(), -1, G_NORMALIZE_NFKD));
    std::string out;
    bool blank = false;
    for (const gchar* p = decomposed.get(); *p; p = g_utf8_next_char(p)) {
        const gunichar c = g_utf8_get_char(p);
        if (g_unichar_ismark(c) || IsApostrophe(c)) continue;
        if (const char* spelled = SpelledOut(c)) {
            if (blank && !out.empty()) out += ' ';
            blank = false;
            out += spelled;
        } else if (g_unichar_isalnum(c)) {
            if (blank && !out.empty()) out += ' ';
            blank = false;
            char bytes[6];
            out.append(bytes, static_cast<size_t>(g_unichar_to_utf8(c, bytes)));
        } else {
            blank = true;
        }
    }
    return out;
}

int EditDistance(std::string_view a, std::string_view b) {
    // Three rows of the table: two letters swapped count as one edit.
    std::vector<int> before(b.size() + 1), previous(b.size() + 1), row(b.size() + 1);
    std::iota(previous.begin(), previous.end(), 0);
    for (size_t i = 1; i <= a.size(); ++i) {
        row[0] = static_cast<int>(i);
        for (size_t j = 1; j <= b.size(); ++j) {
            const int cost = a[i - 1] != b[j - 1];
            row[j] = std::min({previous[j] + 1, row[j - 1] + 1, previous[j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                row[j] = std::min(row[j], before[j - 2] + 1);
        }
        std::swap(before, previous);
        std::swap(previous, row);
    }
    return previous[b.size()];
}

}  // namespace quintaro
