// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "app/session.h"
#include "cli/cli_context.h"

namespace quintaro::cli {

// Starts the workstation as the program does ("Now" in both sections, computed, aspects found).
// Nothing, with the reason reported, when it cannot start or the house system is unknown.
std::unique_ptr<Session> OpenSession(CliContext& context, const std::string& houseSystem = {});

// Loads a chart data file into the entry model and recomputes; false (reported) when the file
// cannot be read.
bool LoadOptFile(Session& session, const std::string& path, CliContext& context);

// Shuts the workstation down as the program does (writes the settings).
void CloseSession(Session& session, CliContext& context);

}  // namespace quintaro::cli
