// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Interpretations of synchronizations: for every synchronization of the geocentric and the
// heliocentric longitudes, the paragraph of each pair of a transit (or second chart's) member and
// a natal member, from the synchronization paragraphs of the report kind's store.

#include <string>
#include <vector>

#include "interps/interpretation_report.h"

namespace quintaro {

// What a synchronization search hands over: its members by slot, rated.
struct SynchronizationMembers {
    std::vector<int> transit;
    std::vector<int> natal;
    int priority = 0;
};

// The synchronizations found in one coordinate kind, best first.
struct SynchronizationsOfKind {
    CoordinateKind kind = CoordinateKind::GeoLongitude;
    std::vector<SynchronizationMembers> synchronizations;
};

struct SynchReportInputs {
    ReportMode mode = ReportMode::RomanceCompatibility;  // a compatibility or transit mode
    bool filtered = false;  // each pair of members once, where it first appears
    std::vector<SynchronizationsOfKind> found;
    const BodyCatalogue* catalogue = nullptr;
    ReportChart first, second;  // the transit section's chart, the natal chart
    const StringMap* store = nullptr;
};

struct SynchGroup {
    std::string line;  // "(mars ) - <sun   venus>", as the synchronization window lists it
    std::vector<ReportRow> pairs;
};

struct SynchReportSection {
    CoordinateKind kind = CoordinateKind::GeoLongitude;
    std::string title;  // "Geo longitude synchronization", "Helio longitude synchronization"
    std::vector<SynchGroup> groups;
};

struct SynchReport {
    ReportMode mode = ReportMode::RomanceCompatibility;
    bool filtered = false;
    std::string title;
    std::vector<SynchReportSection> sections;
    bool storeLoaded = true;
    std::vector<std::string> missing;
    std::vector<std::string> problems;
};

// "Synch Longitude Interpretations - " + "Filtered " or "Full " + the report kind.
std::string SynchCaption(ReportMode mode, bool filtered);

// The longitude kinds' synchronizations of `found` (geocentric, then heliocentric); the others
// have no paragraphs. A missing or empty store tells the user "Please load interpretation files
// 8/9 before click here." once.
SynchReport BuildSynchReport(const SynchReportInputs& inputs, Messages& messages);

ReportDocument LayoutSynchReport(const SynchReport& report);

}  // namespace quintaro
