// SPDX-License-Identifier: AGPL-3.0-or-later
// ephemeris check / install: which ephemeris files of the installation folder can serve, and
// putting back the ones the workstation installs when they are missing or damaged.
#include <iostream>
#include <memory>

#include "cli/cli_context.h"
#include "core/ephemeris_loader.h"
#include "core/ephemeris_repair.h"

namespace quintaro::cli {

namespace {

std::filesystem::path SourceOrDefault(const std::string& from) {
    return from.empty() ? GeneratedEphemerisSource() : std::filesystem::path(from);
}

void RunCheck(const std::string& from, CliContext& context) {
    const std::filesystem::path home = context.homeFolder();
    int damaged = 0;
    for (const EphemerisFileStatus& status : CheckEphemerisFiles(home, SourceOrDefault(from))) {
        std::cout << status.file << "  " << (status.problem.empty() ? "ok" : status.problem)
                  << '\n';
        if (!status.problem.empty()) ++damaged;
    }
    if (damaged > 0)
        context.fail(std::to_string(damaged) + " ephemeris file(s) in " +
                     LoadFolderPath(home).string() + " cannot be used; " +
                     RestoreAdvice(SourceOrDefault(from)));
}

void RunInstall(const std::string& from, CliContext& context) {
    const std::filesystem::path home = context.homeFolder();
    const std::filesystem::path source = SourceOrDefault(from);
    std::error_code ec;
    if (source.empty() || !std::filesystem::is_directory(source, ec))
        return context.fail("no folder to install the ephemeris files from" +
                            (source.empty() ? std::string() : " (" + source.string() + ")") +
                            "; give one with --from");
    for (const std::string& file : RestoreEphemerisFiles(source, home, context.messages))
        std::cout << "installed " << file << '\n';
    // What is still wrong afterwards: files of the source that could not be copied, and
    // installed planetary files that the source does not hold either.
    int left = 0;
    for (const EphemerisFileStatus& status : CheckEphemerisFiles(home, source)) {
        if (status.problem.empty()) continue;
        std::cerr << "error: " << status.file << ' ' << status.problem << '\n';
        ++left;
    }
    if (left > 0) context.fail(std::to_string(left) + " ephemeris file(s) are still unusable");
}

}  // namespace

void AddEphemerisCommands(CLI::App& app, CliContext& context) {
    auto* ephemeris = app.add_subcommand(
        "ephemeris", "The ephemeris files of the installation folder: check and install");
    ephemeris->require_subcommand(1);
    auto from = std::make_shared<std::string>();

    auto* check = ephemeris->add_subcommand(
        "check", "List every ephemeris file of the load folder with what is wrong with it");
    check->add_option("--from", *from, "Folder of the files the workstation installs");
    check->callback([from, &context] { RunCheck(*from, context); });

    auto* install = ephemeris->add_subcommand(
        "install",
        "Put back the ephemeris files the workstation installs that are missing or damaged "
        "(sound files, the user's own among them, are kept)");
    install->add_option("--from", *from,
                        "Folder to take them from (default: the build's generated files or "
                        "$QUINTARO_EPHEMERIS_SOURCE)");
    install->callback([from, &context] { RunInstall(*from, context); });
}

}  // namespace quintaro::cli
