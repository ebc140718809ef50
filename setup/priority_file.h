// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Priority files ".ord": the synchronization weight of each body side, one a line, "n. " or
// "t. ", the body key, "=" and a whole number ("n. sun=70", "t. mc =0"). The start-up rewrites
// and reads "GeneralUse.ord"; the priority window loads and saves the others.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bodies.h"
#include "core/messages.h"
#include "setup/selections.h"

namespace quintaro {

struct PriorityFileContents {
    Priorities priorities;
    // Keys naming no catalogue body, each as key + " - " + the file's name.
    std::vector<std::string> unrecognised;
};

// Each line is split at its first ". " and the first "=" after it; the text between is the
// body key (case ignored), the number after "=" the priority (rounded, held to the 16-bit
// range); a line beginning with "n" sets the natal entry, any other the transit entry. Empty
// lines are skipped; a line without ". " and "=" counts as an unrecognised key.
PriorityFileContents ReadPriorityText(std::string_view text, std::string_view fileName,
                                      const BodyCatalogue& catalogue);

// Reads a priority file; a missing file gives nothing and the "File not found" message;
// unrecognised keys are shown in the "Missing ephemeris files" message and also returned.
std::optional<PriorityFileContents> ReadPriorityFile(const std::filesystem::path& file,
                                                     const BodyCatalogue& catalogue,
                                                     Messages& messages);

// "n. " + key + "=" + value for every slot not named "unused", then the "t. " lines.
std::string PriorityText(const Priorities& priorities, const BodyCatalogue& catalogue);
// Writes the file only when its text changed; a failure is reported and gives false.
bool WritePriorityFile(const std::filesystem::path& file, const Priorities& priorities,
                       const BodyCatalogue& catalogue, Messages& messages);

// The priorities of "GeneralUse.ord" as the start-up writes them (slots 1..20).
Priorities DefaultPriorities();

}  // namespace quintaro
