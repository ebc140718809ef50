// SPDX-License-Identifier: AGPL-3.0-or-later
#include "synch/synch_priority.h"

#include <algorithm>
#include <utility>

namespace quintaro {

namespace {

bool StartsName(char c) {
    return (c >= 'a' && c <= 'z') || c == '[' || c == ']';
}

}  // namespace

int16_t PriorityIndex(std::string_view line, const Priorities& priorities,
                      const MemberNameIndex& names) {
    constexpr size_t kNameWidth = 5;
    long sum = 0;
    bool transit = false;
    for (size_t at = 0; at < line.size();) {
        const char c = line[at];
        if (c == '(') transit = true;
        if (c == '<') transit = false;
        if (!StartsName(c)) {
            ++at;
            continue;
        }
        const int slot = names.slotOf(line.substr(at, kNameWidth));
        if (slot != 0) sum += transit ? priorities.transit(slot) : priorities.natal(slot);
        at += kNameWidth;
    }
    return static_cast<int16_t>(std::clamp<long>(sum, INT16_MIN, INT16_MAX));
}

void ArrangeByPriority(std::vector<SynchRecord>& records, const Priorities& priorities,
                       const BodyCatalogue& catalogue) {
    const MemberNameIndex names(catalogue);
    for (SynchRecord& record : records)
        record.priority = PriorityIndex(record.line, priorities, names);
    for (size_t i = 0; i < records.size(); ++i)
        for (size_t j = i + 1; j < records.size(); ++j)
            if (records[j].priority > records[i].priority) std::swap(records[i], records[j]);
}

}  // namespace quintaro
