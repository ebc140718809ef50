// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The options file "OPTIONS.DAT" in the installation folder: up to 60 numbers, one a line, of
// which entries 18 to 24 are the home location that "Now" uses. The workstation reads it at
// start-up, before the settings file.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/chart_data.h"
#include "core/messages.h"

namespace quintaro {

inline constexpr std::string_view OptionsFileName = "\\OPTIONS.DAT";
inline constexpr int OptionCount = 60;
// Only this many characters of a line count: longer numbers are cut there.
inline constexpr size_t OptionFieldWidth = 7;

struct Options {
    std::array<double, OptionCount + 1> entries{};  // entries 1..60, index 0 unused
};

// All 0 except entry 17 (1), the home location 18..24 (zone 5, longitude 73° 59' West,
// latitude 40° 46' North), 30 (58), 44 (6), 48 (12), 57 (79) and 58 (95).
Options DefaultOptions();

// Reads the file over the values in options: entry k is the leading number of the first seven
// characters of line k (0 when there is none); reading stops at an empty line, at the end of
// the file or after 60 lines. A missing file changes nothing and says nothing.
void ReadOptionsFile(const std::filesystem::path& file, Options& options, Messages& messages);
void ReadOptionsText(std::string_view text, Options& options, Messages& messages);

// The 60 entries, one a line. Each is written in at most seven characters so that reading gives
// it back: a leading blank when it fits, as many decimals as fit (at most six).
std::string OptionsText(const Options& options);
bool WriteOptionsFile(const std::filesystem::path& file, const Options& options,
                      Messages& messages);

// Start-up: the defaults, then home + "\OPTIONS.DAT" when it exists.
Options ReadOptions(const std::filesystem::path& home, Messages& messages);

// Entries 18 to 24: zone, longitude degrees, minutes and direction (0 West, anything else
// East), latitude degrees, minutes and direction (0 North, anything else South).
HomeLocation HomeLocationOf(const Options& options);
// Writes a home location into entries 18 to 24 (directions as 0 or 1).
void StoreHomeLocation(const HomeLocation& home, Options& options);

}  // namespace quintaro
