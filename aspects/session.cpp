// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/session.h"

#include "aspects/aspect_finder.h"
#include "aspects/workstation_aspects.h"
#include "setup/pipeline.h"

namespace quintaro {

Session::Session(std::filesystem::path home, Messages& messages)
    : workstation(std::move(home), messages) {}

bool StartSession(Session& session) {
    PipelineHooks& hooks = session.workstation.hooks;
    hooks.clearAspects = [&session](Workstation&) {
        session.lists = {};
        session.timed = {};
    };
    hooks.findAspects = [&session](Workstation& ws) {
        session.inputs = AspectInputsOf(ws);
        // The filter window and progression mode are held by the session, not the workstation.
        session.inputs.timeOrbFilter.active = session.timeOrbFilter.active;
        session.inputs.timeOrbFilter.on = session.timeOrbFilter.on;
        session.inputs.progression = session.progression;
        session.lists = BuildAspectLists(session.inputs);
    };
    hooks.findExactTimes = [&session](Workstation& ws) {
        RefreshTimedAspectLists(session.inputs, session.lists, session.timed, ws.progress);
    };
    return StartUp(session.workstation);
}

bool LoadChartDataFile(Session& session, const std::filesystem::path& path,
                       ChartFileTarget target) {
    Workstation& ws = session.workstation;
    std::string selection = ws.flags();
    if (!LoadChartFile(path, target, ws.entry, selection, session.chartFile, ws.messages))
        return false;
    ApplySelection(session, selection);
    return true;
}

void ApplySelection(Session& session, const std::string& selection) {
    Workstation& ws = session.workstation;
    ws.groups.select.live = SelectionFlags::FromText(selection);
    LoadSelectedTables(ws);
    ComputeCharts(ws);
}

}  // namespace quintaro
