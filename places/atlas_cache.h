// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "places/atlas.h"

namespace quintaro {

// The cities of the atlas, folded for searching, kept in a file of the installation folder:
// reading them through libgeonames takes a good tenth of a second, the file a few milliseconds.
// The file names the library it was made from and is made anew when that changes.
inline constexpr std::string_view kAtlasCacheFileName = "\\atlas.cache";

// A first line naming the format and the source, then one city a line, its fields separated by
// tabs: name, region, country, code, latitude, longitude, zone, population and the folded name,
// region, country and code.
std::string AtlasCacheText(const std::vector<AtlasEntry>& cities, std::string_view source);
// Nothing when the text was made from another source or is damaged anywhere.
std::optional<std::vector<AtlasEntry>> ParseAtlasCache(std::string_view text,
                                                       std::string_view source);

// The cities from the cache file when it is good, else from libgeonames, writing the cache anew
// (a cache that cannot be written only costs time at the next start).
std::vector<AtlasEntry> LoadAtlasCities(const std::filesystem::path& cacheFile);

}  // namespace quintaro
