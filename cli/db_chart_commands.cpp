// SPDX-License-Identifier: AGPL-3.0-or-later
// db chart and db positions: a record's natal chart, and the natal positions of every record of a
// database for research.
#include <cstdio>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "app/database_session.h"
#include "app/record_positions.h"
#include "cli/chart_printing.h"
#include "cli/cli_context.h"
#include "cli/workstation_run.h"
#include "core/formatting.h"
#include "database/csv_line.h"
#include "database/record_checks.h"
#include "database/serial_date.h"

namespace quintaro::cli {

namespace {

using Json = nlohmann::ordered_json;

std::string AngleText(const UnitsAndMinutes& angle, const char* side) {
    char text[48];
    std::snprintf(text, sizeof text, "%.0f %02.0f %s", angle.units, angle.minutes, side);
    return text;
}

// "87 38 W, 41 52 N"
std::string HomePlaceText(const HomeLocation& home) {
    return AngleText(home.longitude.angle, home.longitude.side == EastWest::East ? "E" : "W") +
           ", " +
           AngleText(home.latitude.angle, home.latitude.side == NorthSouth::South ? "S" : "N");
}

// What the chart took from elsewhere because the record does not hold it.
std::vector<std::string> ChartNotes(const Workstation& ws, const BirthMoment& moment) {
    std::vector<std::string> notes;
    notes.push_back(
        "A person record holds no coordinates: the chart is cast for the home location (" +
        HomePlaceText(ws.homeLocation) + ").");
    if (moment.noonAssumed) notes.push_back("The record holds no birth time: 12:00 P.M. is taken.");
    if (moment.zoneAssumed)
        notes.push_back("The record holds no time zone: the home zone " +
                        NumberText(ws.homeLocation.zone) + " is taken.");
    return notes;
}

struct ChartOptions {
    std::string file;
    long number = 0;
    bool json = false;
};

void RunChart(const ChartOptions& o, CliContext& context) {
    std::string error;
    auto record = LoadRecord(o.file, o.number, error);
    if (!record) return context.fail(error);
    const std::string which = o.file + ": record " + std::to_string(o.number);
    if (auto problems = CheckRecord(*record); !problems.empty())
        return context.fail(which + " is damaged or no person record: " + problems.front());
    auto session = OpenSession(context);
    if (!session) return;
    auto moment = ChartRecord(*session, *record, error);
    if (!moment) {
        context.fail(which + ": " + error);
        CloseSession(*session, context);
        return;
    }
    const Workstation& ws = session->workstation;
    const std::vector<std::string> notes = ChartNotes(ws, *moment);
    if (o.json) {
        Json out = {{"record",
                     {{"file", o.file},
                      {"number", o.number},
                      {"name", BirthDataOf(*record).name},
                      {"jd", moment->jd},
                      {"home_location", true},
                      {"noon_assumed", moment->noonAssumed},
                      {"zone_assumed", moment->zoneAssumed},
                      {"notes", notes}}}};
        const Json charts = ChartsJson(ws);
        for (const auto& [key, value] : charts.items()) out[key] = value;
        std::cout << out << '\n';
    } else {
        std::cout << "Record " << o.number << " of " << o.file << '\n';
        for (const std::string& note : notes) std::cout << note << '\n';
        PrintChartsText(ws);
    }
    CloseSession(*session, context);
}

struct PositionsOptions {
    std::string file;
    std::string kind = "gl";
    bool csv = false;
    bool json = false;
};

std::string ValueText(const std::optional<double>& value) {
    if (!value) return "";
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", *value);
    return text;
}

void PrintPositionsCsv(const Workstation& ws, const PositionsTable& table) {
    std::cout << "number,name,birth_date,jd";
    for (int slot : table.slots) std::cout << ',' << CsvValue(ws.catalogue.BodyNames[slot]);
    std::cout << '\n';
    for (const RecordPositions& row : table.rows) {
        std::cout << row.number << ',' << CsvValue(row.name) << ',' << IsoDateText(row.date) << ','
                  << FormatNumber(row.moment.jd, "0.000000");
        for (const auto& value : row.values) std::cout << ',' << ValueText(value);
        std::cout << '\n';
    }
}

void PrintPositionsJson(const Workstation& ws, const PositionsOptions& o,
                        const PositionsTable& table) {
    Json bodies = Json::array();
    for (int slot : table.slots)
        bodies.push_back({{"slot", slot}, {"name", ws.catalogue.BodyNames[slot]}});
    Json rows = Json::array();
    for (const RecordPositions& row : table.rows) {
        Json values = Json::array();
        for (const auto& value : row.values) values.push_back(value ? Json(*value) : Json(nullptr));
        rows.push_back({{"number", row.number},
                        {"name", row.name},
                        {"birth_date", IsoDateText(row.date)},
                        {"jd", row.moment.jd},
                        {"noon_assumed", row.moment.noonAssumed},
                        {"values", values}});
    }
    Json skipped = Json::array();
    for (const auto& [number, reason] : table.skipped)
        skipped.push_back({{"number", number}, {"reason", reason}});
    std::cout << Json{{"file", o.file},
                      {"kind", o.kind},
                      {"bodies", bodies},
                      {"rows", rows},
                      {"skipped", skipped}}
              << '\n';
}

void PrintPositionsText(const Workstation& ws, const PositionsTable& table) {
    std::printf("%6s  %-24s %-10s", "Record", "Name", "Born");
    for (int slot : table.slots) std::printf(" %10.10s", ws.catalogue.BodyNames[slot].c_str());
    std::printf("\n");
    for (const RecordPositions& row : table.rows) {
        std::printf("%6ld  %-24.24s %-10s", row.number, row.name.c_str(),
                    IsoDateText(row.date).c_str());
        for (const auto& value : row.values)
            std::printf(" %10s", value ? FormatNumber(*value, "0.0000").c_str() : "");
        std::printf("\n");
    }
}

void RunPositions(const PositionsOptions& o, CliContext& context) {
    std::string error;
    auto listing = ReadListing(o.file, error);
    if (!listing) return context.fail(error);
    if (listing->leftoverBytes > 0)
        context.fail(o.file + ": the last " + std::to_string(listing->leftoverBytes) +
                     " bytes make no whole record; the file is damaged");
    auto session = OpenSession(context);
    if (!session) return;
    Workstation& ws = session->workstation;
    const PositionKind kind = *PositionKindOf(o.kind);
    const PositionsTable table = NatalPositionsTable(
        ws.positions, listing->people, PositionSlots(ws.flags(), kind), kind, ws.homeLocation.zone);
    if (o.json)
        PrintPositionsJson(ws, o, table);
    else if (o.csv)
        PrintPositionsCsv(ws, table);
    else
        PrintPositionsText(ws, table);
    for (const auto& [number, reason] : table.skipped)
        context.fail(o.file + ": record " + std::to_string(number) + " skipped: " + reason);
    for (const auto& [number, slot] : table.missing)
        context.fail(o.file + ": record " + std::to_string(number) + ": no position of " +
                     ws.catalogue.BodyNames[slot]);
    CloseSession(*session, context);
}

}  // namespace

void AddDatabaseChartCommands(CLI::App& db, CliContext& context) {
    auto c = std::make_shared<ChartOptions>();
    auto* chart = db.add_subcommand("chart", "A record's birth data as the natal chart");
    chart->add_option("file", c->file, "The .apd file")->required();
    chart->add_option("number", c->number, "Record number, from 1")->required();
    chart->add_flag("--json", c->json, "JSON output");
    chart->callback([c, &context] { RunChart(*c, context); });

    auto p = std::make_shared<PositionsOptions>();
    auto* positions =
        db.add_subcommand("positions", "Every record's natal positions, one row per record");
    positions->add_option("file", p->file, "The .apd file")->required();
    positions->add_option("--kind", p->kind, "gl (default), gd, hl or hlat")
        ->check(CLI::IsMember({"gl", "gd", "hl", "hlat"}));
    auto* json = positions->add_flag("--json", p->json, "JSON output");
    positions->add_flag("--csv", p->csv, "Comma-separated output")->excludes(json);
    positions->callback([p, &context] { RunPositions(*p, context); });
}

}  // namespace quintaro::cli
