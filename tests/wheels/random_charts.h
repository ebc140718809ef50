// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <random>

#include "core/degrees.h"
#include "wheel_test_input.h"
#include "wheels/wheel_geometry.h"

namespace quintaro::test {

// The bodies of an everyday chart: the planets, Chiron, the node, the four asteroids and the
// ascendant and midheaven.
inline constexpr int EverydaySlots[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,
                                        10, 12, 13, 14, 15, 16, 17, 18, 19};

// A chart of random positions from a seed, natal alone or natal + transit. A crowded chart holds
// every body within 20 degrees of one random longitude. One chart in three records geocentric
// house sectors, as the session does: houses of unequal size put a body into a sector up to 25
// degrees from its longitude, where the slots pull it back.
inline WheelInput RandomChart(unsigned seed, bool withTransit, bool crowded) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> anywhere(0, 360);
    std::uniform_real_distribution<double> within(0, 20);
    std::uniform_int_distribution<int> coin(0, 3);
    const double start = anywhere(random);
    auto longitude = [&] { return Norm360(crowded ? start + within(random) : anywhere(random)); };
    auto direction = [&] { return coin(random) == 0 ? 'f' : 'r'; };
    WheelInput input;
    for (int slot : EverydaySlots) AddNatal(input, slot, longitude(), direction());
    if (withTransit)
        for (int slot : EverydaySlots) AddTransit(input, slot, longitude(), direction());
    for (int slot : EverydaySlots) {
        input.natal.retro.set(slot, coin(random) == 0 ? 'R' : ' ');
        input.transit.retro.set(slot, coin(random) == 0 ? 'R' : ' ');
    }
    if (seed % 3 == 0) {
        std::uniform_real_distribution<double> houseShift(-25, 25);
        for (int slot : EverydaySlots) {
            input.natal.sector[slot] =
                SectorOfLongitude(input.boundaries, input.natal.longitude[slot] + houseShift(random));
            input.transit.sector[slot] = SectorOfLongitude(
                input.boundaries, input.transit.longitude[slot] + houseShift(random));
        }
    }
    return input;
}

}  // namespace quintaro::test
