// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/session.h"

#include "aspects/aspect_finder.h"
#include "setup/pipeline.h"

namespace quintaro {

Session::Session(std::filesystem::path home, Messages& messages)
    : workstation(std::move(home), messages) {}

AspectInputs MakeAspectInputs(Workstation& ws, const TimeOrbFilter& filter,
                              const ProgressionMode& progression) {
    AspectInputs inputs;
    inputs.chart = ws.record;
    inputs.selection = ws.flags();
    const EntryOptions& options = ws.entry.options;
    inputs.orbs = {options.orbGeoLong, options.orbGeoDecl, options.orbHelioLong,
                   options.orbHelioLat};
    inputs.numAspects = ws.capacities.numAspects;
    inputs.natalJD = ws.natal.houses.ChartJD;
    inputs.transitJD = ws.transit.houses.ChartJD;
    inputs.natalZone = ws.natal.data.zone;
    inputs.transitZone = ws.transit.data.zone;
    inputs.natalHarmonic = ws.harmonicNatal;
    inputs.transitHarmonic = ws.harmonicTransit;
    inputs.positionAt = ws.positions.AsFunction();
    inputs.solarArc = ws.solarArc.on;
    inputs.exactOn = options.exact;
    inputs.dateStyle = ws.dateStyle;
    inputs.timeOrbFilter = filter;
    inputs.progression = progression;
    return inputs;
}

bool StartSession(Session& session) {
    PipelineHooks& hooks = session.workstation.hooks;
    hooks.clearAspects = [&session](Workstation&) {
        session.lists = {};
        session.timed = {};
    };
    hooks.findAspects = [&session](Workstation& ws) {
        session.inputs = MakeAspectInputs(ws, session.timeOrbFilter, session.progression);
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
