// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The interpretation reports of the running session: the stores, the reports built from the
// session's aspect lists and charts, a grid row's interpretation, and the synchronization
// interpretations.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/session.h"
#include "aspects/aspect_grid.h"
#include "interps/interpretation_report.h"
#include "interps/synch_report.h"

namespace quintaro {

// Start-up: imports the interpretation texts into the stores of the installation folder's
// "interps" (when missing or older than the texts), installs the reports' closing pages, and
// reads the stores from that folder.
void StartInterpretations(Session& session);

// Reads the stores from another folder from now on (the folder of a ".dat" file the user chose).
void SelectInterpretationFolder(Session& session, const std::filesystem::path& folder);

// The store of a mode, opened from the folder when it is not open yet. A store that is missing or
// does not open is empty (it is tried again at the next call).
const StringMap& InterpretationStore(Session& session, ReportMode mode);

// What a report of the session reads: its lists, catalogue, charts, date style, the mode's store,
// the revisions when asked (compatibility and transit modes), preparer and closing page.
ReportInputs SessionReportInputs(Session& session, ReportMode mode, ReportScope scope,
                                 bool revised);

InterpretationReport SessionReport(Session& session, ReportMode mode, ReportScope scope,
                                   bool revised);

// The prepared paragraph that a revision key replaces, from the mode's store; "" when the key is
// malformed, the store is not loaded or has no text for it.
std::string PreparedText(Session& session, ReportMode mode, std::string_view revisionKey);

// A click on an aspect grid row: the row's interpretation from the store of the grid set
// (transit–natal rows) or the natal set (natal–natal rows). Nothing for a row that is no aspect
// row; a row of bodies without interpretations says so.
std::optional<ReportRow> GridRowInterpretation(Session& session, const GridSection& section,
                                               const GridRow& row);

// The synchronizations the session's synchronization search found, as the interpretations read
// them.
std::vector<SynchronizationsOfKind> SessionSynchronizations(const Session& session);

// What a synchronization interpretation of the session reads.
SynchReportInputs SessionSynchInputs(Session& session, ReportMode mode, bool filtered);

SynchReport SessionSynchReport(Session& session, ReportMode mode, bool filtered);

}  // namespace quintaro
