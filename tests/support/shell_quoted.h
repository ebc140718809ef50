// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>

namespace quintaro::test {

// An argument quoted for the POSIX shell.
inline std::string ShellQuoted(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace quintaro::test
