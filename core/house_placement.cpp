// SPDX-License-Identifier: AGPL-3.0-or-later
// Which house each selected body is in.
#include <cmath>

#include "core/houses.h"

namespace quintaro {

namespace {

bool Selected(std::string_view flags, int slot) {
    auto flagAt = [&](std::size_t i) { return i < flags.size() && flags[i] != '0'; };
    return flagAt(static_cast<std::size_t>(slot - 1)) ||
           flagAt(static_cast<std::size_t>(slot - 1 + BodyCount));
}

}  // namespace

int HouseIndexOf(const HouseCuspArray& cusps, double longitude) {
    double v = longitude + 1.0 / 36000.0;
    int found = 0;
    for (int k = 1; k <= 12; ++k) {
        double from = cusps[k], to = cusps[k % 12 + 1];
        bool inside = from <= to ? (from <= v && v < to) : (v >= from || v < to);
        if (inside) found = k;  // a later cusp wins, as when the labels are written in turn
    }
    return found;
}

void PlaceBodiesInHouses(const PerSlot<double>& longitudes, std::string_view selectionFlags,
                         ChartHouses& houses) {
    houses.HousePlacement.assign(10 * BodyCount, ' ');
    for (int slot = 1; slot <= BodyCount; ++slot) {
        if (!Selected(selectionFlags, slot)) continue;
        std::size_t field = 10 * static_cast<std::size_t>(slot - 1);
        houses.HousePlacement.replace(field + 4, 6, " HOUSE");
        int index = HouseIndexOf(houses.HouseCusps, longitudes[slot]);
        if (index != 0) houses.HousePlacement.replace(field, 4, HouseLabel4(index));
    }
}

}  // namespace quintaro
