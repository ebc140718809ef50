// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <bitset>
#include <string>
#include <string_view>

#include "core/bodies.h"

namespace quintaro {

// The natal or the transit chart.
enum class ChartSide { Natal, Transit };

inline constexpr int SelectionFlagCount = 2 * BodyCount;  // 106

// Which bodies take part, for each chart: natal flags of slots 1..53 (index 1..53) and transit
// flags of slots 1..53 (index 54..106). Files keep them as a text of "1"/"0" characters; that
// text exists only at the file edge (FromText, text()).
class SelectionFlags {
  public:
    SelectionFlags() = default;

    // A text as the files hold it: character k is flag k, "1" selects, any other character does
    // not; a shorter text leaves the rest unselected, a longer one is cut.
    static SelectionFlags FromText(std::string_view text) {
        SelectionFlags flags;
        const size_t count = text.size() < SelectionFlagCount ? text.size() : SelectionFlagCount;
        for (size_t i = 0; i < count; ++i) flags.bits_[i] = text[i] == '1';
        return flags;
    }
    // Always 106 characters.
    std::string text() const {
        std::string text(SelectionFlagCount, '0');
        for (size_t i = 0; i < SelectionFlagCount; ++i)
            if (bits_[i]) text[i] = '1';
        return text;
    }

    // Flag by index 1..106; indexes outside read as unselected and are not written.
    bool flag(int index) const { return IsIndex(index) && bits_[static_cast<size_t>(index - 1)]; }
    void setFlag(int index, bool selected) {
        if (IsIndex(index)) bits_[static_cast<size_t>(index - 1)] = selected;
    }

    // By slot 1..53; slots outside read as unselected and are not written.
    bool natal(int slot) const { return IsSlot(slot) && flag(slot); }
    bool transit(int slot) const { return IsSlot(slot) && flag(BodyCount + slot); }
    bool of(ChartSide side, int slot) const {
        return side == ChartSide::Natal ? natal(slot) : transit(slot);
    }
    bool either(int slot) const { return natal(slot) || transit(slot); }
    void setNatal(int slot, bool selected) {
        if (IsSlot(slot)) setFlag(slot, selected);
    }
    void setTransit(int slot, bool selected) {
        if (IsSlot(slot)) setFlag(BodyCount + slot, selected);
    }
    void setBoth(int slot, bool selected) {
        setNatal(slot, selected);
        setTransit(slot, selected);
    }

    // Every flag set: what a run over all slots uses.
    static SelectionFlags All() {
        SelectionFlags flags;
        flags.bits_.set();
        return flags;
    }

    bool operator==(const SelectionFlags&) const = default;

  private:
    static bool IsIndex(int index) { return index >= 1 && index <= SelectionFlagCount; }
    static bool IsSlot(int slot) { return slot >= 1 && slot <= BodyCount; }
    std::bitset<SelectionFlagCount> bits_;
};

}  // namespace quintaro
