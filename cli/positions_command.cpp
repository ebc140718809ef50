// SPDX-License-Identifier: AGPL-3.0-or-later
// positions: every slot's position at a moment, from the ephemeris files of the installation
// folder (installed there from the build's generated files when missing).
#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/cli_context.h"
#include "cli/entry_text_forms.h"
#include "cli/moment_options.h"
#include "cli/name_lookup.h"
#include "cli/text_output.h"
#include "core/bodies.h"
#include "core/day_tables.h"
#include "core/ephemeris.h"
#include "core/ephemeris_loader.h"
#include "core/ephemeris_repair.h"
#include "core/positions.h"
#include "setup/positions_grid.h"

namespace quintaro::cli {

namespace {

struct PositionsOptions {
    std::optional<double> jd;
    MomentOptions moment;  // instead of --jd
    bool helio = false;
    bool use1750 = false;
    bool decimal = false;
    bool json = false, csv = false;
};

// A value for programs: nothing where the frame has no position of the body or none was computed.
std::optional<double> Value(const WorkingPositions& work, const PerSlot<double>& values, int slot,
                            bool helio) {
    if (work.Missing[slot] || !SlotHasFramePosition(slot, helio)) return std::nullopt;
    return values[slot];
}

void PrintJson(double jd, const PositionsOptions& options, bool valid,
               const BodyCatalogue& catalogue, const WorkingPositions& work) {
    using Json = nlohmann::ordered_json;
    Json out;
    out["jd"] = jd;
    out["kind"] = options.helio ? "helio" : "geo";
    out["valid"] = valid;
    out["bodies"] = Json::array();
    for (int slot = 1; slot <= BodyCount; ++slot) {
        auto value = [&](const PerSlot<double>& values) {
            auto v = Value(work, values, slot, options.helio);
            return v ? Json(Rounded6(*v)) : Json(nullptr);
        };
        out["bodies"].push_back({{"slot", slot},
                                 {"name", BodyDisplayName(catalogue, slot)},
                                 {"long", value(work.WorkLong)},
                                 {"second", value(work.WorkSecond)},
                                 {"retro", std::string(1, work.RetroMarks.at(slot))},
                                 {"direction", std::string(1, work.DirectionMarks.at(slot))}});
    }
    std::cout << out.dump() << '\n';
}

void PrintCsv(const PositionsOptions& options, const BodyCatalogue& catalogue,
              const WorkingPositions& work) {
    std::cout << CsvLine({"slot", "name", "longitude", options.helio ? "latitude" : "declination",
                          "retrograde", "direction"});
    for (int slot = 1; slot <= BodyCount; ++slot) {
        auto value = [&](const PerSlot<double>& values) {
            auto v = Value(work, values, slot, options.helio);
            return v ? fmt::format("{}", Rounded6(*v)) : std::string();
        };
        std::cout << CsvLine({std::to_string(slot), BodyDisplayName(catalogue, slot),
                              value(work.WorkLong), value(work.WorkSecond),
                              work.RetroMarks.at(slot) == 'R' ? "yes" : "no",
                              std::string(1, work.DirectionMarks.at(slot))});
    }
}

void PrintText(double jd, const PositionsOptions& options, bool valid,
               const BodyCatalogue& catalogue, const WorkingPositions& work) {
    const CivilDate date = JDToCalendar(jd);
    const long minutes = std::lround((jd + 0.5 - std::floor(jd + 0.5)) * 1440.0) % 1440;
    std::cout << fmt::format("{} positions at JD {:.6f} ({} {:02d}:{:02d} UT){}\n\n",
                             options.helio ? "Heliocentric" : "Geocentric", jd,
                             DateEcho(date.year, date.month, date.day), minutes / 60, minutes % 60,
                             valid ? "" : "  outside the ephemeris range");
    std::vector<std::vector<std::string>> rows = {
        {"#", "Body", "Longitude", "", options.helio ? "Latitude" : "Declination", "Direction"}};
    for (int slot = 1; slot <= BodyCount; ++slot) {
        std::vector<std::string> row = {std::to_string(slot), BodyDisplayName(catalogue, slot)};
        if (!SlotHasFramePosition(slot, options.helio)) {
            row.insert(row.end(), {"", "", "", ""});
        } else if (work.Missing[slot]) {
            row.insert(row.end(), {"unavailable", "", "", ""});
        } else {
            const char direction = work.DirectionMarks.at(slot);
            row.insert(row.end(), {ZodiacText(work.WorkLong[slot], options.decimal),
                                   work.RetroMarks.at(slot) == 'R' ? "R" : "",
                                   SignedDegreesText(work.WorkSecond[slot], options.decimal),
                                   direction == 'r'   ? "rising"
                                   : direction == 'f' ? "falling"
                                                      : ""});
        }
        rows.push_back(row);
    }
    std::cout << AlignedColumns(rows, "rlrlrl");
}

std::optional<double> MomentJd(const PositionsOptions& options, CliContext& context) {
    if (options.jd && !options.moment.date.empty()) {
        context.fail("give --jd or --date, not both");
        return std::nullopt;
    }
    if (options.jd) {
        if (std::isfinite(*options.jd)) return options.jd;
        context.fail("--jd must be a number");
        return std::nullopt;
    }
    if (options.moment.date.empty()) {
        context.fail("positions needs a moment: --jd, or --date and --time (with --zone)");
        return std::nullopt;
    }
    std::string error;
    auto moment = options.moment.resolve(error);
    if (!moment) {
        context.fail(error);
        return std::nullopt;
    }
    return MomentToJD(moment->year, moment->month, moment->day, moment->clock, moment->meridiem,
                      moment->zone)
        .ChartJD;
}

void RunPositions(const PositionsOptions& options, CliContext& context) {
    if (options.json && options.csv) return context.fail("--json and --csv exclude each other");
    const std::optional<double> jd = MomentJd(options, context);
    if (!jd) return;
    const std::filesystem::path home = context.homeFolder();
    Messages& messages = context.messages;
    InstallGeneratedEphemeris(home, messages);

    BodyCatalogue catalogue = MakeBodyCatalogue();
    SelectLoadFiles(home, catalogue, messages);
    Ephemeris ephemeris(messages);
    std::vector<EphemerisFileProblem> problems = OpenPlanetFilesChecked(home, ephemeris);
    DayTables tables;
    LoadDayTables(home, catalogue, SelectionFlags::All(), tables, messages, {});
    for (auto& problem : UnloadedDayTables(home, catalogue, SelectionFlags::All(), tables))
        problems.push_back(std::move(problem));
    if (!problems.empty()) {
        messages.show("Ephemeris files",
                      "These ephemeris files in " + LoadFolderPath(home).string() +
                          " cannot be used:\n" + ProblemLines(problems) +
                          RestoreAdvice(GeneratedEphemerisSource()),
                      MessageIcon::Critical);
    }

    Positions positions(ephemeris, tables, messages);
    if (options.use1750) {
        positions.Use1750 = Load1750Tables(home, catalogue, tables, messages, {});
    }
    WorkingPositions work;
    positions.PositionsValid = true;
    const bool inRange = options.helio ? positions.ComputeHelioPositions(*jd, 0, work)
                                       : positions.ComputeGeoPositions(*jd, 0, work);
    // Every named body must have its position; slots no body was given stay empty.
    std::string missing;
    for (int slot = 1; inRange && slot < catalogue.NextFreeSlot; ++slot)
        if (work.Missing[slot])
            missing += (missing.empty() ? "" : ", ") + catalogue.BodyNames[slot];
    const bool valid = inRange && missing.empty();
    if (options.json)
        PrintJson(*jd, options, valid, catalogue, work);
    else if (options.csv)
        PrintCsv(options, catalogue, work);
    else
        PrintText(*jd, options, inRange, catalogue, work);
    if (!inRange) {
        context.exitCode = 1;
    } else if (!missing.empty()) {
        context.fail("no position for " + missing +
                     ": the ephemeris files that hold them are missing or damaged (see above); "
                     "'quintaro-cli ephemeris install' restores the files the workstation "
                     "installs");
    }
}

}  // namespace

void AddPositionsCommand(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<PositionsOptions>();
    auto* command = app.add_subcommand("positions", "Positions of slots 1..53 at a moment");
    command->add_option("--jd", options->jd, "Julian Day (UT)");
    options->moment.addTo(*command, "", false, "0");
    command->add_flag("--helio", options->helio, "Heliocentric longitude and latitude");
    command->add_flag("--use1750", options->use1750, "Load the 1750 tables (moments from 1750 on)");
    command->add_flag("--decimal", options->decimal, "Decimal degrees instead of 12°34′ ♌");
    command->add_flag("--json", options->json, "JSON output");
    command->add_flag("--csv", options->csv, "CSV output");
    command->callback([options, &context] { RunPositions(*options, context); });
}

}  // namespace quintaro::cli
