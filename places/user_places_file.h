// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "places/geo_place.h"
#include "places/zone_database.h"

namespace quintaro {

// The user's own places: the plain text file "places.txt" in the installation folder, one place
// a line, four fields separated by ";":
//     name; latitude; longitude; zone name
//     Grandma's farm; 40N46; 73W59; America/New_York
// Coordinates as signed decimal degrees (north and east positive, as maps give them: 40.7667,
// -73.9833), or degrees, a direction letter and minutes (40N46, 73W59, 51n28.6). Blank lines and
// lines starting with "#" are skipped.
inline constexpr std::string_view kUserPlacesFileName = "\\places.txt";

struct UserPlacesFile {
    std::vector<GeoPlace> places;
    // One sentence for each line that could not be read ("line 4: the latitude \"95N00\" ...");
    // the places of the other lines are kept.
    std::vector<std::string> problems;
};

// Reads the lines of a places file; zone names are checked against `zones` and kept in the
// spelling the database uses.
UserPlacesFile ParseUserPlaces(std::string_view text, const ZoneDatabase& zones);

// Files bigger than this are damaged; only their beginning is read.
inline constexpr size_t kUserPlacesReadLimit = 1 << 20;
// A missing file holds no places and is no problem.
UserPlacesFile ReadUserPlaces(const std::filesystem::path& file, const ZoneDatabase& zones);

// A latitude or longitude as the file may write it, in decimal degrees (north, east positive);
// nothing, with the reason in `error`, when it is not one.
std::optional<double> ParseLatitude(std::string_view text, std::string& error);
std::optional<double> ParseLongitude(std::string_view text, std::string& error);

// One line of the file for a place: "name; 40N46.2; 73W59.4; America/New_York".
std::string UserPlaceLine(const GeoPlace& place);

// Adds a place at the end of the file (created with an explaining header when missing), the
// whole file written anew or not at all. Empty on success, else the reason.
std::string AddUserPlace(const std::filesystem::path& file, const GeoPlace& place);

}  // namespace quintaro
