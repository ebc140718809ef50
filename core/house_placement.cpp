// SPDX-License-Identifier: AGPL-3.0-or-later
// Which house each selected body is in.
#include <cmath>

#include "core/houses.h"

namespace quintaro {

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

int HouseNumberOfCusp(int index) {
    return index >= 1 && index <= 12 ? (index + 8) % 12 + 1 : 0;
}

std::string_view HouseNumberLabel4(int house) {
    return HouseLabel4(house >= 1 && house <= 12 ? (house + 2) % 12 + 1 : 13);
}

void PlaceBodiesInHouses(const PerSlot<double>& longitudes, const SelectionFlags& selection,
                         ChartHouses& houses) {
    houses.HouseOfSlot.fill(0);
    for (int slot = 1; slot <= BodyCount; ++slot) {
        if (!selection.either(slot)) continue;
        houses.HouseOfSlot[slot] =
            HouseNumberOfCusp(HouseIndexOf(houses.HouseCusps, longitudes[slot]));
    }
}

}  // namespace quintaro
