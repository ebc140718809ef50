// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string_view>

namespace quintaro {

// The installation folder: every file of the system is named relative to it.
// Order: an explicit choice (--home), then $QUINTARO_HOME, then $XDG_DATA_HOME/quintaro,
// then ~/.local/share/quintaro.
std::filesystem::path DefaultHome();

// Turns a relative name as the system writes it ("\ephems\loadephems\ephem000.dat" or
// "/ephems/...") into a path under home. Both separators are accepted.
std::filesystem::path HomePath(const std::filesystem::path& home, std::string_view relative);

}  // namespace quintaro
