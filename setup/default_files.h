// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/messages.h"

namespace quintaro {

// A default text file compiled into the program (from data/).
struct EmbeddedFile {
    std::string name;
    std::string content;
};
const std::vector<EmbeddedFile>& EmbeddedDefaultFiles();

// Marks an installation folder that has been set up once.
inline constexpr const char* InstalledMarkerName = ".quintaro-installed";

// First start in a folder: creates it and writes the default text files ("errormsg.txt",
// "infoforprintout.txt", ...) that are missing, then leaves the marker. Later starts change
// nothing, so a file the user removed stays removed. Returns false when the folder cannot be
// made or written (reported through messages).
bool InstallDefaultFiles(const std::filesystem::path& home, Messages& messages);

// Copies the glyph font "Orvessa.ttf" and its outline file "orvessa_paths.txt" that the build
// made (or $QUINTARO_FONT_SOURCE) into the installation folder when they are missing there or
// older than the build's. Returns how many files were copied.
int InstallGeneratedFont(const std::filesystem::path& home, Messages& messages);

}  // namespace quintaro
