// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <vector>

namespace quintaro {

// A body to be given a glyph slot: its wheel number (1..2N), working longitude and display
// sector 1..12.
struct SlotRequest {
    int body = 0;
    double longitude = 0;
    int sector = 1;
};

struct SlotPlacement {
    int body = 0;
    int sector = 1;
    int slot = 0;      // index into the 12 x 8 slot table: 8 (sector - 1) + slot in the sector
    int running = 1;   // 1 for the first body placed in its sector, 2 for the next, ...
    double angle = 0;  // display angle of the glyph
};

// Gives every body a slot of its own, in placement order (lowest longitude first). A body takes
// the slot its offset into the sector proposes, pulled back towards the sector's start when the
// bodies still to come in the sector would not fit after it; an occupied slot sends it on to the
// next free one, past the end of the sector into the next. Up to 96 bodies get distinct slots.
std::vector<SlotPlacement> PlaceGlyphSlots(const std::vector<SlotRequest>& bodies,
                                           const std::array<double, 13>& boundaries);

// The placement of the house wheel: the same proposal and pull-back, the bodies taken in their
// order from the start of sector 1 (so a house that holds 0 degrees keeps its order), but a body
// stays in its own sector: from an occupied slot it goes on to the next free one of the sector,
// from the sector's last slot back to its first, and when all 8 are taken it is left out.
struct SectorPlacement {
    std::vector<SlotPlacement> placed;
    std::vector<SlotRequest> leftOut;
};
SectorPlacement PlaceGlyphsWithinSectors(const std::vector<SlotRequest>& bodies,
                                         const std::array<double, 13>& boundaries);

}  // namespace quintaro
