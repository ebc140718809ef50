// SPDX-License-Identifier: AGPL-3.0-or-later
#include "cli/cli_context.h"

#include <iostream>

#include "core/install_folder.h"

namespace quintaro::cli {

void StderrMessages::show(const std::string& title, const std::string& text, MessageIcon icon) {
    const char* kind = icon == MessageIcon::Critical      ? "error"
                       : icon == MessageIcon::Exclamation ? "warning"
                                                          : "note";
    std::cerr << kind << ": " << title << ": " << text << '\n';
}

bool StderrMessages::ask(const std::string& title, const std::string& text) {
    std::cerr << "question (answered no): " << title << ": " << text << '\n';
    return false;
}

std::filesystem::path CliContext::homeFolder() const {
    return home.empty() ? DefaultHome() : std::filesystem::path(home);
}

void CliContext::fail(const std::string& text) {
    std::cerr << "error: " << text << '\n';
    exitCode = 1;
}

}  // namespace quintaro::cli
