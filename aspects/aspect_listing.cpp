// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/aspect_listing.h"

#include <cmath>

#include "aspects/aspect_catalogue.h"
#include "core/formatting.h"
#include "core/glyph_text.h"

namespace quintaro {

namespace {

// Plain-text widths of the eight columns, and the gap between two tables.
constexpr std::array<size_t, GridColumnCount> kWidths = {2, 4, 7, 5, 6, 9, 10, 19};
constexpr size_t kTableGap = 4;

std::vector<std::string> TitleLines(const ListingInputs& inputs) {
    return {inputs.noticeLine, inputs.helio ? "Heliocentric Aspects" : "Geocentric Aspects"};
}

std::string PadTo(std::string text, size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

// Aspect glyphs printed as words where there is no symbol font.
std::string PlainAspect(const std::string& cell) {
    if (cell == GlyphChar(AspectGlyphCode(AspectParallel))) return std::string(AspectarianKeys[16]);
    if (cell == GlyphChar(AspectGlyphCode(AspectContraParallel)))
        return std::string(AspectarianKeys[17]);
    return GlyphsAsPlainText(cell);
}

size_t TableWidth(const ListingTable& table) {
    size_t width = 0;
    for (size_t c = 0; c < GridColumnCount; ++c)
        if (table.exactColumns || (c != ColumnTimeSep && c != ColumnDate)) width += kWidths[c];
    return width;
}

std::string RenderCells(const std::array<std::string, GridColumnCount>& cells, bool glyph,
                        const ListingTable& table) {
    std::string out;
    for (size_t c = 0; c < GridColumnCount; ++c) {
        if (!table.exactColumns && (c == ColumnTimeSep || c == ColumnDate)) continue;
        std::string text = c == ColumnAspect && glyph ? PlainAspect(cells[c]) : cells[c];
        out += PadTo(text + " ", kWidths[c]);
    }
    return out;
}

std::string RenderLine(const ListingTable& table, size_t i) {
    if (i >= table.lines.size()) return std::string(TableWidth(table), ' ');
    const ListingLine& line = table.lines[i];
    if (!line.sectionTitle.empty()) return PadTo(line.sectionTitle, TableWidth(table));
    return RenderCells(line.cells, line.glyphAspect, table);
}

void RightTrim(std::string& text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
}

}  // namespace

std::vector<std::string> ChartHeaderLines(const std::string& label, const ListingChart& chart) {
    const ChartData& d = chart.data;
    DateTimeParts date;
    date.year = d.year;
    date.month = d.month;
    date.day = d.day;
    std::string moment = FormatDate(date, "dd mmm yyyy") + "     " +
                         FormatNumber(d.time.clock.hhmm(), "#0.00") + " " +
                         MeridiemText(d.time.meridiem) + " (" + FormatNumber(d.zone, "0.##") + ")";
    std::string place = FormatNumber(d.longitude.angle.hhmm(), "##0.00") + " " +
                        EastWestWord(d.longitude.side) + "     " +
                        FormatNumber(d.latitude.angle.hhmm(), "#0.00") + " " +
                        NorthSouthWord(d.latitude.side);
    return {label + " = " + chart.name, moment, place};
}

ListingTable ListingTableOf(const GridModel& grid, int displayMode) {
    ListingTable table;
    table.exactColumns = grid.timedInUse;
    bool transit = PairingOfDisplayMode(displayMode) == Pairing::TransitNatal;
    table.columnTitles = {"",
                          " # ",
                          transit ? "Tr" : "Nt",
                          "Asp",
                          "Nt",
                          "Orb",
                          table.exactColumns ? "Exact" : std::string(5, ' '),
                          table.exactColumns ? "Exact Time" : std::string(10, ' ')};
    for (const GridSection& section : grid.sections) {
        if (section.rows.empty()) continue;
        ListingLine title;
        title.sectionTitle = section.title;
        table.lines.push_back(title);
        for (const GridRow& row : section.rows) {
            ListingLine line;
            line.cells = row.cells;
            line.glyphAspect = !IsLongitudeKind(section.kind);
            table.lines.push_back(std::move(line));
        }
    }
    return table;
}

ListingPage BuildNatalAspectsListing(const ListingInputs& inputs, const GridModel& longitudes,
                                     const GridModel& declinations) {
    ListingPage page;
    page.header = TitleLines(inputs);
    for (auto& line : ChartHeaderLines("natal", inputs.natal)) page.header.push_back(line);
    if (PairingOfDisplayMode(inputs.displayMode) == Pairing::TransitNatal)
        for (auto& line : ChartHeaderLines("transit", inputs.transit)) page.header.push_back(line);
    page.tables = {ListingTableOf(longitudes, inputs.displayMode),
                   ListingTableOf(declinations, inputs.displayMode)};
    page.lineCount = std::max(page.tables[0].lines.size(), page.tables[1].lines.size());
    return page;
}

ListingPage BuildSinglePlanetListing(const ListingInputs& inputs, const GridModel& aspects) {
    ListingPage page;
    page.header = TitleLines(inputs);
    page.tables = {ListingTableOf(aspects, inputs.displayMode)};
    page.lineCount = page.tables[0].lines.size();
    return page;
}

std::string RenderListingText(const ListingPage& page) {
    std::string out;
    for (const std::string& line : page.header) out += line + "\n";
    out += "\n";
    auto joined = [&](auto&& renderOne) {
        std::string line;
        for (size_t t = 0; t < page.tables.size(); ++t) {
            if (t > 0) line += std::string(kTableGap, ' ');
            line += renderOne(page.tables[t]);
        }
        RightTrim(line);
        return line + "\n";
    };
    out += joined(
        [](const ListingTable& table) { return RenderCells(table.columnTitles, false, table); });
    for (size_t i = 0; i < page.lineCount; ++i)
        out += joined([i](const ListingTable& table) { return RenderLine(table, i); });
    return out;
}

}  // namespace quintaro
