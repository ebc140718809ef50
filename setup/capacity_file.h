// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The capacity file "arrays.txt" in the installation folder: how many entries the lists of
// found aspects and the synchronization and symmetry result tables hold. Read first at
// start-up; created with the defaults when missing.

#include <filesystem>
#include <string>
#include <string_view>

#include "core/messages.h"

namespace quintaro {

inline constexpr std::string_view CapacityFileName = "\\arrays.txt";

struct Capacities {
    int numAspects = 1500;                   // each aspect list holds numAspects + 1 entries
    int numSynchsSymsAllowedInArray = 1000;  // synchronization and symmetry result tables
};

// Both capacities are 16-bit whole numbers and may not be negative; a value outside
// 0..32767 keeps the value it had and is reported once ("Warning!").
inline constexpr int MaxCapacity = 32767;

// Reads the file over the values in capacities: each line trimmed, the value after the first
// "="; a line beginning "Num_Aspects" sets the aspect capacity, one beginning
// "num_synchs_syms_allowed_in_array" the other; other lines are ignored.
void ReadCapacityText(std::string_view text, Capacities& capacities, Messages& messages);

// "Num_Aspects=1500" and "num_synchs_syms_allowed_in_array=1000", each with a line break.
std::string CapacityText(const Capacities& capacities);
bool WriteCapacityFile(const std::filesystem::path& file, const Capacities& capacities,
                       Messages& messages);

// Reads the file over the values in capacities when it exists; when it does not, creates it
// with those values.
void ReadCapacityFile(const std::filesystem::path& file, Capacities& capacities,
                      Messages& messages);

// Start-up: the defaults, then home + "\arrays.txt" as ReadCapacityFile does.
Capacities ReadCapacities(const std::filesystem::path& home, Messages& messages);

}  // namespace quintaro
