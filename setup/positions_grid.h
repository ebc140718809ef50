// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bodies.h"
#include "core/chart_positions.h"
#include "core/selection_flags.h"

namespace quintaro {

// The positions grid of the entry window: a header row and one row per slot, six columns.
// Sign glyphs are glyph characters (core/glyph_text.h).
struct PositionsGrid {
    std::vector<std::vector<std::string>> rows;  // rows[0] is the header
};

// The column titles: "#", "Pl", "G Long", "G Decl", "H Long", "H Lat".
std::vector<std::string> PositionsGridTitles();

struct PositionsGridOptions {
    bool degreesMode = false;            // "Degrees": decimal degrees within the sign
    bool showTransitLongitudes = false;  // the bisect chart shows the transit longitudes
};

// A longitude as the grid shows it: degrees within the sign "00", the sign glyph, minutes "00";
// in degrees mode "00.00" and the glyph. No position gives an empty text.
std::string GridLongitudeText(std::optional<double> longitude, bool degreesMode);

// Whether a slot has a position in a frame at all: the Earth has no geocentric one; the Sun, the
// Moon, the node and the points of the houses (slots 18..20) have no heliocentric one.
bool SlotHasFramePosition(int slot, bool helio);

// Names are listed for bodies whose natal flag is set and for the node, ascendant, midheaven and
// slot 20, whose check boxes the entry window shows; values only where the body is selected and
// its position could be computed, every other cell is blank.
PositionsGrid BuildPositionsGrid(const ChartPositions& record, const BodyCatalogue& catalogue,
                                 const SelectionFlags& flags, const PositionsGridOptions& options);

}  // namespace quintaro
