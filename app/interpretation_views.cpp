// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/interpretation_views.h"

#include "app/interpretations.h"
#include "core/install_folder.h"
#include "interps/report_pages.h"

namespace quintaro {

namespace {

constexpr std::string_view OtherFormats =
    " | Rich Text Reports (*.rtf) | *.rtf | Web Page Reports (*.html) | *.html";

ReportSaveRequest SaveRequest(Session& session, std::string title, std::string_view filter,
                              std::string name) {
    return {std::move(title), std::string(filter) + std::string(OtherFormats),
            HomePath(session.workstation.home, "\\reports"), std::move(name) + ".txt"};
}

Messages& MessagesOf(Session& session, const ViewRequest& request, SilentMessages& silent) {
    return request.quiet ? silent : session.workstation.messages;
}

ViewContent ReportView(Session& session, const ViewRequest& request) {
    const bool longitude = request.view == InterpretationView::Longitude;
    const ReportScope scope = longitude ? ReportScope::Longitude : ReportScope::DeclinationLatitude;
    SilentMessages silent;
    const InterpretationReport report = BuildInterpretationReport(
        SessionReportInputs(session, request.mode, scope, request.revised),
        MessagesOf(session, request, silent));
    const std::string kind(ReportKindName(request.mode));
    const bool helio = session.workstation.entry.options.helio;
    ViewContent content;
    content.caption =
        (longitude ? "Longitude Interpretations - " : "Declination/Latitude Interpretations - ") +
        kind;
    content.document = LayoutReport(report);
    content.complete = report.storeLoaded && report.missing.empty();
    const char* prefix = longitude ? (helio ? "Helio Longitude " : "Geo Longitude ")
                                   : (helio ? "Helio Latitude " : "Geo Declination ");
    content.save = SaveRequest(
        session, longitude ? "Save longitude report" : "Save declination/latitude report",
        "Interpretation Reports (*.txt) | *.txt", prefix + kind);
    Workstation& ws = session.workstation;
    if (const auto temp = ReportTempPath(ws.home, scope)) {
        if (const std::string error = WriteReportFile(*temp, content.document); !error.empty())
            MessagesOf(session, request, silent)
                .show("Warning!", "The report file could not be written: " + error,
                      MessageIcon::Exclamation);
    }
    return content;
}

ViewContent SynchView(Session& session, const ViewRequest& request) {
    SilentMessages silent;
    const SynchReport report =
        BuildSynchReport(SessionSynchInputs(session, request.mode, request.filtered),
                         MessagesOf(session, request, silent));
    const std::string kind(ReportKindName(request.mode));
    const bool helio = session.workstation.entry.options.helio;
    ViewContent content;
    content.caption = SynchCaption(request.mode, request.filtered);
    content.document = LayoutSynchReport(report);
    content.complete = report.storeLoaded && report.missing.empty();
    content.save = SaveRequest(session, "Save synch longitude report",
                               "Synch Interpretation Reports (*.txt) | *.txt",
                               (helio ? "Synch Helio Longitude " : "Synch Geo Longitude ") + kind);
    return content;
}

ViewContent NatalView(Session& session, const ViewRequest& request) {
    SilentMessages silent;
    const InterpretationReport report = BuildInterpretationReport(
        SessionReportInputs(session, request.mode, ReportScope::Both, false),
        MessagesOf(session, request, silent));
    const std::string kind(ReportKindName(request.mode));
    ViewContent content;
    content.caption = "Natal Interpretations - " + kind;
    content.document = LayoutReport(report);
    content.complete = report.storeLoaded && report.missing.empty();
    content.save =
        SaveRequest(session, "Save natal report", "Interpretation Reports (*.txt) | *.txt",
                    "Natal Interpretations " + kind);
    return content;
}

ViewContent OverflowView(Session& session, const ViewRequest& request) {
    SilentMessages quiet;  // the overflow needs no texts: a missing store is not its business
    const InterpretationReport report = BuildInterpretationReport(
        SessionReportInputs(session, request.mode, ReportScope::Both, false), quiet);
    ViewContent content;
    content.caption = "Overflow Planets";
    content.document = LayoutOverflow(report);
    content.save = SaveRequest(session, "Save overflow planets",
                               "Interpretation Reports (*.txt) | *.txt", "Overflow Planets");
    return content;
}

}  // namespace

std::string_view ViewWindowName(InterpretationView view) {
    switch (view) {
        case InterpretationView::Longitude:
            return "OutputD0";
        case InterpretationView::DeclinationLatitude:
            return "OutputD1";
        case InterpretationView::Synchronization:
            return "frmDisplaySynchInterps";
        case InterpretationView::Natal:
            return "natal_interps";
        case InterpretationView::Overflow:
            return "Overflow";
    }
    return {};
}

ViewContent ShowInterpretationView(Session& session, const ViewRequest& request) {
    switch (request.view) {
        case InterpretationView::Longitude:
        case InterpretationView::DeclinationLatitude:
            return ReportView(session, request);
        case InterpretationView::Synchronization:
            return SynchView(session, request);
        case InterpretationView::Natal:
            return NatalView(session, request);
        case InterpretationView::Overflow:
            return OverflowView(session, request);
    }
    return {};
}

std::optional<ViewContent> ShowRowInterpretation(Session& session, const GridSection& section,
                                                 const GridRow& row) {
    const auto interpretation = GridRowInterpretation(session, section, row);
    if (!interpretation) return std::nullopt;
    ViewContent content;
    content.caption = "Interpretation - " + interpretation->heading;
    content.document = LayoutRow(*interpretation);
    content.complete = !interpretation->text.empty();
    content.save = SaveRequest(session, "Save interpretation",
                               "Interpretation Reports (*.txt) | *.txt", "Interpretation");
    return content;
}

bool SaveInterpretationView(Session& session, const ViewContent& content,
                            const std::filesystem::path& path) {
    if (const std::string error = WriteReportFile(path, content.document); !error.empty()) {
        session.workstation.messages.show("Warning!", "The report could not be saved: " + error,
                                          MessageIcon::Exclamation);
        return false;
    }
    return true;
}

}  // namespace quintaro
