// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/bodies.h"
#include "core/chart_positions.h"

namespace quintaro {

// The positions grid of the entry window: a header row and one row per slot, six columns.
// Sign glyphs are glyph characters (core/glyph_text.h).
struct PositionsGrid {
    static constexpr std::string_view FormatString =
        "^#  |^Pl |^G Long   |^G Decl   |^H Long   |^H Lat   ";
    std::vector<std::vector<std::string>> rows;  // rows[0] is the header
};

struct PositionsGridOptions {
    bool degreesMode = false;            // "Degrees": decimal degrees within the sign
    bool showTransitLongitudes = false;  // the bisect chart shows the transit longitudes
};

// A longitude as the grid shows it: degrees within the sign "00", the sign glyph, minutes "00";
// in degrees mode "00.00" and the glyph. The "no value" mark shows as 0.
std::string GridLongitudeText(double longitude, bool degreesMode);

PositionsGrid BuildPositionsGrid(const ChartPositions& record, const BodyCatalogue& catalogue,
                                 std::string_view flags, const PositionsGridOptions& options);

}  // namespace quintaro
