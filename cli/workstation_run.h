// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "cli/cli_context.h"
#include "setup/chart_data_file.h"
#include "setup/workstation.h"

namespace quintaro::cli {

// A workstation started in the installation folder for one command.
struct CliSession {
    CliSession(const std::filesystem::path& home, Messages& messages)
        : workstation(home, messages) {}
    Workstation workstation;
    ChartFileMemory chartFile;
};

// Starts the workstation as the program does ("Now" in both sections, computed). Nothing, with
// the reason reported, when it cannot start or the house system is unknown.
std::unique_ptr<CliSession> OpenSession(CliContext& context, const std::string& houseSystem = {});

// Loads a chart data file into the entry model and recomputes; false (reported) when the file
// cannot be read.
bool LoadOptFile(CliSession& session, const std::string& path, CliContext& context);

// Shuts the workstation down as the program does (writes the settings).
void CloseSession(CliSession& session, CliContext& context);

}  // namespace quintaro::cli
