// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/position_printouts.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "aspects/aspect_listing.h"
#include "core/degrees.h"
#include "core/formatting.h"
#include "core/houses.h"
#include "core/obliquity.h"
#include "core/plain_text.h"
#include "wheels/glyph_codes.h"
#include "wheels/title_block.h"

namespace quintaro {

namespace {

constexpr const char* kNotAvailable = "n/a";

std::string Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string BodyName(const BodyCatalogue& catalogue, int slot) {
    return Trimmed(slot <= 20 ? BodyLabel10(catalogue, slot) : catalogue.BodyNames[slot]);
}

PrintCell Plain(std::string text) {
    return {std::move(text), CellFont::Plain};
}

PrintCell Longitude(double value) {
    return {GridLongitudeText(value, false), CellFont::Mixed};
}

PrintCell Mark(const SlotMarks& marks, int slot) {
    const char mark = marks.at(slot);
    return Plain(mark == ' ' ? "" : std::string(1, mark));
}

const ChartState& ChartOf(const Workstation& ws, ChartSide side) {
    return side == ChartSide::Natal ? ws.natal : ws.transit;
}

const ChartKinds& KindsOf(const Workstation& ws, ChartSide side) {
    return side == ChartSide::Natal ? ws.record.Natal : ws.record.Transit;
}

const char* ChartLabel(ChartSide side) {
    return side == ChartSide::Natal ? "natal" : "transit";
}

std::vector<PrintLine> ChartLines(const ChartState& chart, ChartSide side) {
    std::vector<PrintLine> lines;
    for (std::string& line : ChartHeaderLines(ChartLabel(side), {chart.name, chart.data}))
        lines.push_back({std::move(line)});
    return lines;
}

// "Placidus houses     sidereal time 18H 41M 50S     JD 2451545.00000", and the harmonic and
// the sidereal zodiac when they are in use.
std::string ChartSetUpLine(const Workstation& ws, ChartSide side) {
    const ChartHouses& houses = ChartOf(ws, side).houses;
    std::string line = houses.PolarFallback
                           ? "Porphyry houses (" + std::string(HouseSystemName(ws.houseSystem)) +
                                 " has no cusps at this latitude)"
                           : std::string(HouseSystemName(ws.houseSystem)) + " houses";
    line += "     sidereal time " + Trimmed(houses.SiderealTimeText) + "     JD " +
            FormatNumber(houses.ChartJD, "0.00000");
    const int harmonic = side == ChartSide::Natal ? ws.harmonicNatal : ws.harmonicTransit;
    if (harmonic != 1) line += "     harmonic " + std::to_string(harmonic);
    if (ws.positions.sidereal.on) line += "     sidereal zodiac";
    return line;
}

std::vector<PrintLine> Header(const Workstation& ws, const char* title) {
    return {{ws.printout.line1}, {title, true}};
}

std::vector<std::string> NoticeNotes(const Workstation& ws) {
    return NoticeLines(ws.printout.notice);
}

PrintCell GlyphOf(const BodyCatalogue& catalogue, int slot) {
    const BodyGlyph glyph = ChooseBodyGlyph(catalogue, slot);
    return glyph.isGlyph ? PrintCell{GlyphText(glyph.glyphCode), CellFont::Glyph} : Plain("");
}

// One frame's two values of a body with the second value's direction mark: longitude, then
// declination or latitude. Blank where the body has no position in the frame, "n/a" where it
// could not be computed.
void AddFrameCells(PrintRow& row, const ChartKinds& kinds, int slot, bool helio, bool withRetro) {
    const bool has = HasFramePosition(slot, helio);
    const bool missing = kinds.missing(helio, slot);
    const PerSlot<double>& longitudes = helio ? kinds.HelioLong : kinds.GeoLong;
    const PerSlot<double>& seconds = helio ? kinds.HelioLat : kinds.GeoDecl;
    if (!has || missing) {
        const char* shown = has ? kNotAvailable : "";
        row.cells.push_back(Plain(shown));
        if (withRetro) row.cells.push_back(Plain(""));
        row.cells.push_back(Plain(shown));
        row.cells.push_back(Plain(""));
        return;
    }
    row.cells.push_back(Longitude(longitudes[slot]));
    if (withRetro) row.cells.push_back(Mark(kinds.GeoRetro, slot));
    row.cells.push_back(Plain(NorthSouthText(seconds[slot])));
    row.cells.push_back(Mark(helio ? kinds.HelioDirection : kinds.GeoDirection, slot));
}

bool PlacedGeocentrically(const ChartKinds& kinds, int slot) {
    return HasFramePosition(slot, false) && !kinds.missing(false, slot);
}

// The house of a body by its geocentric longitude. The chart's placement record is rewritten by
// every frame of the computation, so the printout places the bodies itself.
std::string HouseText(const ChartKinds& kinds, const ChartHouses& houses, int slot) {
    if (!PlacedGeocentrically(kinds, slot)) return "";
    const int house = HouseNumberOfCusp(HouseIndexOf(houses.HouseCusps, kinds.GeoLong[slot]));
    return house > 0 ? std::to_string(house) : "";
}

PrintTable BodiesTable(const Workstation& ws, ChartSide side) {
    PrintTable table;
    table.titles = {"#", "",      "Body",       "Longitude", "", "Decl",
                    "",  "House", "Helio Long", "Helio Lat", ""};
    const ChartKinds& kinds = KindsOf(ws, side);
    const ChartHouses& houses = ChartOf(ws, side).houses;
    for (int slot = 1; slot <= BodyCount; ++slot) {
        if (!ws.flags().of(side, slot)) continue;
        PrintRow row;
        row.cells = {Plain(std::to_string(slot)), GlyphOf(ws.catalogue, slot),
                     Plain(BodyName(ws.catalogue, slot))};
        AddFrameCells(row, kinds, slot, false, true);
        row.cells.push_back(Plain(HouseText(kinds, houses, slot)));
        AddFrameCells(row, kinds, slot, true, false);
        table.rows.push_back(std::move(row));
    }
    return table;
}

// The part of fortune from the geocentric Sun and Moon of the chart; none without them.
std::optional<double> GeocentricPartOfFortune(const Workstation& ws, ChartSide side) {
    const ChartKinds& kinds = KindsOf(ws, side);
    for (int slot : {SlotSun, SlotMoon})
        if (!ws.flags().of(side, slot) || !PlacedGeocentrically(kinds, slot)) return std::nullopt;
    return PartOfFortune(ChartOf(ws, side).houses.Ascendant, kinds.GeoLong[SlotMoon],
                         kinds.GeoLong[SlotSun]);
}

PrintRow PointRow(const char* name, double longitude, double declination) {
    return {"", {Plain(name), Longitude(longitude), Plain(NorthSouthText(declination))}};
}

PrintTable AnglesTable(const Workstation& ws, ChartSide side) {
    const ChartHouses& h = ChartOf(ws, side).houses;
    PrintTable table;
    table.titles = {"Point", "Longitude", "Decl"};
    table.rows = {PointRow("Asc", h.Ascendant, h.AscendantDecl),
                  PointRow("MC", h.Midheaven, h.MidheavenDecl),
                  PointRow("Vertex", h.Vertex, h.VertexDecl)};
    if (const auto fortune = GeocentricPartOfFortune(ws, side)) {
        // Declinations of points are taken with the true obliquity, as the angles' are.
        const double obliquity = TrueObliquity(h.ChartJD).radians * kRadToDeg;
        table.rows.push_back(
            PointRow("Part of Fortune", *fortune, EclipticDeclination(*fortune, obliquity)));
    } else {
        table.rows.push_back({"", {Plain("Part of Fortune"), Plain(kNotAvailable), Plain("")}});
    }
    table.rows.push_back({"House cusps", {}});
    for (int house = 1; house <= 12; ++house) {
        const int index = (house + 2) % 12 + 1;  // cusp index 4 is the first house
        table.rows.push_back({"",
                              {Plain(AsciiLower(Trimmed(HouseNumberLabel4(house)))),
                               Longitude(h.HouseCusps[index])}});
    }
    return table;
}

std::string PairName(const BodyCatalogue& catalogue, const Midpoint& midpoint) {
    return Trimmed(catalogue.BodyNames[midpoint.first]) + "/" +
           Trimmed(catalogue.BodyNames[midpoint.second]);
}

// The midpoints of one chart in zodiacal order; those of a body without a geocentric position
// are left out and its name goes to `leftOut`.
PrintTable MidpointTable(const Workstation& ws, ChartSide side, std::vector<std::string>& leftOut) {
    const ChartKinds& kinds = KindsOf(ws, side);
    auto placed = [&](int slot) { return PlacedGeocentrically(kinds, slot); };
    std::vector<Midpoint> midpoints;
    for (const Midpoint& m : ChartOf(ws, side).midpoints) {
        if (placed(m.first) && placed(m.second)) {
            midpoints.push_back(m);
            continue;
        }
        for (int slot : {m.first, m.second}) {
            const std::string name =
                std::string(ChartLabel(side)) + " " + Trimmed(ws.catalogue.BodyNames[slot]);
            if (!placed(slot) && std::find(leftOut.begin(), leftOut.end(), name) == leftOut.end())
                leftOut.push_back(name);
        }
    }
    std::stable_sort(midpoints.begin(), midpoints.end(), [](const Midpoint& a, const Midpoint& b) {
        return a.longitude < b.longitude;
    });
    PrintTable table;
    table.titles = {"#", "Pair", "Midpoint"};
    table.rows.push_back({side == ChartSide::Natal ? "Natal midpoints" : "Transit midpoints", {}});
    int number = 0;
    for (const Midpoint& m : midpoints)
        table.rows.push_back({"",
                              {Plain(std::to_string(++number)), Plain(PairName(ws.catalogue, m)),
                               Longitude(m.longitude)}});
    return table;
}

}  // namespace

std::string NorthSouthText(double degrees) {
    const long minutes = std::lround(std::fabs(degrees) * 60.0);
    return FormatNumber(static_cast<double>(minutes / 60), "00") + (degrees < 0 ? "S" : "N") +
           FormatNumber(static_cast<double>(minutes % 60), "00");
}

bool HasFramePosition(int slot, bool helio) {
    if (!helio) return slot != SlotEarth;
    switch (slot) {
        case SlotSun:
        case SlotMoon:
        case SlotNode:
        case SlotAscendant:
        case SlotMidheaven:
        case SlotPartOfFortune:
            return false;
        default:
            return true;
    }
}

PrintDocument PositionsDocument(const Workstation& ws, ChartSide side, std::string name) {
    PrintDocument document;
    document.name = std::move(name);
    const ChartState& chart = ChartOf(ws, side);
    document.header =
        Header(ws, side == ChartSide::Natal ? "Natal Positions" : "Transit Positions");
    for (PrintLine& line : ChartLines(chart, side)) document.header.push_back(std::move(line));
    document.header.push_back({ChartSetUpLine(ws, side)});
    document.runningHead = document.header[1].text + "   " + document.header[2].text;
    document.tables = {BodiesTable(ws, side), AnglesTable(ws, side)};
    document.notes = {
        "R retrograde;  r, f: declination or latitude rising (northwards) or falling;  "
        "n/a: no position could be computed"};
    for (std::string& line : NoticeNotes(ws)) document.notes.push_back(std::move(line));
    return document;
}

PrintDocument MidpointsDocument(const Workstation& ws, std::string name) {
    PrintDocument document;
    document.name = std::move(name);
    document.header = Header(ws, "Midpoints");
    for (ChartSide side : {ChartSide::Natal, ChartSide::Transit})
        for (PrintLine& line : ChartLines(ChartOf(ws, side), side))
            document.header.push_back(std::move(line));
    document.runningHead =
        "Midpoints   " + document.header[2].text + "   " + document.header[5].text;
    std::vector<std::string> leftOut;
    document.tables = {MidpointTable(ws, ChartSide::Natal, leftOut),
                       MidpointTable(ws, ChartSide::Transit, leftOut)};
    for (const std::string& body : leftOut)
        document.notes.push_back("Midpoints of " + body + " are left out: it has no position.");
    for (std::string& line : NoticeNotes(ws)) document.notes.push_back(std::move(line));
    return document;
}

}  // namespace quintaro
