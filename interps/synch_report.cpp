// SPDX-License-Identifier: AGPL-3.0-or-later
#include "interps/synch_report.h"

#include <algorithm>
#include <set>
#include <utility>

namespace quintaro {

namespace {

// The 5-character name field of a body, as the synchronization texts write it.
std::string NameField(const BodyCatalogue& catalogue, int slot) {
    std::string name = slot >= 1 && slot <= BodyCount
                           ? catalogue.BodyNames[static_cast<size_t>(slot)].substr(0, 5)
                           : std::string("?");
    name.resize(5, ' ');
    return name;
}

std::string MemberText(const BodyCatalogue& catalogue, const std::vector<int>& slots) {
    std::string text;
    for (int slot : slots) text += NameField(catalogue, slot) + " ";
    if (!text.empty()) text.pop_back();
    return text;
}

std::string SynchTitle(CoordinateKind kind) {
    return kind == CoordinateKind::HelioLongitude ? "Helio longitude synchronization"
                                                  : "Geo longitude synchronization";
}

ReportRow PairRow(int transit, int natal, const SynchReportInputs& inputs, SynchReport& report) {
    const BodyCatalogue& catalogue = *inputs.catalogue;
    ReportRow row;
    row.body1 = transit;
    row.body2 = natal;
    row.heading = "[" + ReportBodyName(catalogue, transit) + " SYNCHRONIZED WITH YOUR " +
                  ReportBodyName(catalogue, natal) + "]";
    const auto first = InterpretationIndexOfSlot(catalogue, transit);
    const auto second = InterpretationIndexOfSlot(catalogue, natal);
    if (!first || !second || !report.storeLoaded) return row;
    const auto key = SynchronizationKey(InterpretationBodies[*first].key,
                                        InterpretationBodies[*second].key, inputs.mode);
    if (!key) return row;
    row.aspectKey = *key;
    try {
        if (inputs.store->Lookup(*key, &row.text) && !row.text.empty()) return row;
        report.problems.push_back("No interpretation text for " + *key + " in " +
                                  inputs.store->FileName().string());
    } catch (const CorruptStoreError& error) {
        row.text.clear();
        report.problems.push_back(error.what());
    }
    report.missing.push_back(*key);
    return row;
}

}  // namespace

std::string SynchCaption(ReportMode mode, bool filtered) {
    return std::string("Synch Longitude Interpretations - ") + (filtered ? "Filtered " : "Full ") +
           std::string(ReportKindName(mode));
}

SynchReport BuildSynchReport(const SynchReportInputs& inputs, Messages& messages) {
    SynchReport report;
    report.mode = inputs.mode;
    report.filtered = inputs.filtered;
    report.title = std::string(ReportKindName(inputs.mode)) + " Synchronizations of " +
                   inputs.first.name + " and " + inputs.second.name;
    report.storeLoaded = inputs.store && inputs.store->Count() > 0;
    if (!report.storeLoaded) {
        TellInterpretationFilesMissing(messages);
        report.problems.push_back("The interpretation store " +
                                  std::string(StoreName(inputs.mode)) + " is not loaded" +
                                  StoreFailure(inputs.store));
    }
    for (CoordinateKind kind : {CoordinateKind::GeoLongitude, CoordinateKind::HelioLongitude}) {
        SynchReportSection section;
        section.kind = kind;
        section.title = SynchTitle(kind);
        std::set<std::pair<int, int>> shown;
        for (const SynchronizationsOfKind& found : inputs.found) {
            if (found.kind != kind) continue;
            for (const SynchronizationMembers& members : found.synchronizations) {
                SynchGroup group;
                group.line = "(" + MemberText(*inputs.catalogue, members.transit) + ") - <" +
                             MemberText(*inputs.catalogue, members.natal) + ">";
                for (int transit : members.transit) {
                    for (int natal : members.natal) {
                        if (inputs.filtered && !shown.insert({transit, natal}).second) continue;
                        group.pairs.push_back(PairRow(transit, natal, inputs, report));
                    }
                }
                if (!group.pairs.empty()) section.groups.push_back(std::move(group));
            }
        }
        report.sections.push_back(std::move(section));
    }
    return report;
}

ReportDocument LayoutSynchReport(const SynchReport& report) {
    ReportDocument document;
    document.title = report.title;
    document.add(report.title, ParagraphAlign::Centre, true);
    document.addBlank();
    for (const SynchReportSection& section : report.sections) {
        document.add(section.title, ParagraphAlign::Left, true);
        document.add(std::string(section.title.size(), '-'));
        document.addBlank();
        if (section.groups.empty()) {
            document.add("none found");
            document.addBlank();
        }
        for (const SynchGroup& group : section.groups) {
            document.add(group.line, ParagraphAlign::Left, true);
            document.addBlank();
            for (const ReportRow& row : group.pairs) {
                document.add(row.heading, ParagraphAlign::Left, true);
                document.add(row.text.empty() ? std::string("(no interpretation text)") : row.text);
                document.addBlank();
            }
        }
    }
    return document;
}

}  // namespace quintaro
