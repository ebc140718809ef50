// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The synchronization and symmetry commands on the session: choosing the members, the one-day
// search, the day-by-day run over a month, the symmetrical patterns, and saving the results.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/session.h"
#include "core/progress.h"
#include "synch/synch_day.h"

namespace quintaro {

// The synchronization files chosen by the user. The first file's members become the
// member-selection window's (its group 10 and live selection, the caption "Wizard/synchronization
// from " + the file, the work file "temp2g.txt"). False, reported, when the first file cannot
// be used; nothing changes then.
bool LoadSynchFiles(Session& session, const std::vector<std::filesystem::path>& files);

// The member-selection window was applied: from now on the members are the ones marked there.
void UseSelectionWindowMembers(Session& session);

// The member sources of a search: every chosen file, read again, or the member-selection
// window. Nothing, with the reason shown, when no file was chosen ("No file found"), a chosen
// file no longer exists or cannot be used.
std::optional<std::vector<SynchSource>> ReadSynchSources(const Session& session);

// The one-day search for the current charts: the results go into the session and the listing
// files "reports/synch_" + code + ".txt" are rewritten. False when nothing was computed.
bool CalculateSynchOneDay(Session& session, const SynchOrbs& orbs);

enum class SynchMonthOutcome { Written, Cancelled, Failed };

// The day-by-day run over a month: for each day the transit chart is put on that date and
// recomputed, the one-day search is run, and the day's text kept; the ".sbd" file is then written
// whole. Cancelling between days ("Operation stopped by user") writes nothing. The transit date
// the entry had is put back and the charts recomputed at the end.
SynchMonthOutcome CalculateSynchForDays(Session& session, int year, int month,
                                        const SynchOrbs& orbs, const std::filesystem::path& file,
                                        const Progress& progress);

// The symmetrical patterns of the members, both kinds, stored in the session with the heading.
// False when nothing was computed.
bool CalculateSymmetricalPatterns(Session& session);

// "Symmetrical patterns using planets in " + the file names, or "... marked on Select Synch
// Planets form".
std::string SymmetryHeading(const std::vector<SynchSource>& sources);

// Writes a result text (a pane, a listing) whole; false, reported, when it cannot be written.
bool SaveSynchText(Session& session, const std::filesystem::path& file, const std::string& text);

}  // namespace quintaro
