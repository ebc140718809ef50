// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace quintaro {

// The 35-body list of the ephemeris production tools.
struct ExtendedBody {
    std::string_view name;
    std::string_view abbrev3;
    std::string_view glyph;     // letter or digit in the symbol font
    std::string_view fileCode;  // two letters used in file names
    std::string_view mark;
};

extern const std::array<ExtendedBody, 35> ExtendedBodies;

// The three groups of the list: classical bodies (1..17), distant bodies (18..24),
// asteroids (25..35).
std::span<const ExtendedBody> ClassicalBodies();
std::span<const ExtendedBody> DistantBodies();
std::span<const ExtendedBody> ExtraAsteroids();

}  // namespace quintaro
