// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <CLI/CLI.hpp>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/messages.h"

namespace quintaro::cli {

// Prints messages to stderr; questions are answered "no" (the command line has no dialogue).
class StderrMessages final : public Messages {
  public:
    void show(const std::string& title, const std::string& text, MessageIcon icon) override;
    bool ask(const std::string& title, const std::string& text) override;
};

// What every subcommand shares: the installation folder chosen on the command line, the message
// sink, and the exit code the command wants.
struct CliContext {
    std::string home;  // empty: the default installation folder
    StderrMessages messages;
    int exitCode = 0;

    std::filesystem::path homeFolder() const;
    // Reports an error on stderr and marks the run as failed.
    void fail(const std::string& text);
};

// Each command file adds its subcommands with one of these.
using CommandRegistrar = std::function<void(CLI::App&, CliContext&)>;
void AddCalendarCommands(CLI::App& app, CliContext& context);
void AddBodyCommands(CLI::App& app, CliContext& context);
void AddChartCommands(CLI::App& app, CliContext& context);
void AddAspectsCommands(CLI::App& app, CliContext& context);
void AddWheelCommand(CLI::App& app, CliContext& context);
void AddPositionsCommand(CLI::App& app, CliContext& context);
void AddHousesCommand(CLI::App& app, CliContext& context);
void AddOptCommands(CLI::App& app, CliContext& context);
void AddStoreCommands(CLI::App& app, CliContext& context);
void AddReportCommand(CLI::App& app, CliContext& context);
void AddDatabaseCommands(CLI::App& app, CliContext& context);
void AddPivotsCommands(CLI::App& app, CliContext& context);
void AddEphemerisCommands(CLI::App& app, CliContext& context);
void AddPredictiveCommands(CLI::App& app, CliContext& context);

}  // namespace quintaro::cli
