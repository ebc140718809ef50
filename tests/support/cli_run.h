// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/atomic_file.h"
#include "shell_quoted.h"

namespace quintaro::test {

struct CliResult {
    int status = -1;  // exit status; 128 + n when the program was killed by signal n
    std::string out, err;
};

// How a program is started besides its arguments.
struct RunSetting {
    // "NAME=value" sets a variable for the program, a bare "NAME" removes it.
    std::vector<std::string> environment;
    // The program's working folder; empty: the test's.
    std::filesystem::path workingFolder;
};

// Runs a program with the arguments; its output is caught in files of `folder`.
inline CliResult RunProgram(const std::string& program, const std::filesystem::path& folder,
                            const std::vector<std::string>& args, const RunSetting& setting = {}) {
    std::string command;
    if (!setting.workingFolder.empty())
        command += "cd " + ShellQuoted(setting.workingFolder.string()) + " && ";
    command += "env";  // removals first: env takes its options before the assignments
    for (const std::string& variable : setting.environment)
        if (variable.find('=') == std::string::npos) command += " -u " + ShellQuoted(variable);
    for (const std::string& variable : setting.environment)
        if (variable.find('=') != std::string::npos) command += " " + ShellQuoted(variable);
    command += " " + ShellQuoted(program);
    for (const std::string& arg : args) command += " " + ShellQuoted(arg);
    auto out = folder / "stdout.txt";
    auto err = folder / "stderr.txt";
    command += " >" + ShellQuoted(out.string()) + " 2>" + ShellQuoted(err.string());
    CliResult result;
    int raw = std::system(command.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    ReadWholeFile(out, result.out);
    ReadWholeFile(err, result.err);
    return result;
}

#ifdef QUINTARO_CLI
// Runs quintaro-cli with the arguments; its output is caught in files of `folder`.
inline CliResult RunCli(const std::filesystem::path& folder, const std::vector<std::string>& args,
                        const RunSetting& setting = {}) {
    return RunProgram(QUINTARO_CLI, folder, args, setting);
}
#endif

}  // namespace quintaro::test
