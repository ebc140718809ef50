// SPDX-License-Identifier: AGPL-3.0-or-later
#include "synch/synch_search.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace quintaro {

namespace {

// 5-character names each followed by one blank, the final blank removed.
std::string JoinNames(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += name + " ";
    if (!text.empty()) text.pop_back();
    return text;
}

bool HoldsMember(const std::vector<SynchCandidate>& list, const std::vector<size_t>& cluster,
                 const SynchMember& member) {
    return std::any_of(cluster.begin(), cluster.end(),
                       [&](size_t k) { return list[k].member == member; });
}

SynchRecord RecordOf(const std::vector<SynchCandidate>& list, const std::vector<size_t>& cluster,
                     const BodyCatalogue& catalogue) {
    SynchRecord record;
    std::vector<std::string> natal, transit;
    for (size_t k : cluster) {
        const SynchMember& member = list[k].member;
        record.members.push_back(member);
        (member.side == ChartSide::Natal ? natal : transit)
            .push_back(MemberName5(catalogue, member.slot));
    }
    record.transitText = JoinNames(transit);
    record.natalText = JoinNames(natal);
    record.line = SynchDisplayLine(record.transitText, record.natalText);
    return record;
}

}  // namespace

std::vector<SynchCandidate> SynchCandidates(const SynchInputs& in, SynchKind kind,
                                            const MemberList& members) {
    std::vector<SynchCandidate> candidates;
    candidates.reserve(members.members.size());
    const bool helio = IsHelioKind(kind);
    for (const SynchMember& member : members.members)
        if (MemberTakesPart(member, helio, in.selection, in.record))
            candidates.push_back({SynchValue(in.record, kind, member), member, false});
    return candidates;
}

void SortByMagnitude(std::vector<SynchCandidate>& candidates) {
    for (size_t i = 0; i < candidates.size(); ++i)
        for (size_t j = i + 1; j < candidates.size(); ++j)
            if (std::fabs(candidates[j].value) < std::fabs(candidates[i].value))
                std::swap(candidates[i], candidates[j]);
}

std::vector<SynchCandidate> WithWrappedCopies(const std::vector<SynchCandidate>& sorted,
                                              SynchKind kind, double orb) {
    std::vector<SynchCandidate> list = sorted;
    if (!IsLongitudeKind(kind)) return list;
    for (const SynchCandidate& candidate : sorted)
        if (candidate.value < orb) list.push_back({candidate.value + 30, candidate.member, true});
    return list;
}

std::vector<SynchRecord> FindSynchronizations(const std::vector<SynchCandidate>& list,
                                              size_t anchors, double orb,
                                              const BodyCatalogue& catalogue, size_t room) {
    std::vector<SynchRecord> records;
    size_t previousLast = list.size();  // no entry: nothing reported yet
    std::vector<size_t> cluster;
    for (size_t i = 0; i < anchors && i < list.size() && records.size() < room; ++i) {
        const double anchor = std::fabs(list[i].value);
        cluster.assign(1, i);
        size_t last = i;
        bool natal = list[i].member.side == ChartSide::Natal, transit = !natal;
        for (size_t j = i + 1; j < list.size(); ++j) {
            const SynchCandidate& entry = list[j];
            if (entry.copy && anchor < 30 - orb) continue;
            // With an orb above 15 a body could meet its own copy.
            if (entry.copy && HoldsMember(list, cluster, entry.member)) continue;
            if (std::fabs(std::fabs(entry.value) - anchor) > orb + OrbTolerance) continue;
            cluster.push_back(j);
            last = j;
            (entry.member.side == ChartSide::Natal ? natal : transit) = true;
        }
        if (cluster.size() < 3 || !natal || !transit || last == previousLast) continue;
        previousLast = last;
        records.push_back(RecordOf(list, cluster, catalogue));
        records.back().found = static_cast<int>(records.size());
    }
    return records;
}

std::string SynchDisplayLine(const std::string& transitText, const std::string& natalText) {
    return "(" + transitText + ") - <" + natalText + ">";
}

SynchKindSearch SearchSynchKind(const SynchInputs& in, SynchKind kind, double orb,
                                const MemberList& members, size_t room) {
    SynchKindSearch search;
    search.sorted = SynchCandidates(in, kind, members);
    SortByMagnitude(search.sorted);
    const std::vector<SynchCandidate> list = WithWrappedCopies(search.sorted, kind, orb);
    search.records = FindSynchronizations(list, search.sorted.size(), orb, in.catalogue, room);
    return search;
}

}  // namespace quintaro
