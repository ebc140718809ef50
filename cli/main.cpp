// SPDX-License-Identifier: AGPL-3.0-or-later
// quintaro-cli: the workstation's operations without windows, text for people, JSON for programs.
#include <CLI/CLI.hpp>

#include "cli/cli_context.h"

int main(int argc, char** argv) {
    quintaro::cli::CliContext context;
    CLI::App app{
        "Quintaro astrology workstation, command line. Charts are entered with --opt FILE "
        "or --natal-date, --natal-time, --natal-zone, --natal-long, --natal-lat; see "
        "docs/user-guide.md."};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("quintaro-cli ") + QUINTARO_VERSION);
    app.add_option("--home", context.home,
                   "Installation folder (default: $QUINTARO_HOME, "
                   "else $XDG_DATA_HOME/quintaro)");

    quintaro::cli::AddCalendarCommands(app, context);
    quintaro::cli::AddBodyCommands(app, context);
    quintaro::cli::AddChartCommands(app, context);
    quintaro::cli::AddAspectsCommands(app, context);
    quintaro::cli::AddWheelCommand(app, context);
    quintaro::cli::AddPositionsCommand(app, context);
    quintaro::cli::AddHousesCommand(app, context);
    quintaro::cli::AddOptCommands(app, context);
    quintaro::cli::AddStoreCommands(app, context);
    quintaro::cli::AddReportCommand(app, context);
    quintaro::cli::AddDatabaseCommands(app, context);
    quintaro::cli::AddPivotsCommands(app, context);
    quintaro::cli::AddEphemerisCommands(app, context);
    quintaro::cli::AddPlaceCommands(app, context);
    quintaro::cli::AddPredictiveCommands(app, context);
    quintaro::cli::AddSynchCommands(app, context);
    quintaro::cli::AddAspectarianCommands(app, context);
    quintaro::cli::AddPrintCommands(app, context);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error);
    }
    return context.exitCode;
}
