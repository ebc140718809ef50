// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/record_positions.h"

namespace quintaro {

namespace {

bool Helio(PositionKind kind) {
    return kind == PositionKind::HelioLong || kind == PositionKind::HelioLat;
}

bool HasPositionInFrame(int slot, PositionKind kind) {
    if (slot >= SlotAscendant && slot <= SlotPartOfFortune) return false;
    if (Helio(kind)) return slot != SlotSun && slot != SlotMoon;
    return slot != SlotEarth;
}

double ValueOfKind(const BodyPoint& point, PositionKind kind) {
    return kind == PositionKind::GeoLong || kind == PositionKind::HelioLong ? point.longitude
                                                                            : point.second;
}

}  // namespace

std::optional<PositionKind> PositionKindOf(std::string_view code) {
    if (code == "gl") return PositionKind::GeoLong;
    if (code == "gd") return PositionKind::GeoDecl;
    if (code == "hl") return PositionKind::HelioLong;
    if (code == "hlat") return PositionKind::HelioLat;
    return std::nullopt;
}

std::vector<int> PositionSlots(const SelectionFlags& flags, PositionKind kind) {
    std::vector<int> slots;
    for (int slot = 1; slot <= BodyCount; ++slot)
        if (flags.natal(slot) && HasPositionInFrame(slot, kind)) slots.push_back(slot);
    return slots;
}

PositionsTable NatalPositionsTable(Positions& positions, const std::vector<PersonSummary>& people,
                                   const std::vector<int>& slots, PositionKind kind,
                                   double fallbackZone) {
    PositionsTable table;
    table.slots = slots;
    table.rows.reserve(people.size());
    const Frame frame = Helio(kind) ? Frame::Heliocentric : Frame::Geocentric;
    for (const PersonSummary& person : people) {
        if (!person.problems.empty()) {
            table.skipped.emplace_back(person.number,
                                       "damaged or no person record: " + person.problems.front());
            continue;
        }
        const BirthData birth = BirthDataOf(person);
        auto moment = BirthMomentOf(birth, fallbackZone);
        if (!moment) {
            table.skipped.emplace_back(person.number, "no birth date");
            continue;
        }
        if (!positions.InRange(moment->jd)) {
            table.skipped.emplace_back(person.number,
                                       "the birth moment lies outside the ephemeris");
            continue;
        }
        RecordPositions row{person.number, birth.name, *birth.date, *moment, {}};
        row.values.reserve(slots.size());
        for (int slot : slots) {
            const BodyPoint point = positions.PositionAt(moment->jd, slot, frame);
            if (point.valid) {
                row.values.emplace_back(ValueOfKind(point, kind));
            } else {
                row.values.emplace_back();
                table.missing.emplace_back(person.number, slot);
            }
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

}  // namespace quintaro
