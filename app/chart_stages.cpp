// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/chart_stages.h"

#include <algorithm>

#include "aspects/aspect_finder.h"
#include "setup/chart_computation.h"

namespace quintaro {

namespace {

bool StartStage(Session& session) {
    session.workstation.chartsComputed = false;
    ClearAspectResults(session);
    return true;
}

bool EntryStage(Session& session) {
    ReadChartEntry(session.workstation);
    return true;
}

// A natal moment outside the ephemeris ends the run; the displays are told, so that they show
// no chart rather than the previous one under the new moment.
bool PositionsStage(Session& session) {
    if (ComputeChartPositions(session.workstation)) return true;
    BuildEntryGrid(session.workstation);
    session.displays.notify();
    return false;
}

bool HousesStage(Session& session) {
    PlaceBodiesOfBothCharts(session.workstation);
    return true;
}

bool MidpointsStage(Session& session) {
    ComputeChartMidpoints(session.workstation);
    return true;
}

bool AspectsStage(Session& session) {
    session.inputs = AspectInputsOf(session);
    session.lists = BuildAspectLists(session.inputs);
    return true;
}

bool GridStage(Session& session) {
    BuildEntryGrid(session.workstation);
    return true;
}

bool ExactTimesStage(Session& session) {
    if (session.workstation.entry.options.exact)
        RefreshTimedAspectLists(session.inputs, session.lists, session.timed,
                                session.workstation.progress);
    return true;
}

bool DisplaysStage(Session& session) {
    FillDisplayedPositions(session.workstation);
    session.workstation.chartsComputed = true;
    session.displays.notify();
    return true;
}

}  // namespace

std::vector<ChartStage> StandardChartStages() {
    return {{"start", StartStage},         {"entry", EntryStage},
            {"positions", PositionsStage}, {"houses", HousesStage},
            {"midpoints", MidpointsStage}, {"aspects", AspectsStage},
            {"grid", GridStage},           {"exact times", ExactTimesStage},
            {"displays", DisplaysStage}};
}

void InsertStageBefore(std::vector<ChartStage>& stages, std::string_view before, ChartStage stage) {
    auto at = std::find_if(stages.begin(), stages.end(),
                           [before](const ChartStage& s) { return s.name == before; });
    stages.insert(at, std::move(stage));
}

AspectInputs AspectInputsOf(Session& session) {
    Workstation& ws = session.workstation;
    const EntryOptions& options = ws.entry.options;
    AspectInputs in;
    in.chart = ws.record;
    in.selection = ws.flags();
    // The orb fields are read once here, by their leading numbers.
    in.orbs = {OrbGeoLong(options), OrbGeoDecl(options), OrbHelioLong(options),
               OrbHelioLat(options)};
    in.numAspects = ws.capacities.numAspects;
    in.natalJD = ws.natal.houses.ChartJD;
    in.transitJD = ws.transit.houses.ChartJD;
    in.natalZone = ws.natal.data.zone;
    in.transitZone = ws.transit.data.zone;
    in.natalHarmonic = ws.harmonicNatal;
    in.transitHarmonic = ws.harmonicTransit;
    in.positionAt = ws.positions.AsFunction();
    in.solarArc = ws.solarArc.on;
    in.exactOn = options.exact;
    in.dateStyle = ws.dateStyle;
    in.timeOrbFilter = session.timeOrbFilter;
    in.timeOrbFilter.days = ws.settings.timeOrbFilterDays;
    in.timeOrbFilter.hours = ws.settings.timeOrbFilterHours;
    in.timeOrbFilter.minutes = ws.settings.timeOrbFilterMinutes;
    in.progression = session.progression;
    return in;
}

void ClearAspectResults(Session& session) {
    session.lists = {};
    session.timed = {};
}

}  // namespace quintaro
