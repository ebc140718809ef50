// SPDX-License-Identifier: AGPL-3.0-or-later
#include "cli/workstation_run.h"

namespace quintaro::cli {

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
    if (!LoadChartDataFile(session, path, ChartFileTarget::Everything)) {
        context.fail("cannot read chart data file " + path);
        return false;
    }
    return true;
}

void CloseSession(Session& session, CliContext& context) {
    if (!ShutDown(session.workstation)) context.exitCode = 1;
}

}  // namespace quintaro::cli
