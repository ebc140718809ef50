// SPDX-License-Identifier: AGPL-3.0-or-later
// chart and now: start the workstation, compute the charts as the entry window would, list them.
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "app/predictive_charts.h"
#include "cli/chart_printing.h"
#include "cli/cli_context.h"
#include "cli/workstation_run.h"
#include "core/formatting.h"
#include "core/glyph_text.h"
#include "core/positions.h"
#include "setup/chart_computation.h"

namespace quintaro::cli {

namespace {

using Json = nlohmann::ordered_json;

struct ChartOptions {
    std::string optFile;
    std::string houseSystem;
    bool json = false;
    bool sidereal = false;
};

std::string HouseOf(const ChartHouses& houses, int slot) {
    std::string label(HouseNumberLabel4(houses.HouseOfSlot[slot]));
    size_t first = label.find_first_not_of(' ');
    return first == std::string::npos ? "" : label.substr(first);
}

// A value, or null where the position could not be computed.
Json ValueOrNull(const PerSlot<double>& values, bool missing, int slot) {
    return missing ? Json(nullptr) : Json(values[slot]);
}

// A value as the listing shows it, or "unavailable" (as wide as the number) where there is none.
std::string NumberOrUnavailable(double value, bool missing, std::string_view picture) {
    std::string text = missing ? "unavailable" : FormatNumber(value, picture);
    if (text.size() < picture.size()) text.insert(0, picture.size() - text.size(), ' ');
    return text;
}

Json ChartJson(const Workstation& ws, const ChartState& chart, const ChartKinds& kinds,
               ChartSide side) {
    const ChartHouses& h = chart.houses;
    if (!chart.computed) return {{"name", chart.name}, {"jd", h.ChartJD}, {"valid", false}};
    Json cusps = Json::array();
    for (int k = 1; k <= 12; ++k) cusps.push_back(h.HouseCusps[k]);
    Json bodies = Json::array();
    for (int slot = 1; slot <= BodyCount; ++slot) {
        if (!ws.flags().of(side, slot)) continue;
        const bool geoMissing = kinds.missing(false, slot),
                   helioMissing = kinds.missing(true, slot);
        bodies.push_back({{"slot", slot},
                          {"name", ws.catalogue.BodyNames[slot]},
                          {"geo_long", ValueOrNull(kinds.GeoLong, geoMissing, slot)},
                          {"geo_decl", ValueOrNull(kinds.GeoDecl, geoMissing, slot)},
                          {"helio_long", ValueOrNull(kinds.HelioLong, helioMissing, slot)},
                          {"helio_lat", ValueOrNull(kinds.HelioLat, helioMissing, slot)},
                          {"house", HouseOf(h, slot)},
                          {"retro", std::string(1, kinds.GeoRetro.at(slot))}});
    }
    const bool valid = UnavailableBodies(ws, side).empty();
    Json partOfFortune = chart.partOfFortuneKnown ? Json(h.PartOfFortune) : Json(nullptr);
    return {{"name", chart.name},
            {"jd", h.ChartJD},
            {"valid", valid},
            {"asc", h.Ascendant},
            {"mc", h.Midheaven},
            {"vertex", h.Vertex},
            {"part_of_fortune", partOfFortune},
            {"ramc", h.RAMC},
            {"obliquity", h.Obliquity},
            {"cusps", cusps},
            {"bodies", bodies}};
}

void PrintChartText(const Workstation& ws, const char* title, const ChartState& chart,
                    const ChartKinds& kinds, ChartSide side) {
    const ChartHouses& h = chart.houses;
    std::cout << '\n'
              << title << ": " << chart.name << "  " << GlyphsAsPlainText(chart.data.dateText)
              << "  " << FormatNumber(chart.data.time.clock.hhmm(), "#0.00") << ' '
              << MeridiemText(chart.data.time.meridiem) << "  JD "
              << FormatNumber(h.ChartJD, "0.00000") << '\n';
    if (!chart.computed) {
        std::cout << "  not computed: the moment lies outside the ephemeris, which covers "
                  << EphemerisRangeText(ws.positions.Use1750) << '\n';
        return;
    }
    std::cout << "  ASC " << FormatNumber(h.Ascendant, "000.0000") << "  MC "
              << FormatNumber(h.Midheaven, "000.0000") << "  Vertex "
              << FormatNumber(h.Vertex, "000.0000") << "  PartF "
              << NumberOrUnavailable(h.PartOfFortune, !chart.partOfFortuneKnown, "000.0000")
              << "  Sidereal time " << h.SiderealTimeText << '\n'
              << "  Cusps:";
    for (int k = 1; k <= 12; ++k)
        std::cout << ' ' << HouseLabel4(k) << ' ' << FormatNumber(h.HouseCusps[k], "000.00");
    std::cout << '\n';
    for (int slot = 1; slot <= BodyCount; ++slot) {
        if (!ws.flags().of(side, slot)) continue;
        std::string name = ws.catalogue.BodyNames[slot];
        name.resize(10, ' ');
        const bool geoMissing = kinds.missing(false, slot),
                   helioMissing = kinds.missing(true, slot);
        std::cout << "  " << FormatNumber(slot, "00") << ' ' << name
                  << NumberOrUnavailable(kinds.GeoLong[slot], geoMissing, "000.0000")
                  << kinds.GeoRetro.at(slot) << ' '
                  << NumberOrUnavailable(kinds.GeoDecl[slot], geoMissing, "00.0000") << "  "
                  << NumberOrUnavailable(kinds.HelioLong[slot], helioMissing, "000.0000") << ' '
                  << NumberOrUnavailable(kinds.HelioLat[slot], helioMissing, "0.0000") << "  "
                  << HouseNumberLabel4(h.HouseOfSlot[slot]) << (geoMissing ? "" : " HOUSE") << '\n';
    }
}

void PrintGrid(const PositionsGrid& grid) {
    for (const auto& row : grid.rows) {
        if (row.size() > 1 && row[0] != "#" && row[1].empty()) continue;  // unselected bodies
        for (const auto& cell : row) {
            std::string text = GlyphsAsPlainText(cell);
            text.resize(10, ' ');
            std::cout << text;
        }
        std::cout << '\n';
    }
}

void RunChart(const ChartOptions& options, CliContext& context) {
    auto session = OpenSession(context, options.houseSystem);
    if (!session) return;
    Workstation& ws = session->workstation;
    if (!options.optFile.empty() && !LoadOptFile(*session, options.optFile, context)) return;
    if (options.sidereal) {
        SetSiderealMode(ws, true, 0);
        ComputeCharts(*session);
    }
    // No chart at all for a natal moment that could not be computed; a transit chart that
    // could not is left out. Either way the command fails.
    ChartsComplete(*session, true, context);
    if (!ws.natal.computed) return CloseSession(*session, context);
    if (options.json)
        std::cout << ChartsJson(ws) << '\n';
    else
        PrintChartsText(ws);
    CloseSession(*session, context);
}

}  // namespace

void PrintChartsText(const Workstation& ws) {
    PrintGrid(ws.grid);
    PrintChartText(ws, "Natal", ws.natal, ws.record.Natal, ChartSide::Natal);
    PrintChartText(ws, "Transit", ws.transit, ws.record.Transit, ChartSide::Transit);
}

nlohmann::ordered_json ChartsJson(const Workstation& ws) {
    return {{"natal", ChartJson(ws, ws.natal, ws.record.Natal, ChartSide::Natal)},
            {"transit", ChartJson(ws, ws.transit, ws.record.Transit, ChartSide::Transit)}};
}

void AddChartCommands(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<ChartOptions>();
    auto* chart = app.add_subcommand("chart", "Compute and list the natal and transit charts");
    chart->add_option("--opt", options->optFile, "Chart data file (.opt) to load; else \"Now\"");
    chart->add_option("--house-system", options->houseSystem, "House system, e.g. Koch");
    chart->add_flag("--json", options->json, "JSON output");
    chart->add_flag("--sidereal", options->sidereal,
                    "Sidereal positions (sidereal vernal point), as with the sidereal window open");
    chart->callback([options, &context] { RunChart(*options, context); });

    auto* now = app.add_subcommand("now", "List the chart of the present moment at home");
    now->callback([&context] { RunChart({}, context); });
}

}  // namespace quintaro::cli
