// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/printouts.h"

#include <algorithm>
#include <array>

#include "app/position_printouts.h"

namespace quintaro {

namespace {

constexpr std::array<std::pair<Printout, std::string_view>, 5> kKeys = {{
    {Printout::NatalAspects, "aspects"},
    {Printout::SinglePlanetAspects, "single"},
    {Printout::NatalPositions, "natal-positions"},
    {Printout::TransitPositions, "transit-positions"},
    {Printout::Midpoints, "midpoints"},
}};

GridModel SessionGrid(const Session& session, GridWindow window) {
    return BuildAspectGrid(window, SessionGridOptions(session, window), session.lists,
                           session.timed, session.workstation.catalogue);
}

ListingPage SessionListing(const Session& session, Printout printout) {
    const ListingInputs inputs = SessionListingInputs(session);
    if (printout == Printout::SinglePlanetAspects)
        return BuildSinglePlanetListing(inputs, SessionGrid(session, GridWindow::Aspects));
    return BuildNatalAspectsListing(inputs, SessionGrid(session, GridWindow::LongAspects),
                                    SessionGrid(session, GridWindow::DeclAspects));
}

bool IsAspectPrintout(Printout printout) {
    return printout == Printout::NatalAspects || printout == Printout::SinglePlanetAspects;
}

PrintTable PrintTableOf(const ListingTable& listing) {
    PrintTable table;
    table.titles.assign(listing.columnTitles.begin(), listing.columnTitles.end());
    for (const ListingLine& line : listing.lines) {
        PrintRow row;
        row.title = line.sectionTitle;
        if (row.title.empty()) {
            for (std::size_t c = 0; c < line.cells.size(); ++c)
                row.cells.push_back({line.cells[c], c == ColumnAspect && line.glyphAspect
                                                        ? CellFont::Glyph
                                                        : CellFont::Plain});
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

// "Geocentric Aspects   natal = Ada   transit = Transits": the title and the charts' names.
std::string RunningHead(const ListingPage& page) {
    std::string head = page.header.size() > 1 ? page.header[1] : "";
    for (std::size_t i = 2; i < page.header.size(); i += 3) head += "   " + page.header[i];
    return head;
}

std::string JobName(Printout printout) {
    switch (printout) {
        case Printout::NatalAspects:
            return "Interaspects, transits and natal aspects";
        case Printout::SinglePlanetAspects:
            return "A single planet's aspects";
        case Printout::NatalPositions:
            return "Natal positions";
        case Printout::TransitPositions:
            return "Transit positions";
        case Printout::Midpoints:
            return "Midpoints";
    }
    return {};
}

}  // namespace

std::string_view PrintoutKey(Printout printout) {
    for (const auto& [which, key] : kKeys)
        if (which == printout) return key;
    return {};
}

std::optional<Printout> PrintoutOfKey(std::string_view key) {
    for (const auto& [which, name] : kKeys)
        if (name == key) return which;
    return std::nullopt;
}

GridOptions SessionGridOptions(const Session& session, GridWindow window) {
    const DisplayChoices& display = session.display;
    const Workstation& ws = session.workstation;
    const bool crucial =
        window == GridWindow::LongAspectsCrucial || window == GridWindow::DeclAspectsCrucial;
    GridOptions options;
    options.displayMode = crucial ? display.crucialMode : display.gridMode;
    options.aspectClassFilter = display.aspectClass;
    options.applyingOnly = ws.entry.options.applyingOnly;
    options.exactOn = ws.entry.options.exact;
    options.progressionMode = session.progression.on;
    options.crucialSelection = ws.groups.crucial.live;
    options.declinationKind = display.gridDeclinationKind;
    options.helio = ws.entry.options.helio;
    return options;
}

ListingInputs SessionListingInputs(const Session& session) {
    const Workstation& ws = session.workstation;
    ListingInputs inputs;
    inputs.noticeLine = ws.printout.line1;
    inputs.helio = ws.entry.options.helio;
    inputs.displayMode = session.display.gridMode;
    inputs.natal = {ws.natal.name, ws.natal.data};
    inputs.transit = {ws.transit.name, ws.transit.data};
    return inputs;
}

PrintDocument ListingDocument(const ListingPage& page, std::string name) {
    PrintDocument document;
    document.name = std::move(name);
    for (std::size_t i = 0; i < page.header.size(); ++i)
        document.header.push_back({page.header[i], i == 1});
    document.runningHead = RunningHead(page);
    for (const ListingTable& table : page.tables) document.tables.push_back(PrintTableOf(table));
    return document;
}

PrintDocument BuildPrintout(const Session& session, Printout printout) {
    switch (printout) {
        case Printout::NatalAspects:
        case Printout::SinglePlanetAspects:
            return ListingDocument(SessionListing(session, printout), JobName(printout));
        case Printout::NatalPositions:
            return PositionsDocument(session.workstation, ChartSide::Natal, JobName(printout));
        case Printout::TransitPositions:
            return PositionsDocument(session.workstation, ChartSide::Transit, JobName(printout));
        case Printout::Midpoints:
            return MidpointsDocument(session.workstation, JobName(printout));
    }
    return {};
}

std::string PrintoutText(const Session& session, Printout printout) {
    if (IsAspectPrintout(printout)) return RenderListingText(SessionListing(session, printout));
    return RenderPrintText(BuildPrintout(session, printout));
}

}  // namespace quintaro
