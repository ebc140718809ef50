// SPDX-License-Identifier: AGPL-3.0-or-later
// body: looks a body up in the catalogue by any of its names, or lists the catalogue.
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/cli_context.h"
#include "cli/name_lookup.h"
#include "cli/text_output.h"
#include "core/bodies.h"
#include "core/ephemeris_loader.h"

namespace quintaro::cli {

namespace {

struct BodyOptions {
    std::string name;
    bool json = false, csv = false;
};

// The catalogue as the workstation names it: the free slots after the ephemeris files of the
// installation folder.
BodyCatalogue LoadedCatalogue(CliContext& context) {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    const std::filesystem::path home = context.homeFolder();
    InstallGeneratedEphemeris(home, context.messages);
    SelectLoadFiles(home, catalogue, context.messages);
    return catalogue;
}

void RunBody(const BodyOptions& o, CliContext& context) {
    if (o.json && o.csv) return context.fail("--json and --csv exclude each other");
    const BodyCatalogue catalogue = LoadedCatalogue(context);
    std::vector<int> slots;
    if (o.name.empty()) {
        for (int slot = 1; slot < catalogue.NextFreeSlot; ++slot) slots.push_back(slot);
    } else {
        std::string error;
        auto slot = FindBodyByName(catalogue, o.name, error);
        if (!slot) return context.fail(error);
        slots.push_back(*slot);
    }
    if (o.json) {
        nlohmann::ordered_json out = nlohmann::ordered_json::array();
        for (int slot : slots)
            out.push_back({{"slot", slot},
                           {"name", BodyDisplayName(catalogue, slot)},
                           {"key", catalogue.BodyNames[slot]}});
        std::cout << (o.name.empty() ? out : out[0]).dump() << '\n';
    } else if (o.csv) {
        std::cout << CsvLine({"slot", "name", "key"});
        for (int slot : slots)
            std::cout << CsvLine({std::to_string(slot), BodyDisplayName(catalogue, slot),
                                  catalogue.BodyNames[slot]});
    } else {
        std::vector<std::vector<std::string>> rows;
        for (int slot : slots)
            rows.push_back({std::to_string(slot), BodyDisplayName(catalogue, slot)});
        std::cout << AlignedColumns(rows, "rl");
    }
}

}  // namespace

void AddBodyCommands(CLI::App& app, CliContext& context) {
    auto o = std::make_shared<BodyOptions>();
    auto* body = app.add_subcommand(
        "body",
        "Slot number and name of a body (any letter case, short forms such as Jup, NN, "
        "asc, MC, PF); without a name the whole catalogue");
    body->add_option("NAME", o->name, "Body name, e.g. jupiter");
    body->add_flag("--json", o->json, "JSON output");
    body->add_flag("--csv", o->csv, "CSV output");
    body->callback([o, &context] { RunBody(*o, context); });
}

}  // namespace quintaro::cli
