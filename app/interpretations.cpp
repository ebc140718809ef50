// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/interpretations.h"

#include "core/install_folder.h"
#include "interps/interpretation_install.h"
#include "interps/report_pages.h"

namespace quintaro {

namespace {

ReportChart ChartOf(const ChartState& chart) {
    return {chart.name, chart.data.year, chart.data.month, chart.data.day};
}

}  // namespace

void StartInterpretations(Session& session) {
    Workstation& ws = session.workstation;
    InstallInterpretationStores(ws.home, ws.messages, ws.progress);
    InstallReportPages(ws.home, ws.messages);
    SelectInterpretationFolder(session, HomePath(ws.home, "\\interps"));
}

void SelectInterpretationFolder(Session& session, const std::filesystem::path& folder) {
    InterpretationState& interps = session.interps;
    interps.folder = folder;
    for (StringMap& store : interps.stores) store = StringMap();
}

const StringMap& InterpretationStore(Session& session, ReportMode mode) {
    StringMap& store = session.interps.stores[static_cast<std::size_t>(mode)];
    if (store.Count() == 0) {
        store.SetIndexed(true);
        store.OpenFile(session.interps.folder / (std::string(StoreName(mode)) + ".dat"));
    }
    return store;
}

ReportInputs SessionReportInputs(Session& session, ReportMode mode, ReportScope scope,
                                 bool revised) {
    Workstation& ws = session.workstation;
    ReportInputs inputs;
    inputs.mode = mode;
    inputs.scope = scope;
    inputs.lists = &session.lists;
    inputs.catalogue = &ws.catalogue;
    inputs.first = ChartOf(ws.transit);
    inputs.second = ChartOf(ws.natal);
    inputs.dateStyle = ws.dateStyle;
    inputs.store = &InterpretationStore(session, mode);
    if (revised) inputs.revisions = RevisionFiles(ws.home, mode);
    inputs.preparer = session.interps.astrologer;
    inputs.closingPage = ReadClosingPage(ws.home, mode);
    return inputs;
}

InterpretationReport SessionReport(Session& session, ReportMode mode, ReportScope scope,
                                   bool revised) {
    return BuildInterpretationReport(SessionReportInputs(session, mode, scope, revised),
                                     session.workstation.messages);
}

std::string PreparedText(Session& session, ReportMode mode, std::string_view revisionKey) {
    const auto parts = ParseRevisionKey(revisionKey);
    const auto key = parts ? StoreKeyOfAspect(parts->aspectKey, mode) : std::nullopt;
    if (!key) return {};
    try {
        return InterpretationStore(session, mode).GetAt(*key);
    } catch (const CorruptStoreError& error) {
        session.workstation.messages.show("Warning!", error.what(), MessageIcon::Exclamation);
        return {};
    }
}

std::optional<ReportRow> GridRowInterpretation(Session& session, const GridSection& section,
                                               const GridRow& row) {
    Workstation& ws = session.workstation;
    if (!InterpretationOfRow(section, row, ws.catalogue, 1)) return std::nullopt;
    const bool natal = section.pairing == Pairing::NatalNatal;
    const ReportMode mode = natal ? session.interps.natalSet : session.interps.gridSet;
    const ReportInputs inputs = SessionReportInputs(session, mode, ReportScope::Both, false);
    ReportRow result = InterpretRow({row.body1, row.body2, row.code, row.orb}, section.kind, natal,
                                    inputs, ws.messages);
    if (result.aspectKey.empty())
        ws.messages.show("Interpretation", "There is no interpretation for " + result.heading + ".",
                         MessageIcon::Information);
    return result;
}

std::vector<SynchronizationsOfKind> SessionSynchronizations(const Session&) {
    // The synchronization search does not keep its results in the session yet; once it does,
    // this turns them into members by slot.
    return {};
}

SynchReportInputs SessionSynchInputs(Session& session, ReportMode mode, bool filtered) {
    Workstation& ws = session.workstation;
    SynchReportInputs inputs;
    inputs.mode = mode;
    inputs.filtered = filtered;
    inputs.found = SessionSynchronizations(session);
    inputs.catalogue = &ws.catalogue;
    inputs.first = ChartOf(ws.transit);
    inputs.second = ChartOf(ws.natal);
    inputs.store = &InterpretationStore(session, mode);
    return inputs;
}

SynchReport SessionSynchReport(Session& session, ReportMode mode, bool filtered) {
    return BuildSynchReport(SessionSynchInputs(session, mode, filtered),
                            session.workstation.messages);
}

}  // namespace quintaro
