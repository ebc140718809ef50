// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Line-by-line reading shared by the readers of the settings, options, capacity, group and
// priority files. Damaged files must not cost unbounded memory, so lines are cut at a fixed
// length and handed over one at a time.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace quintaro {

// Longest line kept; the rest of a longer line is dropped.
inline constexpr size_t MaxFileLineLength = 4096;

using LineHandler = std::function<bool(std::string_view line)>;
// Something that feeds lines to a handler: a file or a text in memory.
using LineSource = std::function<void(const LineHandler& onLine)>;

// Calls onLine for every line of the file (without its line break and trailing carriage
// returns) until onLine returns false. False when the file cannot be opened.
bool ForEachFileLine(const std::filesystem::path& file, const LineHandler& onLine);

// The same over a text already in memory (the readers' fuzz targets use it).
void ForEachTextLine(std::string_view text, const LineHandler& onLine);

// Line sources over a file already known to exist and over a text in memory.
LineSource FileLines(const std::filesystem::path& file);
LineSource TextLines(std::string_view text);

// The text without leading and trailing blanks, tabs and carriage returns.
std::string_view TrimBlanks(std::string_view text);

}  // namespace quintaro
