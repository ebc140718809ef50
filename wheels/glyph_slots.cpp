// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/glyph_slots.h"

#include <cmath>
#include <utility>

#include "core/degrees.h"
#include "wheels/wheel_geometry.h"

namespace quintaro {

namespace {

// Sorted by longitude, highest first, with the exchange sort the placement has always used, so
// that bodies at equal longitudes come out in the same order.
std::vector<SlotRequest> SortedDescending(std::vector<SlotRequest> list) {
    for (size_t i = 0; i < list.size(); ++i)
        for (size_t j = i + 1; j < list.size(); ++j)
            if (list[j].longitude > list[i].longitude) std::swap(list[i], list[j]);
    return list;
}

int ProposedSlot(const SlotRequest& body, const std::array<double, 13>& boundaries) {
    double start = boundaries[SectorBoundaryEntry(body.sector)];
    double offset = Norm360(body.longitude - start);
    if (offset > 360 - 1.0 / 36000) offset = 0;
    double size = SectorSize(boundaries, body.sector);
    if (size <= 0) return 0;
    double proposed = std::floor(SlotsPerSector * offset / size);
    return proposed < SlotTableSize ? static_cast<int>(proposed) : SlotTableSize - 1;
}

// The pull-back rule: c capacity, n bodies in the sector, p proposed slot, r running number.
int PulledBackSlot(int c, int n, int p, int r, bool proposedFree) {
    int slot;
    if (c - n > p)
        slot = p;
    else if (c - p - n + r > 0)
        slot = p;
    else if (p - (n - r) >= 0 && proposedFree)
        slot = c - (n - r) - 1;
    else
        slot = c - n;
    return slot < 0 ? 0 : slot;
}

int TableIndex(int sector, int slot) {
    return ((sector - 1) * SlotsPerSector + slot) % SlotTableSize;
}

}  // namespace

std::vector<SlotPlacement> PlaceGlyphSlots(const std::vector<SlotRequest>& bodies,
                                           const std::array<double, 13>& boundaries) {
    std::array<int, SectorCount + 1> count{};
    for (const auto& body : bodies)
        if (body.sector >= 1 && body.sector <= SectorCount) ++count[body.sector];

    std::vector<SlotRequest> sorted = SortedDescending(bodies);
    std::array<bool, SlotTableSize> occupied{};
    std::vector<SlotPlacement> placed;
    int previousSector = 0;
    int running = 1;
    int free = SlotTableSize;
    for (auto it = sorted.rbegin(); it != sorted.rend() && free > 0; ++it) {
        const SlotRequest& body = *it;
        if (body.sector < 1 || body.sector > SectorCount) continue;
        if (body.sector != previousSector) running = 1;
        previousSector = body.sector;

        int p = ProposedSlot(body, boundaries);
        int slot = PulledBackSlot(SlotsPerSector, count[body.sector], p, running,
                                  !occupied[TableIndex(body.sector, p)]);
        while (occupied[TableIndex(body.sector, slot)]) ++slot;
        int index = TableIndex(body.sector, slot);
        occupied[index] = true;
        --free;

        double angle = SectorStartAngle(1) + SlotWidth * index;
        placed.push_back({body.body, body.sector, index, running, Norm360(angle)});
        ++running;
    }
    return placed;
}

}  // namespace quintaro
