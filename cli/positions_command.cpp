// SPDX-License-Identifier: AGPL-3.0-or-later
// positions: every slot's position at a moment, from the ephemeris files of the installation
// folder (installed there from the build's generated files when missing).
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/cli_context.h"
#include "core/bodies.h"
#include "core/day_tables.h"
#include "core/ephemeris.h"
#include "core/ephemeris_loader.h"
#include "core/ephemeris_repair.h"
#include "core/positions.h"

namespace quintaro::cli {

namespace {

struct PositionsOptions {
    double jd = 0;
    bool helio = false;
    bool use1750 = false;
    bool json = false;
};

void PrintJson(const PositionsOptions& options, bool valid, const BodyCatalogue& catalogue,
               const WorkingPositions& work) {
    nlohmann::ordered_json out;
    out["jd"] = options.jd;
    out["kind"] = options.helio ? "helio" : "geo";
    out["valid"] = valid;
    out["bodies"] = nlohmann::ordered_json::array();
    for (int slot = 1; slot <= BodyCount; ++slot) {
        nlohmann::ordered_json body;
        body["slot"] = slot;
        body["name"] = catalogue.BodyNames[slot];
        if (work.Missing[slot]) {  // a position the ephemeris could not give
            body["long"] = nullptr;
            body["second"] = nullptr;
        } else {
            body["long"] = work.WorkLong[slot];
            body["second"] = work.WorkSecond[slot];
        }
        body["retro"] = std::string(1, work.RetroMarks.at(slot));
        body["direction"] = std::string(1, work.DirectionMarks.at(slot));
        out["bodies"].push_back(std::move(body));
    }
    std::cout << out.dump() << '\n';
}

void PrintText(const PositionsOptions& options, bool valid, const BodyCatalogue& catalogue,
               const WorkingPositions& work) {
    std::printf("JD %.6f  %s%s\n", options.jd, options.helio ? "heliocentric" : "geocentric",
                valid ? "" : "  (outside the ephemeris range)");
    std::printf("Slot  Name            Longitude      %s  R  D\n",
                options.helio ? "Latitude" : "Declin. ");
    for (int slot = 1; slot <= BodyCount; ++slot) {
        if (work.Missing[slot]) {
            std::printf("%4d  %-14s %24s\n", slot, catalogue.BodyNames[slot].c_str(), "missing");
            continue;
        }
        std::printf("%4d  %-14s %11.6f  %11.6f  %c  %c\n", slot, catalogue.BodyNames[slot].c_str(),
                    work.WorkLong[slot], work.WorkSecond[slot], work.RetroMarks.at(slot),
                    work.DirectionMarks.at(slot));
    }
}

void RunPositions(const PositionsOptions& options, CliContext& context) {
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
    const bool inRange = options.helio ? positions.ComputeHelioPositions(options.jd, 0, work)
                                       : positions.ComputeGeoPositions(options.jd, 0, work);
    // Every named body must have its position; slots no body was given stay empty.
    std::string missing;
    for (int slot = 1; inRange && slot < catalogue.NextFreeSlot; ++slot)
        if (work.Missing[slot])
            missing += (missing.empty() ? "" : ", ") + catalogue.BodyNames[slot];
    const bool valid = inRange && missing.empty();
    if (options.json) {
        PrintJson(options, valid, catalogue, work);
    } else {
        PrintText(options, inRange, catalogue, work);
    }
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
    command->add_option("--jd", options->jd, "Julian Day (UT)")->required();
    command->add_flag("--helio", options->helio, "Heliocentric longitude and latitude");
    command->add_flag("--use1750", options->use1750, "Load the 1750 tables (moments from 1750 on)");
    command->add_flag("--json", options->json, "JSON output");
    command->callback([options, &context] { RunPositions(*options, context); });
}

}  // namespace quintaro::cli
