// SPDX-License-Identifier: AGPL-3.0-or-later
#include "synch/synch_kinds.h"

#include <cmath>

namespace quintaro {

namespace {

constexpr std::array<std::string_view, SynchKindCount> kCodes = {"gl", "gd", "hl", "hlat"};
constexpr std::array<std::string_view, SynchKindCount> kTitles = {
    "Geo longitude synchronization", "Geo declination synchronization",
    "Helio longitude synchronization", "Helio latitude synchronization"};

const ChartKinds& ChartOf(const ChartPositions& record, ChartSide side) {
    return side == ChartSide::Natal ? record.Natal : record.Transit;
}

}  // namespace

std::string_view SynchKindCode(SynchKind kind) {
    return kCodes[static_cast<size_t>(IndexOf(kind))];
}

std::string_view SynchKindTitle(SynchKind kind) {
    return kTitles[static_cast<size_t>(IndexOf(kind))];
}

std::optional<SynchKind> SynchKindOfCode(std::string_view code) {
    for (SynchKind kind : AllSynchKinds)
        if (SynchKindCode(kind) == code) return kind;
    return std::nullopt;
}

bool LeftOutOfFrame(int slot, bool helio) {
    if (!helio) return slot == SlotEarth;
    return slot == SlotSun || slot == SlotMoon || slot == SlotNode || slot == SlotAscendant ||
           slot == SlotMidheaven || slot == SlotPartOfFortune;
}

bool MemberTakesPart(const SynchMember& member, bool helio, const SelectionFlags& selection,
                     const ChartPositions& record) {
    if (member.slot < 1 || member.slot > BodyCount) return false;
    if (!selection.of(member.side, member.slot)) return false;
    if (LeftOutOfFrame(member.slot, helio)) return false;
    return !ChartOf(record, member.side).missing(helio, member.slot);
}

double SynchValue(const ChartPositions& record, SynchKind kind, const SynchMember& member) {
    const ChartKinds& chart = ChartOf(record, member.side);
    const auto slot = static_cast<size_t>(member.slot);
    switch (kind) {
        case SynchKind::GeoLongitude:
        case SynchKind::HelioLongitude: {
            double value =
                kind == SynchKind::GeoLongitude ? chart.GeoLong[slot] : chart.HelioLong[slot];
            // The record holds [0, 360); fmod keeps a stray larger value from looping long.
            if (value >= 30) value = std::fmod(value, 30.0);
            return value;
        }
        case SynchKind::GeoDeclination:
            return chart.GeoDecl[slot];
        case SynchKind::HelioLatitude:
            return chart.HelioLat[slot];
    }
    return 0;
}

}  // namespace quintaro
