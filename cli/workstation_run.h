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

// Loads a chart data file into the entry model and recomputes. False (reported, exit code 1)
// when the file cannot be read or is damaged: what it lacks would come from "Now", and a chart
// made of two moments is no answer.
bool LoadOptFile(Session& session, const std::string& path, CliContext& context);

// Whether the charts a command shows were computed whole: false (reported on stderr, exit code 1)
// when the natal moment, or with `withTransit` the transit moment, lies outside the ephemeris or
// a selected body has no position because its ephemeris file is missing or damaged.
bool ChartsComplete(const Session& session, bool withTransit, CliContext& context);

// Whether the natal moment, and with `withTransit` the transit moment, could be computed at all.
bool ChartsComputed(const Session& session, bool withTransit);

// Shuts the workstation down as the program does: writes the settings when they changed. A
// settings file that cannot be written (a read-only installation folder) has been reported as a
// warning and does not change the exit code: the command's result stands.
void CloseSession(Session& session, CliContext& context);

}  // namespace quintaro::cli
