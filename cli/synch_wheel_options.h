// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The wheel command's small wheels: one synchronization (--synch N --kind gl|hl) or one
// symmetrical pattern (--symmetry N --kind geo|helio) of the members of --syn files.

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <vector>

#include "app/session.h"
#include "cli/cli_context.h"
#include "wheels/wheel_input.h"

namespace quintaro::cli {

struct SynchWheelChoice {
    int synch = 0;     // 1-based, in priority order
    int symmetry = 0;  // 1-based
    std::string kind;
    std::vector<std::string> syn;
    std::string orbs, orbGeo, orbHelio;
};

void AddSynchWheelOptions(CLI::App& wheel, SynchWheelChoice& choice);

// Whether a small wheel was asked for instead of the chart wheel.
bool SynchWheelRequested(const SynchWheelChoice& choice);

// Chooses the files, runs the search and gives the small wheel of the entry asked for. Nothing,
// reported, when the options do not fit together or the entry does not exist.
std::optional<WheelInput> SynchWheelInput(Session& session, const SynchWheelChoice& choice,
                                          const WheelTarget& target, CliContext& context);

}  // namespace quintaro::cli
