// SPDX-License-Identifier: AGPL-3.0-or-later
// aspects and grid: the found aspects of the computed charts, as lists and as grid windows show
// them.
#include <fmt/format.h>

#include <iostream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>

#include "aspects/aspect_grid.h"
#include "cli/aspect_rows.h"
#include "cli/chart_entry_options.h"
#include "cli/cli_context.h"
#include "cli/name_lookup.h"
#include "cli/text_output.h"
#include "cli/workstation_run.h"
#include "core/formatting.h"
#include "setup/entry_model.h"

namespace quintaro::cli {

namespace {

using Json = nlohmann::ordered_json;

const std::map<std::string, Pairing> kPairings = {
    {"nn", Pairing::NatalNatal}, {"tn", Pairing::TransitNatal}, {"tt", Pairing::TransitTransit}};
const std::map<std::string, CoordinateKind> kKinds = {{"gl", CoordinateKind::GeoLongitude},
                                                      {"gd", CoordinateKind::GeoDeclination},
                                                      {"hl", CoordinateKind::HelioLongitude},
                                                      {"hlat", CoordinateKind::HelioLatitude}};
const std::map<std::string, GridWindow> kGrids = {{"aspects", GridWindow::Aspects},
                                                  {"long", GridWindow::LongAspects},
                                                  {"decl", GridWindow::DeclAspects},
                                                  {"long-crucial", GridWindow::LongAspectsCrucial},
                                                  {"decl-crucial", GridWindow::DeclAspectsCrucial}};

struct AspectsOptions {
    ChartEntryOptions chart;
    std::string pairing = "nn", kind = "gl";
    bool exact = false, json = false, csv = false;
};

struct GridCommandOptions {
    ChartEntryOptions chart;
    std::string name = "long";
    int mode = 1, filter = 0;
    bool applyingOnly = false, exact = false, json = false, csv = false;
};

// The computed charts with the exact-time search on when asked.
std::unique_ptr<Session> ComputedSession(const ChartEntryOptions& chart, bool exact,
                                         CliContext& context) {
    ChartSessionSetup setup;
    if (exact) setup.prepare = [](Session& s) { s.workstation.entry.options.exact = true; };
    return OpenChartSession(chart, context, setup);
}

double OrbOfKind(const Workstation& ws, CoordinateKind kind) {
    const EntryOptions& o = ws.entry.options;
    switch (kind) {
        case CoordinateKind::GeoLongitude:
            return OrbGeoLong(o);
        case CoordinateKind::GeoDeclination:
            return OrbGeoDecl(o);
        case CoordinateKind::HelioLongitude:
            return OrbHelioLong(o);
        case CoordinateKind::HelioLatitude:
            return OrbHelioLat(o);
    }
    return 0;
}

void PrintAspectsText(const Session& session, Pairing pairing, CoordinateKind kind,
                      const std::vector<AspectRow>& rows) {
    const Workstation& ws = session.workstation;
    std::cout << "Natal    " << ChartEcho(ws, Section::Natal) << '\n';
    if (pairing != Pairing::NatalNatal)
        std::cout << "Transit  " << ChartEcho(ws, Section::Transit) << '\n';
    std::cout << '\n'
              << fmt::format("{}, orb {:.2f}\u00b0", AspectListTitle(pairing, kind),
                             OrbOfKind(ws, kind))
              << '\n';
    if (rows.empty()) {
        std::cout << "none within the orb\n";
        return;
    }
    std::vector<std::vector<std::string>> table;
    for (const AspectRow& row : rows) table.push_back(AspectTextCells(ws.catalogue, kind, row));
    std::cout << AlignedColumns(table, kAspectTextAlignment);
}

void RunAspects(const AspectsOptions& o, CliContext& context) {
    const Pairing pairing = kPairings.at(o.pairing);
    const CoordinateKind kind = kKinds.at(o.kind);
    if (o.exact && pairing == Pairing::TransitTransit)
        return context.fail("exact times are searched for the nn and tn lists only");
    if (o.json && o.csv) return context.fail("--json and --csv exclude each other");
    auto session = ComputedSession(o.chart, o.exact, context);
    if (!session) return;
    // Aspects of a chart that could not be computed would be no answer; missing bodies are
    // absent from the list and make the command fail.
    const bool withTransit = pairing != Pairing::NatalNatal;
    if (!ChartsComplete(*session, withTransit, context) && !ChartsComputed(*session, withTransit))
        return CloseSession(*session, context);
    const Workstation& ws = session->workstation;
    const std::vector<AspectRow> rows = CollectAspectRows(*session, pairing, kind, o.exact);
    if (o.json) {
        Json entries = Json::array();
        for (const AspectRow& row : rows) entries.push_back(AspectRowJson(ws.catalogue, row));
        Json out = {{"pairing", o.pairing},
                    {"kind", o.kind},
                    {"orb", Rounded6(OrbOfKind(ws, kind))},
                    {"natal", ChartEchoJson(ws, Section::Natal)}};
        if (pairing != Pairing::NatalNatal) out["transit"] = ChartEchoJson(ws, Section::Transit);
        out["entries"] = entries;
        std::cout << out.dump() << '\n';
    } else if (o.csv) {
        std::cout << CsvLine(AspectCsvTitles(o.exact));
        for (const AspectRow& row : rows) std::cout << CsvLine(AspectCsvCells(ws.catalogue, row));
    } else {
        PrintAspectsText(*session, pairing, kind, rows);
    }
    CloseSession(*session, context);
}

// A grid cell for people: glyphs as Unicode symbols, bodies by their full names, and no
// placeholder where no exact time was found.
std::vector<std::string> ReadableCells(const GridRow& row, const BodyCatalogue& catalogue) {
    std::vector<std::string> cells;
    for (size_t i = 0; i < row.cells.size(); ++i) {
        std::string cell = GlyphsAsUnicode(row.cells[i]);
        if (i == ColumnBody1) cell = BodyDisplayName(catalogue, row.body1);
        if (i == ColumnBody2) cell = BodyDisplayName(catalogue, row.body2);
        if (row.cells[ColumnDate] == "***") {
            if (i == ColumnTimeSep) cell.clear();
            if (i == ColumnDate) cell = "none";
        }
        cells.push_back(cell);
    }
    return cells;
}

Json GridRowJson(const GridRow& row, const BodyCatalogue& catalogue) {
    const bool notFound = row.cells[ColumnDate] == "***";
    const std::string& time = row.cells[ColumnTimeSep];
    Json out = {{"number", std::stoi(row.cells[ColumnNumber])},
                {"body1", row.body1},
                {"body1_name", BodyDisplayName(catalogue, row.body1)},
                {"aspect", GlyphsAsUnicode(row.cells[ColumnAspect])},
                {"code", row.code},
                {"body2", row.body2},
                {"body2_name", BodyDisplayName(catalogue, row.body2)},
                {"orb", Rounded6(row.orb)},
                {"deg_sep", row.cells[ColumnDegSep]}};
    if (!time.empty() || notFound) {
        out["time_to_exact"] = notFound ? Json(nullptr) : Json(LeadingNumber(time));
        out["exact_date"] = notFound ? Json(nullptr) : Json(row.cells[ColumnDate]);
    }
    // The row as the grid window and the printouts show it (glyphs in the symbol font's codes).
    out["window_cells"] = row.cells;
    return out;
}

void RunGrid(const GridCommandOptions& o, CliContext& context) {
    if (o.json && o.csv) return context.fail("--json and --csv exclude each other");
    auto session = ComputedSession(o.chart, o.exact, context);
    if (!session) return;
    if (!ChartsComplete(*session, true, context) && !ChartsComputed(*session, false))
        return CloseSession(*session, context);
    const Workstation& ws = session->workstation;
    GridOptions grid;
    grid.displayMode = o.mode;
    grid.aspectClassFilter = o.filter;
    grid.applyingOnly = o.applyingOnly;
    grid.exactOn = o.exact;
    grid.crucialSelection = ws.groups.crucial.live;
    grid.helio = ws.entry.options.helio;
    GridModel model =
        BuildAspectGrid(kGrids.at(o.name), grid, session->lists, session->timed, ws.catalogue);
    if (o.json) {
        Json sections = Json::array();
        for (const GridSection& section : model.sections) {
            Json rows = Json::array();
            for (const GridRow& row : section.rows) rows.push_back(GridRowJson(row, ws.catalogue));
            sections.push_back({{"title", section.title},
                                {"columns", FormatColumnTitles(section.format)},
                                {"rows", rows}});
        }
        std::cout << Json{{"caption", model.caption}, {"sections", sections}}.dump() << '\n';
    } else if (o.csv) {
        std::vector<std::string> titles = {"section"};
        for (const std::string& title :
             FormatColumnTitles(model.sections.empty() ? std::string() : model.sections[0].format))
            titles.push_back(title);
        std::cout << CsvLine(titles);
        for (const GridSection& section : model.sections)
            for (const GridRow& row : section.rows) {
                std::vector<std::string> cells = ReadableCells(row, ws.catalogue);
                cells.insert(cells.begin(), section.title);
                std::cout << CsvLine(cells);
            }
    } else {
        std::cout << model.caption << '\n';
        bool anyNotFound = false;
        for (const GridSection& section : model.sections) {
            std::vector<std::vector<std::string>> rows = {FormatColumnTitles(section.format)};
            for (const GridRow& row : section.rows) {
                rows.push_back(ReadableCells(row, ws.catalogue));
                anyNotFound |= row.cells[ColumnDate] == "***";
            }
            std::cout << '\n' << section.title << '\n' << AlignedColumns(rows, "lrlllrrl");
        }
        if (anyNotFound) std::cout << "\nnone: " << kNoExactTime << '\n';
    }
    CloseSession(*session, context);
}

template <typename Map>
std::vector<std::string> Keys(const Map& map) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : map) keys.push_back(key);
    return keys;
}

}  // namespace

void AddAspectsCommands(CLI::App& app, CliContext& context) {
    auto a = std::make_shared<AspectsOptions>();
    auto* aspects = app.add_subcommand("aspects", "One list of found aspects");
    a->chart.addTo(*aspects);
    aspects
        ->add_option("--pairing", a->pairing,
                     "nn natal–natal (default), tn transit–natal, tt transit–transit")
        ->transform(CLI::IsMember(Keys(kPairings), CLI::ignore_case));
    aspects
        ->add_option("--kind", a->kind,
                     "gl geocentric longitude (default), gd declination, hl heliocentric "
                     "longitude, hlat heliocentric latitude")
        ->transform(CLI::IsMember(Keys(kKinds), CLI::ignore_case));
    aspects->add_flag("--exact", a->exact, "Search the exact times (nn and tn lists)");
    aspects->add_flag("--json", a->json, "JSON output");
    aspects->add_flag("--csv", a->csv, "CSV output");
    aspects->callback([a, &context] { RunAspects(*a, context); });

    auto g = std::make_shared<GridCommandOptions>();
    auto* grid = app.add_subcommand("grid", "The rows of an aspect grid window");
    grid->add_option("NAME", g->name, "aspects, long (default), decl, long-crucial or decl-crucial")
        ->transform(CLI::IsMember(Keys(kGrids), CLI::ignore_case));
    g->chart.addTo(*grid);
    grid->add_option("--mode", g->mode,
                     "Display mode: 1 natal longitudes (default), 2 natal declinations, 8 "
                     "transit longitudes, 9 transit declinations")
        ->check(CLI::IsMember({1, 2, 8, 9}));
    grid->add_option("--filter", g->filter, "Aspect class filter 0..8 (0: all 30-degree aspects)")
        ->check(CLI::Range(0, 8));
    grid->add_flag("--applying-only", g->applyingOnly, "Applying aspects only");
    grid->add_flag("--exact", g->exact, "Exact times in the Time Sep and Date columns");
    grid->add_flag("--json", g->json, "JSON output: sections with their rows");
    grid->add_flag("--csv", g->csv, "CSV output: one line per row");
    grid->callback([g, &context] { RunGrid(*g, context); });
}

}  // namespace quintaro::cli
