// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/workstation.h"

#include "core/ephemeris_loader.h"
#include "core/install_folder.h"
#include "setup/default_files.h"
#include "setup/ephemeris_restore.h"
#include "setup/planet_groups.h"

namespace quintaro {

namespace {

// Today's date at the home location.
CivilDate Today(const UtcClock& clock, const HomeLocation& home) {
    DateTimeParts now = HomeTime(clock, home);
    return {now.year, now.month, now.day};
}

const char* const kGroupProgressTexts[] = {"Reading the symbolism.txt file",
                                           "Reading the various symbols files"};

}  // namespace

Workstation::Workstation(std::filesystem::path homeFolder, Messages& sink)
    : home(std::move(homeFolder)),
      messages(sink),
      ephemeris(sink),
      positions(ephemeris, tables, sink) {}

std::filesystem::path Workstation::path(std::string_view relative) const {
    return HomePath(home, relative);
}

bool StartUp(Workstation& ws) {
    if (!InstallDefaultFiles(ws.home, ws.messages)) return false;
    ws.capacities = ReadCapacities(ws.home, ws.messages);
    ws.printout = ReadPrintoutInfo(ws.path("\\infoforprintout.txt"));
    auto texts = ReadMessageTexts(ws.path("\\errormsg.txt"));
    if (!texts) {
        ws.messages.show("Missing errormsg.txt file",
                         "You are missing the errormsg.txt file so I cannot continue.",
                         MessageIcon::Critical);
        return false;
    }
    ws.messageTexts = std::move(*texts);
    ws.dateStyle = LoadDateStyle(ws.path("\\datestyle.key"), ws.messages);
    ws.options = ReadOptions(ws.home, ws.messages);
    ws.homeLocation = HomeLocationOf(ws.options);
    InstallGeneratedFont(ws.home, ws.messages);
    ws.windowTitle = WindowTitle();
    CreateFolderLayout(ws.home, ws.ephemerisConfiguration);
    InstallGeneratedEphemeris(ws.home, ws.messages);
    ws.catalogue = MakeBodyCatalogue();
    ws.settings = ReadSettings(ws.home, Today(ws.clock, ws.homeLocation), ws.messages);

    for (const char* text : kGroupProgressTexts) ReportProgress(ws.progress, text);
    // The free slots are named before the groups are read, so that a group may name them.
    SelectLoadFiles(ws.home, ws.catalogue, ws.messages);
    ws.ephemerisProblems = OpenPlanetFilesChecked(ws.home, ws.ephemeris);
    ws.groups = StartUpGroups(ws.home, ws.catalogue, ws.settings, ws.progress, ws.messages);
    ReportProgress(ws.progress, "Setting up planetary arrays");
    BuildSlotAbbrevs(ws.catalogue);
    LoadDayTables(ws.home, ws.catalogue, ws.flags(), ws.tables, ws.messages, ws.progress);
    OfferEphemerisRestore(ws);

    ws.entry = OpenEntryModel(ws.clock, ws.homeLocation);
    ws.started = true;
    return true;
}

bool ShutDown(Workstation& ws) {
    StoreSelections(ws.groups, ws.settings);
    return WriteSettings(ws.home, ws.settings, ws.messages);
}

void LoadSelectedTables(Workstation& ws) {
    LoadNewlySelectedTables(ws.home, ws.catalogue, ws.flags(), ws.tables, ws.messages, ws.progress,
                            ws.positions.Use1750);
    BuildSlotAbbrevs(ws.catalogue);
}

}  // namespace quintaro
