// SPDX-License-Identifier: AGPL-3.0-or-later
#include "cli/workstation_run.h"

#include "core/formatting.h"
#include "setup/chart_computation.h"

namespace quintaro::cli {

namespace {

std::string BodyList(const Workstation& ws, const std::vector<int>& slots) {
    std::string list;
    for (int slot : slots) list += (list.empty() ? "" : ", ") + ws.catalogue.BodyNames[slot];
    return list;
}

// One chart's shortcomings, or nothing when it is whole.
std::string ChartProblem(const Workstation& ws, const ChartState& chart, ChartSide side) {
    const char* which = side == ChartSide::Natal ? "natal" : "transit";
    if (!chart.computed)
        return std::string("the ") + which + " moment (JD " +
               FormatNumber(chart.houses.ChartJD, "0.00000") +
               ") lies outside the ephemeris, which covers " +
               EphemerisRangeText(ws.positions.Use1750) + ": no " + which + " chart";
    const std::vector<int> missing = UnavailableBodies(ws, side);
    if (missing.empty()) return {};
    return std::string("no position for ") + BodyList(ws, missing) + " in the " + which +
           " chart: the ephemeris files that hold them are missing or damaged (see above); "
           "'quintaro-cli ephemeris install' restores the files the workstation installs";
}

}  // namespace

std::unique_ptr<Session> OpenSession(CliContext& context, const std::string& houseSystem) {
    auto session = std::make_unique<Session>(context.homeFolder(), context.messages);
    Workstation& ws = session->workstation;
    if (!houseSystem.empty()) {
        auto system = FindHouseSystem(houseSystem);
        if (!system) {
            context.fail("unknown house system '" + houseSystem + "'");
            return nullptr;
        }
        ws.houseSystem = *system;
    }
    if (!StartSession(*session)) {
        context.fail("the workstation could not start in " + ws.home.string());
        return nullptr;
    }
    return session;
}

bool LoadOptFile(Session& session, const std::string& path, CliContext& context) {
    ChartFileLoad load = LoadChartDataFile(session, path, ChartFileTarget::Everything);
    if (!load) {
        context.fail("cannot read chart data file " + path);
        return false;
    }
    if (!load.problems.empty()) {
        context.fail("the chart data file " + path +
                     " is damaged (see above); no chart is made from it");
        return false;
    }
    return true;
}

bool ChartsComplete(const Session& session, bool withTransit, CliContext& context) {
    const Workstation& ws = session.workstation;
    bool complete = true;
    for (ChartSide side : {ChartSide::Natal, ChartSide::Transit}) {
        if (side == ChartSide::Transit && !withTransit) continue;
        const ChartState& chart = side == ChartSide::Natal ? ws.natal : ws.transit;
        if (std::string problem = ChartProblem(ws, chart, side); !problem.empty()) {
            context.fail(problem);
            complete = false;
        }
        if (!ws.natal.computed) break;  // the transit chart was not tried
    }
    return complete;
}

bool ChartsComputed(const Session& session, bool withTransit) {
    const Workstation& ws = session.workstation;
    return ws.natal.computed && (!withTransit || ws.transit.computed);
}

void CloseSession(Session& session, CliContext&) {
    ShutDown(session.workstation);
}

}  // namespace quintaro::cli
