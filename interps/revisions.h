// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Revised interpretations: a user's own text for one aspect of one report kind, kept as a text
// file that the reports can use instead of the prepared paragraph.
//
// A revision key is an aspect key (interpretation_keys.h) with the coordinate letter, "g" for
// the geocentric sections (longitude and declination), "h" for the heliocentric ones (longitude
// and latitude): "sun_ven_120_g". The file is the report kind's folder and prefix, the key and
// ".txt": "revised_romance_comp/ri_sun_ven_120_g.txt". The natal reports have no revisions.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/messages.h"
#include "interps/interpretation_keys.h"

namespace quintaro {

struct RevisionFolder {
    std::string_view folder;  // below the installation folder, "\revised_romance_comp"
    std::string_view prefix;  // "ri_"
};

// "\revised_romance_comp" "ri_", "\revised_financial_comp" "mi_", "\revised_romance_trans" "rt_",
// "\revised_financial_trans" "mt_"; nothing for the natal modes.
std::optional<RevisionFolder> RevisionFolderOf(ReportMode mode);

// "sun_ven_120_g" from an aspect key and the frame.
std::string RevisionKey(std::string_view aspectKey, bool heliocentric);

// The parts of a revision key, checked: two known body keys, an aspect key of the catalogue and
// "g" or "h". Nothing for anything else, so that a key never names a file outside its folder.
struct RevisionKeyParts {
    std::string aspectKey;  // "sun_ven_120"
    bool heliocentric = false;
};
std::optional<RevisionKeyParts> ParseRevisionKey(std::string_view key);

// The revision file of a key in a report kind's folder; nothing for the natal modes or a key
// that ParseRevisionKey refuses.
std::optional<std::filesystem::path> RevisionPath(const std::filesystem::path& home,
                                                  ReportMode mode, std::string_view key);

// A revision file: "Author: " and the author's name on the first line, an empty line, then the
// text. A file without the author line (one written by hand) is all text, by an unknown author
// ("").
struct Revision {
    std::string text;  // lines joined with "\r\n", without trailing blanks and line breaks
    std::string author;
};
std::string RevisionFileText(const Revision& revision);
Revision ParseRevisionFile(std::string_view content);
// Nothing when the file is missing or cannot be read.
std::optional<Revision> ReadRevision(const std::filesystem::path& path);

// "(revised text written by " + author + ")"; an unknown author is "an unknown author".
std::string RevisedByLine(std::string_view author);

enum class RevisionSave { Saved, Kept, Failed };

// Writes a revision file whole or not at all. When the file exists, asks "This file already
// exists. Do you wish to overwrite it?" (title "File already exists") and keeps it on "no".
// Failures are shown through messages.
RevisionSave SaveRevision(const std::filesystem::path& path, const Revision& revision,
                          Messages& messages);

// "Revise Interpretations - revision file saved = " + the file's name.
std::string RevisionSavedCaption(const std::filesystem::path& path);

// The master list of revision keys: one line per key a report can hold, the key first, then what
// it names: "sun_ven_120_g  SUN TRINE VENUS (geocentric)". Ordered by first body, second body,
// frame and aspect. The keys are ordered pairs: a report row names the first chart's body first.
std::vector<std::string> MasterListLines();

// "\interp_revisions\master_interp_list.txt" below the installation folder.
std::filesystem::path MasterListPath(const std::filesystem::path& home);

// Writes the master list (whole or not at all); false, reported, when it cannot.
bool WriteMasterList(const std::filesystem::path& home, Messages& messages);

struct MasterListEntry {
    std::string key;
    std::string line;  // the whole line, as the list shows it
};
// The entries of a master list text whose key ParseRevisionKey accepts; other lines are left out.
std::vector<MasterListEntry> ParseMasterList(std::string_view content);

}  // namespace quintaro
