// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/planet_groups.h"

#include <array>
#include <initializer_list>
#include <vector>

#include "core/install_folder.h"
#include "setup/group_files.h"
#include "setup/priority_file.h"

namespace quintaro {

namespace {

SelectionFlags BothSides(std::initializer_list<int> slots) {
    SelectionFlags flags;
    for (int slot : slots) {
        flags.setNatal(slot, true);
        flags.setTransit(slot, true);
    }
    return flags;
}

// Group 1, and the current group when it is another numbered one. A current group outside
// 2..9 or one whose file is missing falls back to group 1. False when entries named no body.
bool ReadStartUpGroup(const std::filesystem::path& home, GroupKind kind, int current,
                      SelectionGroups& groups, const BodyCatalogue& catalogue, Messages& messages) {
    groups.current = 1;
    std::vector<int> toRead = {1};
    if (current >= 2 && current <= 9) toRead.push_back(current);
    bool recognised = true;
    for (int group : toRead) {
        auto contents = ReadGroupFile(HomePath(home, GroupFileName(kind, group)), kind, group,
                                      catalogue, messages);
        if (!contents) continue;
        groups.groups[group] = contents->flags;
        groups.current = group;
        if (!contents->unrecognised.empty()) {
            recognised = false;
            break;
        }
    }
    groups.live = groups.groups[groups.current];
    return recognised;
}

}  // namespace

SelectionFlags DefaultSelectGroup() {
    // Sun to Juno without the node.
    return BothSides({SlotSun, SlotMercury, SlotVenus, SlotMoon, SlotMars, SlotJupiter, SlotSaturn,
                      SlotUranus, SlotNeptune, SlotPluto, SlotEarth, SlotChiron, SlotCeres,
                      SlotPallas, SlotVesta, SlotJuno});
}

SelectionFlags DefaultSynchGroup() {
    SelectionFlags flags = DefaultSelectGroup();
    flags.setNatal(SlotMoon, false);
    flags.setTransit(SlotMoon, false);
    return flags;
}

SelectionFlags DefaultCrucialGroup() {
    return BothSides({SlotVenus, SlotNeptune, SlotPluto, SlotChiron});
}

bool WriteDefaultGroups(const std::filesystem::path& home, const Progress& progress,
                        Messages& messages) {
    // The default files name only the fixed bodies, whose keys never change.
    const BodyCatalogue catalogue = MakeBodyCatalogue();
    bool written = true;
    ReportProgress(progress, "Setting up select planet group #1 data");
    written &= WriteGroupFile(HomePath(home, GroupFileName(GroupKind::Select, 1)),
                              DefaultSelectGroup(), catalogue, messages);
    ReportProgress(progress, "Setting up crucial planet group #1 data");
    written &= WriteGroupFile(HomePath(home, GroupFileName(GroupKind::Crucial, 1)),
                              DefaultCrucialGroup(), catalogue, messages);
    ReportProgress(progress, "Setting up synch planet group #1 data");
    written &= WriteGroupFile(HomePath(home, GroupFileName(GroupKind::Synch, 1)),
                              DefaultSynchGroup(), catalogue, messages);
    ReportProgress(progress, "Setting up synch planet priority group #1 data");
    written &= WritePriorityFile(HomePath(home, PriorityFileName(1)), DefaultPriorities(),
                                 catalogue, messages);
    return written;
}

PlanetGroups StartUpGroups(const std::filesystem::path& home, const BodyCatalogue& catalogue,
                           const Settings& settings, const Progress& progress, Messages& messages) {
    PlanetGroups groups;
    groups.select.live = SelectionFlags::FromText(settings.geoOpts);
    groups.crucial.live = SelectionFlags::FromText(settings.crucialOpts);
    groups.synch.live = SelectionFlags::FromText(settings.synchOpts);
    groups.blue = SelectionFlags::FromText(settings.blueOpts);

    WriteDefaultGroups(home, progress, messages);

    struct Step {
        const char* text;
        GroupKind kind;
        SelectionGroups* groups;
        int current;
    };
    const std::array<Step, 3> steps = {{
        {"Reading select planet groups data", GroupKind::Select, &groups.select, settings.geoGroup},
        {"Reading crucial planet groups data", GroupKind::Crucial, &groups.crucial,
         settings.crucialGroup},
        {"Reading synch planet groups data", GroupKind::Synch, &groups.synch, settings.synchGroup},
    }};
    for (const Step& step : steps) {
        ReportProgress(progress, step.text);
        if (!ReadStartUpGroup(home, step.kind, step.current, *step.groups, catalogue, messages))
            return groups;
    }
    ReportProgress(progress, "Reading synch planet priority groups data");
    if (auto priorities =
            ReadPriorityFile(HomePath(home, PriorityFileName(1)), catalogue, messages))
        groups.priorities = priorities->priorities;
    return groups;
}

bool LoadCurrentGroup(const std::filesystem::path& home, GroupKind kind, SelectionGroups& groups,
                      const BodyCatalogue& catalogue, Messages& messages) {
    if (groups.current < 1 || groups.current > 9) return false;
    auto contents = ReadGroupFile(HomePath(home, GroupFileName(kind, groups.current)), kind,
                                  groups.current, catalogue, messages);
    if (!contents) return false;
    groups.groups[groups.current] = contents->flags;
    return true;
}

bool SaveCurrentGroup(const std::filesystem::path& home, GroupKind kind, SelectionGroups& groups,
                      const SelectionFlags& flags, const BodyCatalogue& catalogue,
                      Messages& messages) {
    if (groups.current < 1 || groups.current > 9) return false;
    if (!WriteGroupFile(HomePath(home, GroupFileName(kind, groups.current)), flags, catalogue,
                        messages))
        return false;
    groups.groups[groups.current] = flags;
    return true;
}

void StoreSelections(const PlanetGroups& groups, Settings& settings) {
    settings.geoOpts = groups.select.live.text();
    settings.crucialOpts = groups.crucial.live.text();
    settings.synchOpts = groups.synch.live.text();
    settings.blueOpts = groups.blue.text();
}

}  // namespace quintaro
