// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// What the interpretation windows show, without the windows: caption, document and the questions
// their save command asks. The windows render the document; the command line writes it.

#include <filesystem>
#include <optional>
#include <string>

#include "app/session.h"
#include "aspects/aspect_grid.h"
#include "interps/interpretation_keys.h"
#include "interps/report_document.h"

namespace quintaro {

enum class InterpretationView {
    Longitude,            // OutputD0
    DeclinationLatitude,  // OutputD1
    Synchronization,      // frmDisplaySynchInterps
    Natal,                // natal_interps
    Overflow              // Overflow
};

// The object name of a view's window: "OutputD0", "OutputD1", "frmDisplaySynchInterps",
// "natal_interps", "Overflow".
std::string_view ViewWindowName(InterpretationView view);

struct ViewRequest {
    InterpretationView view = InterpretationView::Longitude;
    ReportMode mode = ReportMode::RomanceCompatibility;  // a natal mode for the natal view
    bool revised = false;   // revised texts in place of the prepared ones, where there are any
    bool filtered = false;  // the synchronization view: each pair once
    // Refreshes after a computation say nothing: a missing store was reported when the window
    // opened, and is not reported again at every step of the chart.
    bool quiet = false;
};

// The save dialog of a view: title, filter, folder and proposed file name.
struct ReportSaveRequest {
    std::string title;
    std::string filter;  // "Interpretation Reports (*.txt) | *.txt | ..."
    std::filesystem::path folder;
    std::string proposedName;
};

struct ViewContent {
    std::string caption;
    ReportDocument document;
    ReportSaveRequest save;
    bool complete = true;  // every aspect has its text
};

// Builds a view from the session. The longitude and the declination/latitude views also write
// their rich-text file ("reports/temp_long.rtf", "reports/temp_decl.rtf"); a file that cannot be
// written is reported and the view is still shown.
ViewContent ShowInterpretationView(Session& session, const ViewRequest& request);

// The interpretation of a clicked aspect grid row (see GridRowInterpretation), as a window shows
// it: caption "Interpretation - " + the row's heading. Nothing for a row that is no aspect row.
std::optional<ViewContent> ShowRowInterpretation(Session& session, const GridSection& section,
                                                 const GridRow& row);

// Saves a view's document in the format its file name asks for (".rtf", ".html", else plain
// text); false, reported, when it cannot be written.
bool SaveInterpretationView(Session& session, const ViewContent& content,
                            const std::filesystem::path& path);

}  // namespace quintaro
