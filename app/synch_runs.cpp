// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/synch_runs.h"

#include "core/atomic_file.h"
#include "synch/synch_month.h"
#include "synch/synch_priority.h"

namespace quintaro {

namespace {

constexpr const char* kNoFileTitle = "No file found";

void Warn(Session& session, const std::string& text) {
    session.workstation.messages.show("Warning!", text, MessageIcon::Exclamation);
}

SynchInputs InputsOf(const Session& session) {
    const Workstation& ws = session.workstation;
    return {ws.record, ws.flags(), ws.catalogue};
}

SynchSource SelectionWindowSource(const Workstation& ws) {
    SynchSource source;
    source.text = MemberTextOfSelection(ws.groups.synch.live, ws.catalogue);
    source.members = ReadMemberText(source.text, ws.catalogue);
    return source;
}

void WriteListingFiles(Session& session, const SynchDayResult& day) {
    Workstation& ws = session.workstation;
    std::error_code ignored;
    std::filesystem::create_directories(ws.path("\\reports"), ignored);
    for (SynchKind kind : AllSynchKinds) {
        const auto file = ws.path("\\reports\\synch_" + std::string(SynchKindCode(kind)) + ".txt");
        const std::string failure =
            WriteFileAtomically(file, SynchListingText(day.of(kind).listing, ws.catalogue));
        if (!failure.empty()) {
            Warn(session, "The listing " + file.string() + " could not be written: " + failure);
            return;
        }
    }
}

// Puts the transit section on a date, leaving its time and place.
void SetTransitDate(EntrySection& transit, const CivilDate& day) {
    transit.month = std::to_string(day.month);
    transit.day = std::to_string(day.day);
    transit.year = std::to_string(day.year);
}

}  // namespace

bool LoadSynchFiles(Session& session, const std::vector<std::filesystem::path>& files) {
    Workstation& ws = session.workstation;
    if (files.empty()) return false;
    const MemberFile first = ReadMemberFile(files.front(), ws.catalogue);
    if (!first.error.empty()) {
        Warn(session, first.error);
        return false;
    }
    SynchSession& synch = session.synch;
    synch.files = files;
    synch.membersFromSelectionWindow = false;
    synch.memberWindowCaption = "Wizard/synchronization from " + files.front().string();
    SelectionGroups& groups = ws.groups.synch;
    groups.groups[GroupCount] = SelectionOfMembers(first.list);
    groups.current = GroupCount;
    groups.live = groups.groups[GroupCount];
    const std::string failure = WriteFileAtomically(ws.path("\\temp2g.txt"), first.text);
    if (!failure.empty())
        Warn(session, "The work file temp2g.txt could not be written: " + failure);
    return true;
}

void UseSelectionWindowMembers(Session& session) {
    session.synch.membersFromSelectionWindow = true;
}

std::optional<std::vector<SynchSource>> ReadSynchSources(const Session& session) {
    const Workstation& ws = session.workstation;
    const SynchSession& synch = session.synch;
    Messages& messages = ws.messages;
    if (synch.membersFromSelectionWindow) {
        SynchSource source = SelectionWindowSource(ws);
        if (source.members.members.empty()) {
            messages.show("Warning!",
                          "No body is marked on the " + std::string(SelectionWindowName) + ".",
                          MessageIcon::Exclamation);
            return std::nullopt;
        }
        return std::vector<SynchSource>{std::move(source)};
    }
    if (synch.files.empty()) {
        messages.show(kNoFileTitle, "You have not specified a synch file to use - please do so.",
                      MessageIcon::Exclamation);
        return std::nullopt;
    }
    std::vector<SynchSource> sources;
    for (const std::filesystem::path& file : synch.files) {
        std::error_code ec;
        if (!std::filesystem::exists(file, ec)) {
            messages.show(kNoFileTitle,
                          "The file you tried to use no longer exists. Please select another "
                          "file.",
                          MessageIcon::Exclamation);
            return std::nullopt;
        }
        MemberFile read = ReadMemberFile(file, ws.catalogue);
        if (!read.error.empty()) {
            messages.show("Warning!", read.error, MessageIcon::Exclamation);
            return std::nullopt;
        }
        sources.push_back({file.string(), std::move(read.text), std::move(read.list)});
    }
    return sources;
}

bool CalculateSynchOneDay(Session& session, const SynchOrbs& orbs) {
    std::optional<std::vector<SynchSource>> sources = ReadSynchSources(session);
    if (!sources) return false;
    const Workstation& ws = session.workstation;
    SynchSession& synch = session.synch;
    synch.day = RunSynchDay(InputsOf(session), *sources, orbs, ws.groups.priorities);
    synch.sources = std::move(*sources);
    synch.synchComputed = true;
    WriteListingFiles(session, synch.day);
    return true;
}

SynchMonthOutcome CalculateSynchForDays(Session& session, int year, int month,
                                        const SynchOrbs& orbs, const std::filesystem::path& file,
                                        const Progress& progress) {
    std::optional<std::vector<SynchSource>> sources = ReadSynchSources(session);
    if (!sources) return SynchMonthOutcome::Failed;
    Workstation& ws = session.workstation;
    if (month < 1 || month > 12) {
        Warn(session, "The month must be a number from 1 to 12.");
        return SynchMonthOutcome::Failed;
    }
    const EntrySection kept = ws.entry.transit;
    const ChartOfDay chartOfDay = [&](const CivilDate& day) -> const ChartPositions* {
        SetTransitDate(ws.entry.transit, day);
        // A transit moment outside the ephemeris leaves the transit positions unwritten.
        const bool computed = ComputeCharts(session) && ws.chartsComputed &&
                              ws.positions.InRange(ws.transit.houses.ChartJD);
        return computed ? &ws.record : nullptr;
    };
    const SynchMonthResult run = RunSynchMonth(year, month, chartOfDay, ws.flags(), ws.catalogue,
                                               *sources, orbs, ws.groups.priorities, progress);
    ws.entry.transit = kept;
    ComputeCharts(session);
    if (run.cancelled) {
        ws.messages.show("Synchronization day by day", "Operation stopped by user",
                         MessageIcon::Information);
        return SynchMonthOutcome::Cancelled;
    }
    if (!run.error.empty()) {
        Warn(session, run.error + " Nothing was written.");
        return SynchMonthOutcome::Failed;
    }
    WriteListingFiles(session, run.lastDay);
    if (!SaveSynchText(session, file, SynchMonthText(*sources, run.dayTexts)))
        return SynchMonthOutcome::Failed;
    return SynchMonthOutcome::Written;
}

std::string SymmetryHeading(const std::vector<SynchSource>& sources) {
    if (sources.size() == 1 && sources.front().fromSelectionWindow())
        return "Symmetrical patterns using planets marked on " + std::string(SelectionWindowName);
    std::string names;
    for (const SynchSource& source : sources) names += (names.empty() ? "" : ", ") + source.name;
    return "Symmetrical patterns using planets in " + names;
}

bool CalculateSymmetricalPatterns(Session& session) {
    std::optional<std::vector<SynchSource>> sources = ReadSynchSources(session);
    if (!sources) return false;
    Workstation& ws = session.workstation;
    SynchSession& synch = session.synch;
    synch.symmetryHeading = SymmetryHeading(*sources);
    SymmetryInputs in{ws.record, ws.flags(), ws.groups.synch.live, ws.catalogue};
    in.orbs = synch.symmetryOrbs;
    in.capacity = ws.capacities.numSynchsSymsAllowedInArray;
    synch.symmetry = {};
    for (const SynchSource& source : *sources)
        FindSymmetricalPatterns(in, source.members, synch.symmetry, ws.messages);
    synch.symmetryComputed = true;
    return true;
}

bool SaveSynchText(Session& session, const std::filesystem::path& file, const std::string& text) {
    const std::string failure = WriteFileAtomically(file, text);
    if (failure.empty()) return true;
    Warn(session, "The file " + file.string() + " could not be written: " + failure);
    return false;
}

}  // namespace quintaro
