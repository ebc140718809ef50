// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/bodies.h"
#include "core/day_tables.h"
#include "core/messages.h"
#include "core/progress.h"
#include "core/selection_flags.h"

namespace quintaro {

class Ephemeris;

// Folders of the ephemeris files under the installation folder.
constexpr std::string_view EphemsFolder = "\\ephems";
constexpr std::string_view LoadFolder = "\\ephems\\loadephems";

std::filesystem::path LoadFolderPath(const std::filesystem::path& home);

// Whether a body name found in the load folder is a midpoint ephemeris: "hjp", "hki", "jki",
// a name starting with "mp", or two body names joined by "_", "-" or "+". A body name is a
// catalogue name of slots 1..17, a three-letter abbreviation ("Sat") or the name of another
// body in `folderNames`; letter case is ignored.
bool IsMidpointEphemeris(std::string_view name, const std::vector<std::string>& folderNames);

// The two bodies of a midpoint ephemeris named `name`: "hjp" Saturn/Jupiter, "hki" Saturn/Chiron,
// "jki" Jupiter/Chiron; two names joined by "_", "-" or "+" that are catalogue bodies of slots
// 1..17 (names or three-letter abbreviations) or single bodies of the free slots. A midpoint
// whose bodies are not known (a name starting with "mp", or a part naming another midpoint) gets
// slots 0; a name that is no midpoint gives isMidpoint false.
MidpointPair MidpointPairOf(std::string_view name, const BodyCatalogue& catalogue);

// Sets the midpoint pair of every named free slot in `tables` (the loaders below do so).
void AssignMidpointPairs(const BodyCatalogue& catalogue, DayTables& tables);

// Orders the body names of the load folder for the free slots: first the single bodies
// (asteroids and the like) alphabetically, then "hjp", "hki", "jki" in that order, then the
// other midpoint ephemerides alphabetically. Alphabetical ignores letter case.
std::vector<std::string> OrderLoadNames(std::vector<std::string> names);

// Lists the load folder for "*1900l.eph" files and names the free slots from 21 on with the
// body names (the file name before "1900l.eph") in the order of OrderLoadNames, after resetting
// the free slots to "unused". More than 33 bodies: the "WARNING!" message and the rest ignored.
// Returns the names given a slot.
std::vector<std::string> SelectLoadFiles(const std::filesystem::path& home,
                                         BodyCatalogue& catalogue, Messages& messages);

// Closes every planetary file and opens "ephem000.dat" .. "ephem006.dat" of the load folder
// that exist. Returns how many were opened; the names of files that exist but could not be
// opened (reported by the reader) go to `unusable` when given.
int OpenPlanetFiles(const std::filesystem::path& home, Ephemeris& ephemeris,
                    std::vector<std::string>* unusable = nullptr);

// Whether a file name is one of the ephemeris files the workstation installs and reads:
// "ephemNNN.dat" or a day table "*.eph" (letter case ignored).
bool IsEphemerisFileName(const std::string& name);

// Loads the 1900 tables of every named free slot whose natal or transit flag is "1", showing
// "Loading " + name + " ephemerides" through progress. A missing or damaged file is reported
// ("Unable to load ephemeris file " + what is wrong) and that body keeps what it had. Returns
// false when progress asked to stop.
bool LoadDayTables(const std::filesystem::path& home, const BodyCatalogue& catalogue,
                   const SelectionFlags& flags, DayTables& tables, Messages& messages,
                   const Progress& progress);

// After the selection changed: loads the 1900 tables of the selected free slots not loaded yet
// ("Loading 1900 " + name + " ephemerides"), and their 1750 tables too when use1750 is on.
bool LoadNewlySelectedTables(const std::filesystem::path& home, const BodyCatalogue& catalogue,
                             const SelectionFlags& flags, DayTables& tables, Messages& messages,
                             const Progress& progress, bool use1750);

// Loads the 1750 tables of every free slot whose 1900 tables are loaded, except "apollo",
// showing "Initializing Ephemerides". Returns true when the caller should set Use1750 (all
// bodies were tried; false only when progress asked to stop).
bool Load1750Tables(const std::filesystem::path& home, const BodyCatalogue& catalogue,
                    DayTables& tables, Messages& messages, const Progress& progress);

// The folder the build wrote the generated ephemeris files to, or $QUINTARO_EPHEMERIS_SOURCE
// when set.
std::filesystem::path GeneratedEphemerisSource();

// Creates "\ephems" and "\ephems\loadephems" and copies into the load folder each generated
// file ("ephem*.dat", "*.eph") of GeneratedEphemerisSource() that is missing there. Files the
// user already has are never replaced. Returns how many files were copied.
int InstallGeneratedEphemeris(const std::filesystem::path& home, Messages& messages);
// The same from an explicit source folder.
int InstallEphemerisFrom(const std::filesystem::path& source, const std::filesystem::path& home,
                         Messages& messages);

}  // namespace quintaro
