// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Finding ephemeris files of the load folder that cannot serve (missing or damaged) and putting
// back the copies the workstation installs: what start-up, the window's question and
// `quintaro-cli ephemeris` share.

#include <filesystem>
#include <string>
#include <vector>

#include "core/bodies.h"
#include "core/day_tables.h"
#include "core/messages.h"
#include "core/selection_flags.h"

namespace quintaro {

class Ephemeris;

// The planetary files the workstation installs: "ephem000.dat" .. "ephem004.dat".
constexpr int InstalledPlanetFileCount = 5;

// A file of the load folder that cannot serve.
struct EphemerisFileProblem {
    std::string file;  // its name in the load folder, e.g. "ephem001.dat"
    std::string what;  // "is missing" or "is damaged: " + why
};

// Empty when the ephemeris file (a planetary ".dat" file or a day table ".eph") can be read
// whole, else what is wrong with it. Reads the whole file.
std::string EphemerisFileDamage(const std::filesystem::path& path);

// Opens the planetary files as OpenPlanetFiles does and lists the installed ones that are
// missing or could not be opened (damaged, reported by the reader).
std::vector<EphemerisFileProblem> OpenPlanetFilesChecked(const std::filesystem::path& home,
                                                         Ephemeris& ephemeris);

// The 1900 day-table files of the selected free-slot bodies whose tables could not be loaded,
// each with what is wrong with it (read again: only when something failed).
std::vector<EphemerisFileProblem> UnloadedDayTables(const std::filesystem::path& home,
                                                    const BodyCatalogue& catalogue,
                                                    const SelectionFlags& flags,
                                                    const DayTables& tables);

// Every ephemeris file the load folder should hold: the installed planetary files, the files of
// `source` (when there is one) and those the folder holds itself, each checked whole. What
// `quintaro-cli ephemeris check` lists.
struct EphemerisFileStatus {
    std::string file;
    std::string problem;  // empty for a sound file
};
std::vector<EphemerisFileStatus> CheckEphemerisFiles(const std::filesystem::path& home,
                                                     const std::filesystem::path& source);

// Puts back, from `source`, every generated file that is missing from the load folder or
// damaged there; sound files (the user's own among them) stay. Returns the files restored;
// files that could not be copied are reported.
std::vector<std::string> RestoreEphemerisFiles(const std::filesystem::path& source,
                                               const std::filesystem::path& home,
                                               Messages& messages);

// The problems as lines ("ephem001.dat is damaged: ...").
std::string ProblemLines(const std::vector<EphemerisFileProblem>& problems);

// How the user gets the files back: the command that restores them, with the folder to take
// them from when this installation has no copy of its own.
std::string RestoreAdvice(const std::filesystem::path& source);

// Whether `source` holds a copy of every file named in `problems`.
bool SourceCovers(const std::filesystem::path& source,
                  const std::vector<EphemerisFileProblem>& problems);

}  // namespace quintaro
