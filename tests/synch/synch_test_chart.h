// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Charts made by hand for the synchronization and symmetry tests: positions are set directly,
// with no ephemeris behind them.

#include <string>

#include "core/bodies.h"
#include "core/chart_positions.h"
#include "core/selection_flags.h"
#include "synch/synch_members.h"

namespace quintaro::test {

// A member of a synchronization list with the value it has in the kind being tested.
struct Placed {
    SynchMember member;
    double value;
};

struct HandChart {
    ChartPositions record;
    SelectionFlags selection = SelectionFlags::All();
    BodyCatalogue catalogue = MakeBodyCatalogue();

    ChartKinds& chart(ChartSide side) {
        return side == ChartSide::Natal ? record.Natal : record.Transit;
    }
    // Sets a body's value in one of the four kinds: 0 geo longitude, 1 geo declination,
    // 2 helio longitude, 3 helio latitude.
    void set(ChartSide side, int slot, int kind, double value) {
        ChartKinds& c = chart(side);
        auto at = static_cast<size_t>(slot);
        (kind == 0   ? c.GeoLong
         : kind == 1 ? c.GeoDecl
         : kind == 2 ? c.HelioLong
                     : c.HelioLat)[at] = value;
    }
    // Names the free slots 21..53 "ast21" ... "ast53".
    void nameFreeSlots() {
        while (catalogue.NextFreeSlot <= BodyCount)
            AddFreeSlotBody(catalogue, "ast" + std::to_string(catalogue.NextFreeSlot));
    }
};

inline SynchMember Natal(int slot) {
    return {slot, ChartSide::Natal};
}
inline SynchMember Transit(int slot) {
    return {slot, ChartSide::Transit};
}

}  // namespace quintaro::test
