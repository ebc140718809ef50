// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/positions_grid.h"

#include <cmath>

#include "core/degrees.h"
#include "core/formatting.h"
#include "core/glyph_text.h"
#include "core/signs.h"

namespace quintaro {

namespace {

// Nothing where the slot is not selected, has no position in the frame or none was computed.
std::optional<double> Value(const PerSlot<double>& values, const PerSlot<bool>& missing, int slot,
                            bool selected, bool helio) {
    if (!selected || !SlotHasFramePosition(slot, helio) || missing[slot]) return std::nullopt;
    return values[slot];
}

std::string DeclinationText(std::optional<double> value) {
    return value ? FormatNumber(*value, "0.00") : std::string();
}

// The points the entry window has check boxes for are named even while they are off.
bool AlwaysNamed(int slot) {
    return slot == SlotNode || slot == SlotAscendant || slot == SlotMidheaven ||
           slot == SlotPartOfFortune;
}

std::string GridName(const BodyCatalogue& catalogue, int slot) {
    switch (slot) {
        case SlotNode:
            return "N.N";
        case SlotMidheaven:
            return "MC";
        case SlotPartOfFortune:
            return catalogue.VertexOn ? "VTX" : "PF";
        default:
            break;
    }
    std::string name =
        slot <= 20 ? std::string(BodyLabel10(catalogue, slot)) : catalogue.BodyNames[slot];
    return name.substr(0, 3);
}

}  // namespace

std::vector<std::string> PositionsGridTitles() {
    return {"#", "Pl", "G Long", "G Decl", "H Long", "H Lat"};
}

bool SlotHasFramePosition(int slot, bool helio) {
    if (helio)
        return slot != SlotSun && slot != SlotMoon && slot != SlotNode &&
               !(slot >= SlotAscendant && slot <= SlotPartOfFortune);
    return slot != SlotEarth;
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
        const bool selected = flags.natal(slot);
        auto value = [&](const ChartKinds& kinds, bool helio, const PerSlot<double>& values) {
            const bool chosen = &kinds == &record.Transit ? flags.transit(slot) : selected;
            return Value(values, helio ? kinds.HelioMissing : kinds.GeoMissing, slot, chosen,
                         helio);
        };
        grid.rows.push_back({
            FormatNumber(slot, "00"),
            selected || AlwaysNamed(slot) ? GridName(catalogue, slot) : std::string(),
            GridLongitudeText(value(longitudes, false, longitudes.GeoLong), options.degreesMode),
            DeclinationText(value(natal, false, natal.GeoDecl)),
            GridLongitudeText(value(longitudes, true, longitudes.HelioLong), options.degreesMode),
            DeclinationText(value(natal, true, natal.HelioLat)),
        });
    }
    return grid;
}

}  // namespace quintaro
