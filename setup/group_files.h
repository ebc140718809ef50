// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Group files ".sel", ".cru" and ".syn": one selected body side a line, the body key, "-", and
// "n" (natal) or "t" (transit), as in "sun-n" or "venus-t". The start-up reads group 1 (or the
// current group) of each kind; the option windows load and save any group.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bodies.h"
#include "core/messages.h"
#include "setup/selections.h"

namespace quintaro {

struct GroupFileContents {
    SelectionFlags flags;
    // Lines naming no catalogue body, each as line + " for group" + group + extension.
    std::vector<std::string> unrecognised;
};

// Lines are trimmed; a line without "-" is ignored; the key is the line without its last two
// characters, matched against the catalogue ignoring case; a last character "n" sets the natal
// flag, any other the transit flag.
GroupFileContents ReadGroupText(std::string_view text, GroupKind kind, int group,
                                const BodyCatalogue& catalogue);

// Reads a group file. A missing file gives nothing and the "File not found" message;
// unrecognised lines are shown in the "Missing ephemeris files" message and also returned.
std::optional<GroupFileContents> ReadGroupFile(const std::filesystem::path& file, GroupKind kind,
                                               int group, const BodyCatalogue& catalogue,
                                               Messages& messages);

// One line per selected flag, body key + "-n" for natal flags first, then + "-t". Slots still
// named "unused" name no body and are left out.
std::string GroupText(const SelectionFlags& flags, const BodyCatalogue& catalogue);
// Writes the file only when its text changed; a failure is reported and gives false.
bool WriteGroupFile(const std::filesystem::path& file, const SelectionFlags& flags,
                    const BodyCatalogue& catalogue, Messages& messages);

// The message for entries that name no body: title "Missing ephemeris files", critical icon,
// "You are missing the following ephemeris files. Please add them." and the entries, one a
// line. Nothing is shown for an empty list.
void ShowMissingEphemerisFiles(const std::vector<std::string>& entries, Messages& messages);

// "File not found": "You do not have a file called " + the path.
void ShowFileNotFound(const std::filesystem::path& file, Messages& messages);

}  // namespace quintaro
