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
    int status = -1;
    std::string out, err;
};

// Runs quintaro-cli with the arguments; its output is caught in files of `folder`.
inline CliResult RunCli(const std::filesystem::path& folder, const std::vector<std::string>& args) {
    std::string command = ShellQuoted(QUINTARO_CLI);
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

}  // namespace quintaro::test
