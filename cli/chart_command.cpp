// SPDX-License-Identifier: AGPL-3.0-or-later
// chart and now: start the workstation, compute the charts as the entry window would, list them.
#include <fmt/format.h>

#include <cmath>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>

#include "app/predictive_charts.h"
#include "cli/aspect_rows.h"
#include "cli/chart_entry_options.h"
#include "cli/chart_printing.h"
#include "cli/cli_context.h"
#include "cli/name_lookup.h"
#include "cli/text_output.h"
#include "cli/workstation_run.h"
#include "core/positions.h"
#include "setup/chart_computation.h"
#include "setup/positions_grid.h"

namespace quintaro::cli {

namespace {

using Json = nlohmann::ordered_json;

struct ChartOptions {
    ChartEntryOptions chart;
    std::string houseSystem;
    bool json = false, csv = false;
    bool decimal = false;    // decimal degrees instead of 12°34′ ♌
    bool natalOnly = false;  // leave the transit chart out
    bool aspects = false;    // the aspects of each chart after its positions
    bool grid = false;       // the entry window's positions grid
    bool sidereal = false;   // sidereal positions, as with the sidereal window open
};

// One chart of the session with what the listings need.
struct ChartView {
    Section section;
    const char* label;  // "Natal", "Transit"
    const ChartState& state;
    const ChartKinds& kinds;
    ChartSide side;
};

// The charts to list: a transit chart whose moment could not be computed is left out (the
// command has said so and fails).
std::vector<ChartView> Charts(const Workstation& ws, bool natalOnly) {
    std::vector<ChartView> charts = {
        {Section::Natal, "Natal", ws.natal, ws.record.Natal, ChartSide::Natal}};
    if (!natalOnly && ws.transit.computed)
        charts.push_back(
            {Section::Transit, "Transit", ws.transit, ws.record.Transit, ChartSide::Transit});
    return charts;
}

// A body's value in one kind: nothing where the body has no position of that frame (the Sun's
// heliocentric longitude) or none could be computed.
std::optional<double> Value(const ChartKinds& kinds, bool helio, const PerSlot<double>& values,
                            int slot) {
    if (!SlotHasFramePosition(slot, helio) || kinds.missing(helio, slot)) return std::nullopt;
    return values[slot];
}

Json JsonValue(const std::optional<double>& value) {
    return value ? Json(Rounded6(*value)) : Json(nullptr);
}

// Cusp of house 1..12 (the cusp array starts at the 10th house).
double HouseCusp(const ChartHouses& houses, int house) {
    return houses.HouseCusps[static_cast<size_t>((house + 2) % 12 + 1)];
}

Json ChartJson(const Workstation& ws, const ChartView& c) {
    const ChartHouses& h = c.state.houses;
    Json cusps = Json::array();
    for (int house = 1; house <= 12; ++house) cusps.push_back(Rounded6(HouseCusp(h, house)));
    Json bodies = Json::array();
    for (int slot = 1; slot <= BodyCount; ++slot) {
        if (!ws.flags().of(c.side, slot)) continue;
        const ChartKinds& k = c.kinds;
        const int house = h.HouseOfSlot[static_cast<size_t>(slot)];
        bodies.push_back({{"slot", slot},
                          {"name", BodyDisplayName(ws.catalogue, slot)},
                          {"geo_long", JsonValue(Value(k, false, k.GeoLong, slot))},
                          {"geo_decl", JsonValue(Value(k, false, k.GeoDecl, slot))},
                          {"helio_long", JsonValue(Value(k, true, k.HelioLong, slot))},
                          {"helio_lat", JsonValue(Value(k, true, k.HelioLat, slot))},
                          {"house", house >= 1 ? Json(house) : Json(nullptr)},
                          {"retrograde", k.GeoRetro.at(slot) == 'R'}});
    }
    Json out = ChartEchoJson(ws, c.section);
    out["house_system"] = HouseSystemName(ws.houseSystem);
    out["asc"] = Rounded6(h.Ascendant);
    out["mc"] = Rounded6(h.Midheaven);
    out["vertex"] = Rounded6(h.Vertex);
    out["valid"] = UnavailableBodies(ws, c.side).empty();
    out["part_of_fortune"] =
        c.state.partOfFortuneKnown ? Json(Rounded6(h.PartOfFortune)) : Json(nullptr);
    out["ramc"] = Rounded6(h.RAMC);
    out["obliquity"] = Rounded6(h.Obliquity);
    out["sidereal_time"] = SiderealClock(h.RAMC);
    out["cusps"] = cusps;
    out["bodies"] = bodies;
    return out;
}

// The cell of one value: blank where the frame has none, "unavailable" where it could not be
// computed.
std::string Cell(const ChartKinds& kinds, bool helio, const PerSlot<double>& values, int slot,
                 bool longitude, bool decimal) {
    if (!SlotHasFramePosition(slot, helio)) return "";
    if (kinds.missing(helio, slot)) return "unavailable";
    return longitude ? ZodiacText(values[slot], decimal) : SignedDegreesText(values[slot], decimal);
}

std::string PositionsTable(const Workstation& ws, const ChartView& c, bool decimal) {
    const ChartKinds& k = c.kinds;
    std::vector<std::vector<std::string>> rows = {
        {"#", "Body", "Longitude", "", "Declination", "Helio long", "Helio lat", "House"}};
    for (int slot = 1; slot <= BodyCount; ++slot) {
        if (!ws.flags().of(c.side, slot)) continue;
        const int house = c.state.houses.HouseOfSlot[static_cast<size_t>(slot)];
        rows.push_back({std::to_string(slot), BodyDisplayName(ws.catalogue, slot),
                        Cell(k, false, k.GeoLong, slot, true, decimal),
                        k.GeoRetro.at(slot) == 'R' ? "R" : "",
                        Cell(k, false, k.GeoDecl, slot, false, decimal),
                        Cell(k, true, k.HelioLong, slot, true, decimal),
                        Cell(k, true, k.HelioLat, slot, false, decimal),
                        house >= 1 ? std::to_string(house) : ""});
    }
    return AlignedColumns(rows, "rlrlrrrr");
}

std::string AnglesAndHouses(const Workstation& ws, const ChartView& c, bool decimal) {
    const ChartHouses& h = c.state.houses;
    std::string out = AlignedColumns(
        {{"Ascendant", ZodiacText(h.Ascendant, decimal), "Midheaven",
          ZodiacText(h.Midheaven, decimal)},
         {"Vertex", ZodiacText(h.Vertex, decimal), "Part of fortune",
          c.state.partOfFortuneKnown ? ZodiacText(h.PartOfFortune, decimal) : "unavailable"}},
        "lrlr");
    std::vector<std::vector<std::string>> houses(2);
    for (int house = 1; house <= 12; ++house) {
        auto& row = houses[static_cast<size_t>((house - 1) / 6)];
        row.push_back(std::to_string(house));
        row.push_back(ZodiacText(HouseCusp(h, house), decimal));
    }
    return out + "Houses (" + std::string(HouseSystemName(ws.houseSystem)) + ")\n" +
           AlignedColumns(houses, "rrrrrrrrrrrr");
}

void PrintAspects(const Session& session, Pairing pairing) {
    const auto rows = CollectAspectRows(session, pairing, CoordinateKind::GeoLongitude, false);
    std::cout << '\n' << AspectListTitle(pairing, CoordinateKind::GeoLongitude) << '\n';
    if (rows.empty()) {
        std::cout << "none within the orb\n";
        return;
    }
    std::vector<std::vector<std::string>> table;
    for (const AspectRow& row : rows)
        table.push_back(
            AspectTextCells(session.workstation.catalogue, CoordinateKind::GeoLongitude, row));
    std::cout << AlignedColumns(table, kAspectTextAlignment);
}

void PrintGrid(const PositionsGrid& grid) {
    std::vector<std::vector<std::string>> rows;
    for (const auto& row : grid.rows) {
        std::vector<std::string> cells;
        for (const auto& cell : row) cells.push_back(GlyphsAsUnicode(cell));
        rows.push_back(cells);
    }
    std::cout << AlignedColumns(rows, "rlrrrr");
}

void PrintChart(const Workstation& ws, const ChartView& c, bool decimal) {
    std::cout << c.label << "  " << ChartEcho(ws, c.section) << '\n'
              << fmt::format("Julian Day {:.6f}  sidereal time {}", c.state.houses.ChartJD,
                             SiderealClock(c.state.houses.RAMC))
              << "\n\n"
              << PositionsTable(ws, c, decimal) << '\n'
              << AnglesAndHouses(ws, c, decimal);
}

void PrintText(const Session& session, const ChartOptions& o) {
    const Workstation& ws = session.workstation;
    if (o.grid) {
        PrintGrid(ws.grid);
        return;
    }
    bool first = true;
    for (const ChartView& c : Charts(ws, o.natalOnly)) {
        if (!first) std::cout << '\n';
        first = false;
        PrintChart(ws, c, o.decimal);
        if (o.aspects)
            PrintAspects(session,
                         c.side == ChartSide::Natal ? Pairing::NatalNatal : Pairing::TransitNatal);
    }
    if (!o.natalOnly && !ws.transit.computed)
        std::cout << "\nTransit  " << ChartEcho(ws, Section::Transit) << '\n'
                  << "not computed: the moment lies outside the ephemeris, which covers "
                  << EphemerisRangeText(ws.positions.Use1750) << '\n';
}

void PrintCsv(const Workstation& ws, const ChartOptions& o) {
    std::cout << CsvLine({"chart", "slot", "name", "geo_long", "geo_decl", "helio_long",
                          "helio_lat", "house", "retrograde"});
    auto number = [](const std::optional<double>& v) {
        return v ? fmt::format("{}", Rounded6(*v)) : std::string();
    };
    for (const ChartView& c : Charts(ws, o.natalOnly)) {
        const ChartKinds& k = c.kinds;
        for (int slot = 1; slot <= BodyCount; ++slot) {
            if (!ws.flags().of(c.side, slot)) continue;
            const int house = c.state.houses.HouseOfSlot[static_cast<size_t>(slot)];
            std::cout << CsvLine(
                {c.side == ChartSide::Natal ? "natal" : "transit", std::to_string(slot),
                 BodyDisplayName(ws.catalogue, slot), number(Value(k, false, k.GeoLong, slot)),
                 number(Value(k, false, k.GeoDecl, slot)),
                 number(Value(k, true, k.HelioLong, slot)),
                 number(Value(k, true, k.HelioLat, slot)), house >= 1 ? std::to_string(house) : "",
                 k.GeoRetro.at(slot) == 'R' ? "yes" : "no"});
        }
    }
}

void RunChart(const ChartOptions& o, CliContext& context) {
    if (o.json && o.csv) return context.fail("--json and --csv exclude each other");
    ChartSessionSetup setup{o.houseSystem, {}};
    if (o.sidereal) setup.prepare = [](Session& s) { SetSiderealMode(s.workstation, true, 0); };
    auto session = OpenChartSession(o.chart, context, setup);
    if (!session) return;
    // A transit chart that could not be computed is left out; bodies without a position are
    // blank. Either way the command fails.
    ChartsComplete(*session, !o.natalOnly && !o.grid, context);
    const Workstation& ws = session->workstation;
    if (o.json) {
        Json out;
        for (const ChartView& c : Charts(ws, o.natalOnly)) {
            Json chart = ChartJson(ws, c);
            if (o.aspects) {
                Json aspects = Json::array();
                const Pairing pairing =
                    c.side == ChartSide::Natal ? Pairing::NatalNatal : Pairing::TransitNatal;
                for (const AspectRow& row :
                     CollectAspectRows(*session, pairing, CoordinateKind::GeoLongitude, false))
                    aspects.push_back(AspectRowJson(ws.catalogue, row));
                chart["aspects"] = aspects;
            }
            out[c.side == ChartSide::Natal ? "natal" : "transit"] = chart;
        }
        if (!o.natalOnly && !ws.transit.computed) {
            out["transit"] = ChartEchoJson(ws, Section::Transit);
            out["transit"]["valid"] = false;
        }
        std::cout << out.dump() << '\n';
    } else if (o.csv) {
        PrintCsv(ws, o);
    } else {
        PrintText(*session, o);
    }
    CloseSession(*session, context);
}

void AddOutputFlags(CLI::App& command, ChartOptions& o) {
    command.add_option("--house-system", o.houseSystem,
                       "House system: Placidus (P), Koch (K), Campanus (C), Porphyry (O), "
                       "Regiomontanus (R), Equal (E), equal-mc, Meridian (X), Morinus (M), ... "
                       "in any letter case");
    command.add_flag("--decimal", o.decimal, "Decimal degrees instead of 12°34′ ♌");
    command.add_flag("--natal-only", o.natalOnly, "List the natal chart only");
    command.add_flag("--aspects", o.aspects,
                     "After each chart its aspects in geocentric longitude (natal–natal, "
                     "transit–natal)");
    command.add_flag("--grid", o.grid, "The entry window's positions grid instead");
    command.add_flag(
        "--sidereal", o.sidereal,
        "Sidereal positions (sidereal vernal point), as with the sidereal window open");
    command.add_flag("--json", o.json, "JSON output");
    command.add_flag("--csv", o.csv, "CSV output: one line per body");
}

}  // namespace

void PrintChartsText(const Workstation& ws) {
    bool first = true;
    for (const ChartView& c : Charts(ws, false)) {
        if (!first) std::cout << '\n';
        first = false;
        PrintChart(ws, c, false);
    }
}

nlohmann::ordered_json ChartsJson(const Workstation& ws) {
    Json out;
    for (const ChartView& c : Charts(ws, false))
        out[c.side == ChartSide::Natal ? "natal" : "transit"] = ChartJson(ws, c);
    return out;
}

void AddChartCommands(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<ChartOptions>();
    auto* chart = app.add_subcommand(
        "chart",
        "Compute and list the natal and transit charts: positions, angles, houses (and aspects)");
    options->chart.addTo(*chart);
    AddOutputFlags(*chart, *options);
    chart->callback([options, &context] { RunChart(*options, context); });

    auto nowOptions = std::make_shared<ChartOptions>();
    auto* now = app.add_subcommand("now", "List the chart of the present moment at home");
    AddOutputFlags(*now, *nowOptions);
    now->callback([nowOptions, &context] {
        nowOptions->natalOnly = true;
        RunChart(*nowOptions, context);
    });
}

}  // namespace quintaro::cli
