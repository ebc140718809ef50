// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/ephemeris_restore.h"

#include "core/ephemeris_loader.h"
#include "core/ephemeris_repair.h"

namespace quintaro {

namespace {

constexpr const char* kTitle = "Ephemeris files";

void FindProblems(Workstation& ws, std::vector<EphemerisFileProblem> planetProblems) {
    ws.ephemerisProblems = std::move(planetProblems);
    for (EphemerisFileProblem& problem :
         UnloadedDayTables(ws.home, ws.catalogue, ws.flags(), ws.tables))
        ws.ephemerisProblems.push_back(std::move(problem));
}

std::string ProblemText(const Workstation& ws) {
    return "These ephemeris files in " + LoadFolderPath(ws.home).string() + " cannot be used:\n" +
           ProblemLines(ws.ephemerisProblems) +
           "The bodies they hold have no positions: they stay blank in the grids and out of "
           "the wheels and the aspects.\n";
}

}  // namespace

void OfferEphemerisRestore(Workstation& ws) {
    FindProblems(ws, ws.ephemerisProblems);
    if (ws.ephemerisProblems.empty()) return;
    const std::filesystem::path source = GeneratedEphemerisSource();
    if (!SourceCovers(source, ws.ephemerisProblems)) {
        ws.messages.show(kTitle, ProblemText(ws) + RestoreAdvice(source), MessageIcon::Critical);
        return;
    }
    const bool restore = ws.messages.ask(
        kTitle, ProblemText(ws) + "Put back the copies the workstation installs, from " +
                    source.string() + "? ('quintaro-cli ephemeris install' does the same.)");
    if (!restore) return;
    RestoreEphemerisFiles(source, ws.home, ws.messages);
    std::vector<EphemerisFileProblem> planetProblems =
        OpenPlanetFilesChecked(ws.home, ws.ephemeris);
    LoadNewlySelectedTables(ws.home, ws.catalogue, ws.flags(), ws.tables, ws.messages, ws.progress,
                            ws.positions.Use1750);
    FindProblems(ws, std::move(planetProblems));
    if (!ws.ephemerisProblems.empty())
        ws.messages.show(kTitle, ProblemText(ws) + RestoreAdvice(source), MessageIcon::Critical);
}

}  // namespace quintaro
