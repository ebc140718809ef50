// SPDX-License-Identifier: AGPL-3.0-or-later
#include "cli/workstation_run.h"

#include "setup/pipeline.h"

namespace quintaro::cli {

std::unique_ptr<CliSession> OpenSession(CliContext& context, const std::string& houseSystem) {
    auto session = std::make_unique<CliSession>(context.homeFolder(), context.messages);
    Workstation& ws = session->workstation;
    if (!houseSystem.empty()) {
        auto system = FindHouseSystem(houseSystem);
        if (!system) {
            context.fail("unknown house system '" + houseSystem + "'");
            return nullptr;
        }
        ws.houseSystem = *system;
    }
    if (!StartUp(ws)) {
        context.fail("the workstation could not start in " + ws.home.string());
        return nullptr;
    }
    return session;
}

bool LoadOptFile(CliSession& session, const std::string& path, CliContext& context) {
    Workstation& ws = session.workstation;
    std::string selection = ws.flags();
    if (!LoadChartFile(path, ChartFileTarget::Everything, ws.entry, selection, session.chartFile,
                       context.messages)) {
        context.fail("cannot read chart data file " + path);
        return false;
    }
    ws.groups.select.live = SelectionFlags::FromText(selection);
    LoadSelectedTables(ws);
    ComputeCharts(ws);
    return true;
}

void CloseSession(CliSession& session, CliContext& context) {
    if (!ShutDown(session.workstation)) context.exitCode = 1;
}

}  // namespace quintaro::cli
