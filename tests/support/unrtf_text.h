// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// An independent reader of rich-text files: the unrtf program (Debian package unrtf), asked for
// plain text.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/atomic_file.h"

namespace quintaro::test {

struct UnrtfResult {
    int status = -1;
    std::string text;      // the document's text, UTF-8, without unrtf's own header
    std::string warnings;  // what unrtf wrote to stderr
};

inline std::string UnrtfQuoted(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline bool UnrtfInstalled() {
    return std::system("command -v unrtf >/dev/null 2>&1") == 0;
}

// Converts the file with "unrtf --text". Its output starts with comment lines ("### ...") and a
// line of dashes, which are left out; Windows-1252 bytes become UTF-8 (the code page's letters
// beyond Latin-1 are not needed by the tests).
inline UnrtfResult ConvertWithUnrtf(const std::filesystem::path& rtf,
                                    const std::filesystem::path& scratch) {
    const auto out = scratch / "unrtf.out";
    const auto err = scratch / "unrtf.err";
    const std::string command = "unrtf --text " + UnrtfQuoted(rtf.string()) + " >" +
                                UnrtfQuoted(out.string()) + " 2>" + UnrtfQuoted(err.string());
    UnrtfResult result;
    const int raw = std::system(command.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::string bytes;
    ReadWholeFile(out, bytes);
    ReadWholeFile(err, result.warnings);
    const std::string separator = "-----------------\n";
    if (const auto at = bytes.find(separator); at != std::string::npos)
        bytes.erase(0, at + separator.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            result.text += c;
        } else {
            result.text += static_cast<char>(0xC0 | (byte >> 6));
            result.text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return result;
}

}  // namespace quintaro::test
