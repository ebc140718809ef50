// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/positions_grid.h"

#include <cmath>

#include "core/degrees.h"
#include "core/ephemeris.h"
#include "core/formatting.h"
#include "core/glyph_text.h"
#include "core/signs.h"

namespace quintaro {

namespace {

double ShownValue(double value) { return value == NoValue ? 0.0 : value; }

std::string GridName(const BodyCatalogue& catalogue, int slot) {
    std::string name = slot <= 20 ? std::string(BodyLabel10(catalogue, slot))
                                  : catalogue.BodyNames[slot];
    name = name.substr(0, 3);
    return name == "N. " ? "N.N" : name;
}

std::vector<std::string> HeaderRow() {
    std::vector<std::string> header;
    std::string_view format = PositionsGrid::FormatString;
    size_t start = 0;
    while (start <= format.size()) {
        size_t bar = format.find('|', start);
        std::string_view cell = format.substr(start, bar == std::string_view::npos ? bar : bar - start);
        if (!cell.empty() && cell.front() == '^') cell.remove_prefix(1);
        while (!cell.empty() && cell.back() == ' ') cell.remove_suffix(1);
        header.emplace_back(cell);
        if (bar == std::string_view::npos) break;
        start = bar + 1;
    }
    return header;
}

}  // namespace

std::string GridLongitudeText(double longitude, bool degreesMode) {
    double value = Norm360(ShownValue(longitude));
    if (degreesMode) {
        return FormatNumber(DegreeInSign(value), "00.00") + GlyphChar(SignGlyphCode(SignOf(value)));
    }
    // Whole minutes, rounded; 29°59.7' becomes 0°00' of the next sign rather than 29°60'.
    long minutes = std::lround(value * 60.0) % (360 * 60);
    int sign = static_cast<int>(minutes / (30 * 60)) + 1;
    long withinSign = minutes % (30 * 60);
    return FormatNumber(static_cast<double>(withinSign / 60), "00") +
           GlyphChar(SignGlyphCode(sign)) + FormatNumber(static_cast<double>(withinSign % 60), "00");
}

PositionsGrid BuildPositionsGrid(const ChartPositions& record, const BodyCatalogue& catalogue,
                                 std::string_view flags, const PositionsGridOptions& options) {
    PositionsGrid grid;
    grid.rows.push_back(HeaderRow());
    const ChartKinds& natal = record.Natal;
    const ChartKinds& longitudes = options.showTransitLongitudes ? record.Transit : record.Natal;
    for (int slot = 1; slot <= BodyCount; ++slot) {
        bool selected = static_cast<size_t>(slot) <= flags.size() && flags[slot - 1] != '0';
        grid.rows.push_back({
            FormatNumber(slot, "00"),
            selected ? GridName(catalogue, slot) : std::string(),
            GridLongitudeText(longitudes.GeoLong[slot], options.degreesMode),
            FormatNumber(ShownValue(natal.GeoDecl[slot]), "0.00"),
            GridLongitudeText(longitudes.HelioLong[slot], options.degreesMode),
            FormatNumber(ShownValue(natal.HelioLat[slot]), "0.00"),
        });
    }
    return grid;
}

}  // namespace quintaro
