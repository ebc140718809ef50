// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quintaro {

// Writes a file whole or not at all: the text goes to a temporary file beside the target, is
// flushed to the disk, and then replaces the target in one rename. Returns an empty string on
// success, else the reason.
std::string WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

// Reads a whole file; false when it cannot be opened.
bool ReadWholeFile(const std::filesystem::path& path, std::string& content);

}  // namespace quintaro
