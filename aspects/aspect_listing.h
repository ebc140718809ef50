// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <vector>

#include "aspects/aspect_grid.h"
#include "core/chart_data.h"

namespace quintaro {

// A chart as the report header names it.
struct ListingChart {
    std::string name;
    ChartData data;
};

struct ListingInputs {
    std::string noticeLine;  // the program's notice line
    bool helio = false;      // "Heliocentric Aspects" instead of "Geocentric Aspects"
    int displayMode = 1;     // 8 or 9 add the transit chart to the header and head body 1 "Tr"
    ListingChart natal;
    ListingChart transit;
};

// One printed line of a table: a section title, or the eight cells of a grid row.
struct ListingLine {
    std::string sectionTitle;  // set on title lines only
    std::array<std::string, GridColumnCount> cells;
    bool glyphAspect = false;  // the aspect cell holds a symbol-font glyph
};

struct ListingTable {
    std::array<std::string, GridColumnCount> columnTitles;  // mark column untitled
    bool exactColumns = false;                              // Time Sep and Date are filled
    std::vector<ListingLine> lines;
};

// The printed aspect report: the header block, then one table or two side by side, printed line
// by line; lineCount is the longer table's length.
struct ListingPage {
    std::vector<std::string> header;
    std::vector<ListingTable> tables;
    size_t lineCount = 0;
};

// Header lines of one chart: "natal = " or "transit = " with the name, the moment, the place.
std::vector<std::string> ChartHeaderLines(const std::string& label, const ListingChart& chart);

// The table of a grid: its column titles and its rows (each non-empty section after a title line).
ListingTable ListingTableOf(const GridModel& grid, int displayMode);

// "Print interaspects/transits/natal aspects": the combined longitude grid on the left, the
// combined declination/latitude grid on the right.
ListingPage BuildNatalAspectsListing(const ListingInputs& inputs, const GridModel& longitudes,
                                     const GridModel& declinations);

// "Print a single planet's aspects": the notice and title lines and the single grid.
ListingPage BuildSinglePlanetListing(const ListingInputs& inputs, const GridModel& aspects);

// The page as plain text, tables side by side in fixed columns, glyphs written as words.
std::string RenderListingText(const ListingPage& page);

}  // namespace quintaro
