// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The planet groups at start-up: the default group 1 files and "GeneralUse.ord" are rewritten
// at every start, then the current group of each kind and the priorities are read. The
// start-up calls StartUpGroups after the settings file and after the ephemeris loader has named
// the free slots, so that group files may name those bodies.

#include <filesystem>

#include "core/bodies.h"
#include "core/messages.h"
#include "core/progress.h"
#include "setup/selections.h"
#include "setup/settings_file.h"

namespace quintaro {

// The contents of the default group 1 files.
SelectionFlags DefaultSelectGroup();   // "\group1.sel": 16 bodies, natal and transit
SelectionFlags DefaultSynchGroup();    // "\group1.syn": the same without the Moon
SelectionFlags DefaultCrucialGroup();  // "\group1.cru": Venus, Neptune, Pluto, Chiron

// Writes "\group1.sel", "\group1.cru", "\group1.syn" and "\GeneralUse.ord" with their default
// contents, reporting each step through progress. False when a file could not be written
// (reported through messages).
bool WriteDefaultGroups(const std::filesystem::path& home, const Progress& progress,
                        Messages& messages);

// The start-up's group steps, in order: writes the default files, then reads the select,
// crucial and synchronization groups and the priorities, each step announced through progress.
// The live selections start as the settings' selection texts; each group read replaces its
// live selection with the current group (the settings' "GeoGroup", "CrucialGroup",
// "SynchGroup"; a number outside 1..9 means group 1, as does a current group whose file is
// missing). When a read finds entries naming no body, the "Missing ephemeris files" message is
// shown and the remaining reads are skipped.
PlanetGroups StartUpGroups(const std::filesystem::path& home, const BodyCatalogue& catalogue,
                           const Settings& settings, const Progress& progress, Messages& messages);

// The group buttons' "Load": reads the current group's file ("\group" + k + extension) into
// that group. False, with "File not found", when the file is missing. Group 10 has no numbered
// file: its file comes from the window's dialog and is read with ReadGroupFile.
bool LoadCurrentGroup(const std::filesystem::path& home, GroupKind kind, SelectionGroups& groups,
                      const BodyCatalogue& catalogue, Messages& messages);

// The save-to-group button: writes flags to the current group's file and keeps them as that
// group. For group 10, which has no numbered file, nothing is written and false is returned.
bool SaveCurrentGroup(const std::filesystem::path& home, GroupKind kind, SelectionGroups& groups,
                      const SelectionFlags& flags, const BodyCatalogue& catalogue,
                      Messages& messages);

// Settings texts of the live selections, for writing the settings file at exit.
void StoreSelections(const PlanetGroups& groups, Settings& settings);

}  // namespace quintaro
