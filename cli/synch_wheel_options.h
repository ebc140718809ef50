// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The wheel command's small wheels: one synchronization (--synch N --kind gl|hl) or one
// symmetrical pattern (--symmetry N --kind geo|helio) of the members of --syn files.

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "app/session.h"
#include "cli/cli_context.h"

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

// Chooses the files, runs the search and writes the small wheel of the entry asked for into
// `out` (.png, .svg or .pdf, sizePx pixels square). False, reported, when the options do not fit
// together, the entry does not exist or the file cannot be written.
bool WriteSynchWheel(Session& session, const SynchWheelChoice& choice, const std::string& out,
                     int sizePx, CliContext& context);

}  // namespace quintaro::cli
