// SPDX-License-Identifier: AGPL-3.0-or-later
#include "synch/synch_day.h"

#include <cmath>

#include "core/formatting.h"
#include "synch/synch_priority.h"

namespace quintaro {

namespace {

constexpr size_t kSeparatorWidth = 69;
constexpr int kPriorityWidth = 6;

std::string Magnitude(double value) {
    return FormatNumber(std::fabs(value), "000.000");
}

std::string PriorityColumn(int16_t priority) {
    std::string text = std::to_string(priority);
    if (text.size() < kPriorityWidth) text.insert(0, kPriorityWidth - text.size(), ' ');
    return text;
}

// A kind's section of pane 1 as the search writes it.
std::string FoundSection(SynchKind kind, const std::vector<SynchRecord>& records) {
    std::string text = std::string(SynchKindTitle(kind)) + "\n";
    for (const SynchRecord& record : records) text += record.line + "\n";
    if (records.empty()) text += std::string(NoneFoundLine) + "\n";
    return text;
}

// A kind's section of the natal or the transit pane.
std::string ListingSection(SynchKind kind, const std::vector<SynchCandidate>& sorted,
                           ChartSide side, const BodyCatalogue& catalogue) {
    std::string text = std::string(SynchKindTitle(kind)) +
                       (side == ChartSide::Natal ? " (natal)\n" : " (transits)\n");
    for (const SynchCandidate& candidate : sorted)
        if (candidate.member.side == side)
            text += MemberName5(catalogue, candidate.member.slot) + " " +
                    Magnitude(candidate.value) + "\n";
    return text;
}

void AddSection(std::string& pane, const std::string& section, bool first) {
    if (!first) pane += "\n";
    pane += section;
}

}  // namespace

std::string EndOfSourceText(const SynchSource& source) {
    if (source.fromSelectionWindow())
        return "end of synch file used from " + std::string(SelectionWindowName);
    return "end of synch file used - " + source.name;
}

std::string SourceSeparator(const SynchSource& source) {
    return std::string(kSeparatorWidth, '-') + "\n" + EndOfSourceText(source) + "\n";
}

SynchDayResult RunSynchDay(const SynchInputs& in, const std::vector<SynchSource>& sources,
                           const SynchOrbs& orbs, const Priorities& priorities) {
    SynchDayResult day;
    for (const SynchSource& source : sources) {
        for (SynchKind kind : AllSynchKinds) {
            const size_t k = static_cast<size_t>(IndexOf(kind));
            SynchKindResult& result = day.kinds[k];
            const size_t room = MaxSynchRecords - result.records.size();
            SynchKindSearch search = SearchSynchKind(in, kind, orbs[k], source.members, room);
            const bool first = kind == SynchKind::GeoLongitude;
            AddSection(day.foundPane, FoundSection(kind, search.records), first);
            for (SynchRecord& record : search.records) {
                record.found = static_cast<int>(result.records.size()) + 1;
                result.records.push_back(std::move(record));
            }
            result.full = result.records.size() >= MaxSynchRecords;
            AddSection(day.natalPane,
                       ListingSection(kind, search.sorted, ChartSide::Natal, in.catalogue), first);
            AddSection(day.transitPane,
                       ListingSection(kind, search.sorted, ChartSide::Transit, in.catalogue),
                       first);
            result.listing = std::move(search.sorted);
        }
        for (std::string* pane : {&day.foundPane, &day.natalPane, &day.transitPane})
            *pane += SourceSeparator(source);
    }
    for (SynchKindResult& result : day.kinds)
        ArrangeByPriority(result.records, priorities, in.catalogue);
    day.synchPane = ArrangedSynchPane(day.kinds);
    return day;
}

std::string SynchListingText(const std::vector<SynchCandidate>& sorted,
                             const BodyCatalogue& catalogue) {
    std::string text;
    for (const SynchCandidate& candidate : sorted)
        text += (candidate.member.side == ChartSide::Natal ? "n. " : "t. ") +
                MemberName5(catalogue, candidate.member.slot) + " " + Magnitude(candidate.value) +
                "\n";
    return text;
}

std::string ArrangedSynchPane(const std::array<SynchKindResult, SynchKindCount>& kinds) {
    std::string pane;
    for (SynchKind kind : AllSynchKinds) {
        const SynchKindResult& result = kinds[static_cast<size_t>(IndexOf(kind))];
        std::string section = std::string(SynchKindTitle(kind)) + "\n";
        for (const SynchRecord& record : result.records)
            section += PriorityColumn(record.priority) + "  " + record.line + "\n";
        if (result.records.empty()) section += std::string(NoneFoundLine) + "\n";
        if (result.full)
            section += "    (the search stopped at " + std::to_string(MaxSynchRecords) +
                       " synchronizations)\n";
        AddSection(pane, section, kind == SynchKind::GeoLongitude);
    }
    return pane;
}

}  // namespace quintaro
