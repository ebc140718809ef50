// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>

#include "core/messages.h"
#include "core/progress.h"

namespace quintaro {

// The folder of the stores' import texts ("romance_comp.txt", ...): $QUINTARO_INTERP_SOURCE when
// set, else the data/interps folder of the source tree the program was built from.
std::filesystem::path InterpretationTextSource();

// The store file of a store name under home: "interps/<name>.dat".
std::filesystem::path InterpretationStorePath(const std::filesystem::path& home,
                                              std::string_view storeName);

// Imports the text of every interpretation store into its indexed store file under home when
// the store is missing or older than its text, so the first start fills the folder and a newer
// program brings its newer texts. Each store file is written whole or not at all. Problems
// (missing text, an import that stopped, a store that cannot be written) are shown through
// messages; the other stores go on. Returns the number of stores written; stops between stores
// when progress says so.
int InstallInterpretationStores(const std::filesystem::path& home, Messages& messages,
                                const Progress& progress = {},
                                const std::filesystem::path& source = InterpretationTextSource());

}  // namespace quintaro
