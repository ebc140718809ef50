// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/session.h"

#include <algorithm>

#include "app/chart_stages.h"
#include "app/interpretations.h"
#include "setup/entry_checks.h"

namespace quintaro {

int DisplayListeners::add(Listener listener) {
    const int id = nextId_++;
    listeners_.emplace_back(id, std::move(listener));
    return id;
}

void DisplayListeners::remove(int id) {
    std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void DisplayListeners::notify() const {
    // A listener may add or remove listeners; it hears nothing more in this round.
    const auto listeners = listeners_;
    for (const auto& [id, listener] : listeners)
        if (listener) listener();
}

Session::Session(std::filesystem::path home, Messages& messages)
    : workstation(std::move(home), messages), stages(StandardChartStages()) {}

bool StartSession(Session& session) {
    if (!StartUp(session.workstation)) return false;
    StartInterpretations(session);
    ComputeCharts(session);
    return true;
}

bool ComputeCharts(Session& session) {
    for (const ChartStage& stage : session.stages)
        if (stage.run && !stage.run(session)) return false;
    return true;
}

ChartFileLoad LoadChartDataFile(Session& session, const std::filesystem::path& path,
                                ChartFileTarget target) {
    Workstation& ws = session.workstation;
    SelectionFlags selection = ws.flags();
    ChartFileLoad load =
        LoadChartFile(path, target, ws.entry, selection, session.chartFile, ws.messages);
    if (load) ApplySelection(session, selection);
    return load;
}

void ApplySelection(Session& session, const SelectionFlags& selection) {
    Workstation& ws = session.workstation;
    ws.groups.select.live = selection;
    LoadSelectedTables(ws);
    ComputeCharts(session);
}

void ShowHelioOrGeo(Session& session, bool helio) {
    Workstation& ws = session.workstation;
    FillDisplayedSet(ws.record, ws.flags(), helio, false, ws.work);
    ClearAspectResults(session);
}

}  // namespace quintaro
