// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/glyph_slots.h"

#include <cmath>
#include <optional>
#include <utility>

#include "core/degrees.h"
#include "wheels/wheel_geometry.h"

namespace quintaro {

namespace {

// Sorted by longitude counted from `origin`, highest first, with the exchange sort the placement
// has always used, so that bodies at equal longitudes come out in the same order.
std::vector<SlotRequest> SortedDescending(std::vector<SlotRequest> list, double origin) {
    auto key = [origin](const SlotRequest& r) { return Norm360(r.longitude - origin); };
    for (size_t i = 0; i < list.size(); ++i)
        for (size_t j = i + 1; j < list.size(); ++j)
            if (key(list[j]) > key(list[i])) std::swap(list[i], list[j]);
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

namespace {

// The walk of the main wheel: on past the sector's end into the next sector.
std::optional<int> NextFreeOnward(const std::array<bool, SlotTableSize>& occupied, int sector,
                                  int slot) {
    while (occupied[TableIndex(sector, slot)]) ++slot;
    return TableIndex(sector, slot);
}

// The walk of the house wheel: round the sector's own 8 slots.
std::optional<int> NextFreeWithin(const std::array<bool, SlotTableSize>& occupied, int sector,
                                  int slot) {
    for (int step = 0; step < SlotsPerSector; ++step) {
        int index = TableIndex(sector, (slot + step) % SlotsPerSector);
        if (!occupied[index]) return index;
    }
    return std::nullopt;
}

template <typename Walk>
SectorPlacement Place(const std::vector<SlotRequest>& bodies,
                      const std::array<double, 13>& boundaries, double origin, Walk walk) {
    std::array<int, SectorCount + 1> count{};
    for (const auto& body : bodies)
        if (body.sector >= 1 && body.sector <= SectorCount) ++count[body.sector];

    std::vector<SlotRequest> sorted = SortedDescending(bodies, origin);
    std::array<bool, SlotTableSize> occupied{};
    SectorPlacement result;
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
        std::optional<int> index = walk(occupied, body.sector, slot);
        if (!index) {
            result.leftOut.push_back(body);
            continue;
        }
        occupied[*index] = true;
        --free;
        double angle = SectorStartAngle(1) + SlotWidth * *index;
        result.placed.push_back({body.body, body.sector, *index, running, Norm360(angle)});
        ++running;
    }
    return result;
}

}  // namespace

std::vector<SlotPlacement> PlaceGlyphSlots(const std::vector<SlotRequest>& bodies,
                                           const std::array<double, 13>& boundaries) {
    return Place(bodies, boundaries, 0, NextFreeOnward).placed;
}

SectorPlacement PlaceGlyphsWithinSectors(const std::vector<SlotRequest>& bodies,
                                         const std::array<double, 13>& boundaries) {
    // Counted from the start of sector 1, the bodies of a sector that holds 0 degrees come in
    // their order within the sector.
    return Place(bodies, boundaries, boundaries[SectorBoundaryEntry(1)], NextFreeWithin);
}

}  // namespace quintaro
