// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/ephemeris_file_format.h"
#include "core/progress.h"
#include "tools/ephemgen/body_plan.h"

namespace quintaro::ephemgen {

// "ephem000.dat" .. "ephem006.dat".
std::string PlanetFileName(int file);

// The number of the last planetary file the plan fills.
int LastPlanetFile();

// Directory entries of one body: the components of every frame its plan gives a step, sampled
// from the reference library over the whole coverage. With `refine`, stretches where the
// interpolation half-way between samples misses the library are sampled again at an eighth of
// the step (twice at most); they become entries of their own between the coarse ones, so one
// component may have many entries, consecutive in time. Empty when the progress callback cancels.
std::vector<EphemerisEntryData> BodyEntries(const BodyPlan& plan, bool refine,
                                            const Progress& progress);

// Writes one planetary file with every body the plan puts in it. Empty on success, else why.
std::string WritePlanetFile(const std::filesystem::path& folder, int file,
                            const Progress& progress);

}  // namespace quintaro::ephemgen
