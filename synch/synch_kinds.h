// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The four coordinate kinds in which synchronizations are searched, and which bodies each frame
// leaves out.

#include <array>
#include <optional>
#include <string_view>

#include "core/chart_positions.h"
#include "synch/synch_members.h"

namespace quintaro {

enum class SynchKind {
    GeoLongitude = 0,
    GeoDeclination = 1,
    HelioLongitude = 2,
    HelioLatitude = 3
};
inline constexpr int SynchKindCount = 4;
inline constexpr std::array<SynchKind, SynchKindCount> AllSynchKinds = {
    SynchKind::GeoLongitude, SynchKind::GeoDeclination, SynchKind::HelioLongitude,
    SynchKind::HelioLatitude};

inline int IndexOf(SynchKind kind) {
    return static_cast<int>(kind);
}

// "gl", "gd", "hl", "hlat": the kind's code in file names.
std::string_view SynchKindCode(SynchKind kind);
// "Geo longitude synchronization", ...
std::string_view SynchKindTitle(SynchKind kind);
// The kind of a code, nothing for another text.
std::optional<SynchKind> SynchKindOfCode(std::string_view code);

inline bool IsLongitudeKind(SynchKind kind) {
    return kind == SynchKind::GeoLongitude || kind == SynchKind::HelioLongitude;
}
inline bool IsHelioKind(SynchKind kind) {
    return kind == SynchKind::HelioLongitude || kind == SynchKind::HelioLatitude;
}

// Bodies that have no place in a frame: the Earth geocentrically; the Sun, the Moon, the node,
// the ascendant, the midheaven and slot 20 heliocentrically.
bool LeftOutOfFrame(int slot, bool helio);

// Whether a member takes part in a frame: a slot of the catalogue, selected, not left out of the
// frame, and with a position there.
bool MemberTakesPart(const SynchMember& member, bool helio, const SelectionFlags& selection,
                     const ChartPositions& record);

// The member's position in the kind: a longitude reduced to its degree within the sign (30 taken
// off while it is at least 30), a declination or latitude as it is.
double SynchValue(const ChartPositions& record, SynchKind kind, const SynchMember& member);

}  // namespace quintaro
