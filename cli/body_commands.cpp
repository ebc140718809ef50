// SPDX-License-Identifier: AGPL-3.0-or-later
// body: looks a body up in the catalogue as the group files and databases do.
#include <iostream>
#include <memory>

#include "cli/cli_context.h"
#include "core/bodies.h"

namespace quintaro::cli {

void AddBodyCommands(CLI::App& app, CliContext& context) {
    auto name = std::make_shared<std::string>();
    auto* body = app.add_subcommand("body", "Slot number of a body name (first five characters)");
    body->add_option("NAME", *name, "Body name, e.g. jupiter")->required();
    body->callback([name, &context] {
        BodyCatalogue catalogue = MakeBodyCatalogue();
        std::cout << FindBody(catalogue, *name, context.messages) << '\n';
    });
}

}  // namespace quintaro::cli
