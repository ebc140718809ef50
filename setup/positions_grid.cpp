// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/positions_grid.h"

#include <cmath>

#include "core/degrees.h"
#include "core/formatting.h"
#include "core/glyph_text.h"
#include "core/signs.h"

namespace quintaro {

namespace {

// A missing position has no value; its cell stays blank.
std::optional<double> Value(const PerSlot<double>& values, const PerSlot<bool>& missing, int slot) {
    if (missing[slot]) return std::nullopt;
    return values[slot];
}

std::string GridName(const BodyCatalogue& catalogue, int slot) {
    std::string name =
        slot <= 20 ? std::string(BodyLabel10(catalogue, slot)) : catalogue.BodyNames[slot];
    name = name.substr(0, 3);
    return name == "N. " ? "N.N" : name;
}

}  // namespace

std::vector<std::string> PositionsGridTitles() {
    return {"#", "Pl", "G Long", "G Decl", "H Long", "H Lat"};
}

std::string GridSecondText(std::optional<double> value) {
    return value ? FormatNumber(*value, "0.00") : std::string();
}

std::string GridLongitudeText(std::optional<double> longitude, bool degreesMode) {
    if (!longitude) return {};
    double value = Norm360(*longitude);
    if (degreesMode) {
        return FormatNumber(DegreeInSign(value), "00.00") + GlyphChar(SignGlyphCode(SignOf(value)));
    }
    // Whole minutes, rounded; 29°59.7' becomes 0°00' of the next sign rather than 29°60'.
    long minutes = std::lround(value * 60.0) % (360 * 60);
    int sign = static_cast<int>(minutes / (30 * 60)) + 1;
    long withinSign = minutes % (30 * 60);
    return FormatNumber(static_cast<double>(withinSign / 60), "00") +
           GlyphChar(SignGlyphCode(sign)) +
           FormatNumber(static_cast<double>(withinSign % 60), "00");
}

PositionsGrid BuildPositionsGrid(const ChartPositions& record, const BodyCatalogue& catalogue,
                                 const SelectionFlags& flags, const PositionsGridOptions& options) {
    PositionsGrid grid;
    grid.rows.push_back(PositionsGridTitles());
    const ChartKinds& natal = record.Natal;
    const ChartKinds& longitudes = options.showTransitLongitudes ? record.Transit : record.Natal;
    for (int slot = 1; slot <= BodyCount; ++slot) {
        grid.rows.push_back({
            FormatNumber(slot, "00"),
            flags.natal(slot) ? GridName(catalogue, slot) : std::string(),
            GridLongitudeText(Value(longitudes.GeoLong, longitudes.GeoMissing, slot),
                              options.degreesMode),
            GridSecondText(Value(natal.GeoDecl, natal.GeoMissing, slot)),
            GridLongitudeText(Value(longitudes.HelioLong, longitudes.HelioMissing, slot),
                              options.degreesMode),
            GridSecondText(Value(natal.HelioLat, natal.HelioMissing, slot)),
        });
    }
    return grid;
}

}  // namespace quintaro
