// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

namespace quintaro {

constexpr std::string_view SignAbbrev3 = "ARITAUGEMCANLEOVIRLIBSCOSAGCPRAQUPIS";
constexpr std::array<std::string_view, 13> SignNames3 = {
    "", "ari", "tau", "gem", "can", "leo", "vir", "lib", "sco", "sag", "cap", "aqu", "pis"};

// Upper-case abbreviation of sign 1 (Aries) .. 12 (Pisces).
constexpr std::string_view SignAbbrev(int sign) {
    return sign >= 1 && sign <= 12 ? SignAbbrev3.substr(3 * (sign - 1), 3) : std::string_view();
}

// Character code of a sign's glyph in the symbol font.
constexpr int SignGlyphCode(int sign) { return 128 + sign; }

}  // namespace quintaro
