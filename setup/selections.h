// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Body selections: which bodies take part in a calculation (core/selection_flags.h), the numbered
// groups of the main, crucial and synchronization selections with their current group, and the
// synchronization priorities.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/bodies.h"
#include "core/selection_flags.h"

namespace quintaro {

// The slot whose body key (catalogue name, "mc " with its blank) equals key, ignoring letter
// case; 0 when none does.
int SlotOfKey(const BodyCatalogue& catalogue, std::string_view key);

// The three selections kept in numbered group files.
enum class GroupKind { Select, Crucial, Synch };

// ".sel", ".cru", ".syn".
std::string_view GroupExtension(GroupKind kind);
// "\group" + group + extension ("\group1.sel").
std::string GroupFileName(GroupKind kind, int group);

// Groups 1..9 are tied to their numbered files, group 10 to a file the user picks.
inline constexpr int GroupCount = 10;

struct SelectionGroups {
    std::array<SelectionFlags, GroupCount + 1> groups{};  // 1..10, index 0 unused
    int current = 1;                                      // 1..10
    SelectionFlags live;                                  // the selection in use
};

// A group button: makes group k (1..10) current; false and no change for other numbers.
bool MakeGroupCurrent(SelectionGroups& groups, int group);

// Synchronization priorities: 16-bit weights indexed like the flags, 0 when not given.
struct Priorities {
    std::array<int16_t, SelectionFlagCount + 1> values{};  // 1..106, index 0 unused

    int16_t natal(int slot) const { return InRange(slot) ? values[slot] : 0; }
    int16_t transit(int slot) const { return InRange(slot) ? values[BodyCount + slot] : 0; }
    bool operator==(const Priorities&) const = default;

  private:
    static bool InRange(int slot) { return slot >= 1 && slot <= BodyCount; }
};

// Priority files of the priority window's groups: 1 "\GeneralUse.ord",
// 2 "\RomanceCompatibility.ord", 3 "\RomanceTransits.ord", 4 "\FinancialCompatibiity.ord",
// 5 "\FinancialTransits.ord", 6..9 "\group" + k + ".ord"; empty for other numbers.
std::string PriorityFileName(int group);

// Everything the start-up sets up from the group files and the settings.
struct PlanetGroups {
    SelectionGroups select;  // the main selection: which bodies are computed and shown
    SelectionGroups crucial;
    SelectionGroups synch;
    Priorities priorities;
    SelectionFlags blue;  // the blue-planet selection, from the settings only
    SelectionFlags fit;   // the fit display's selection, kept for the run only
};

}  // namespace quintaro
