// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// What the synch, symmetry and wheel commands share: the chart, the synchronization files and
// the orbs as the command line gives them.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/session.h"
#include "cli/cli_context.h"
#include "synch/synch_day.h"

namespace quintaro::cli {

// An orb as the window's field takes it: digits and "." only, read by its leading number
// ("1.5.2" is 1.5). Nothing, reported, for other characters or an empty text.
std::optional<double> ParseOrb(const std::string& text, const std::string& option,
                               CliContext& context);

// "GL,GD,HL,HLAT": four orbs; empty gives the window's defaults.
std::optional<SynchOrbs> ParseSynchOrbs(const std::string& text, CliContext& context);

// The started session with the chart file loaded (when given) and the synchronization files
// chosen. Nothing, reported, when a file is missing or cannot be used.
std::unique_ptr<Session> OpenSynchSession(const std::string& optFile,
                                          const std::vector<std::string>& synFiles,
                                          CliContext& context);

}  // namespace quintaro::cli
