// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quintaro {

// The numbered message texts of "errormsg.txt": trimmed lines, without comments (lines that
// begin and end with "*"), "*=?" lines and empty lines; message k is entry k − 1.
// Nothing when the file cannot be opened.
std::optional<std::vector<std::string>> ReadMessageTexts(const std::filesystem::path& file);

// The printout header of "infoforprintout.txt": three header lines, then up to 200 further lines
// joined into the notice block, each followed by a line break. Missing file: all empty.
struct PrintoutInfo {
    std::string line1, line2, line3;
    std::string notice;
};
PrintoutInfo ReadPrintoutInfo(const std::filesystem::path& file);

// Where the ephemeris files are loaded from, by ephemeris configuration: 1 → "\ephems" with
// "\ephems\loadephems", otherwise (the default, 5) → "\velmeph".
std::vector<std::string> EphemerisFolders(int configuration);
std::string EphemerisLoadFolder(int configuration);

// Creates the folder layout under home in its fixed order; existing folders and failures are
// ignored, so starting twice is harmless.
void CreateFolderLayout(const std::filesystem::path& home, int ephemerisConfiguration);

std::string WindowTitle();

}  // namespace quintaro
