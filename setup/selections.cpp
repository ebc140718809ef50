// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/selections.h"

#include <algorithm>

namespace quintaro {

int SlotOfKey(const BodyCatalogue& catalogue, std::string_view key) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    auto same = [&](char a, char b) { return lower(a) == lower(b); };
    for (int slot = 1; slot <= BodyCount; ++slot) {
        const std::string& name = catalogue.BodyNames[slot];
        if (std::equal(name.begin(), name.end(), key.begin(), key.end(), same)) return slot;
    }
    return 0;
}

std::string_view GroupExtension(GroupKind kind) {
    switch (kind) {
        case GroupKind::Select:
            return ".sel";
        case GroupKind::Crucial:
            return ".cru";
        case GroupKind::Synch:
            return ".syn";
    }
    return ".sel";
}

std::string GroupFileName(GroupKind kind, int group) {
    return "\\group" + std::to_string(group) + std::string(GroupExtension(kind));
}

bool MakeGroupCurrent(SelectionGroups& groups, int group) {
    if (group < 1 || group > GroupCount) return false;
    groups.current = group;
    return true;
}

std::string PriorityFileName(int group) {
    switch (group) {
        case 1:
            return "\\GeneralUse.ord";
        case 2:
            return "\\RomanceCompatibility.ord";
        case 3:
            return "\\RomanceTransits.ord";
        case 4:
            return "\\FinancialCompatibiity.ord";  // the name the priority window knows
        case 5:
            return "\\FinancialTransits.ord";
    }
    if (group >= 6 && group <= 9) return "\\group" + std::to_string(group) + ".ord";
    return {};
}

}  // namespace quintaro
