// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The natal positions of every record of a database, for research over many people at once. Each
// record's birth moment is read as its chart reads it (BirthMomentOf) and the positions come
// straight from the positions at a moment, without running the chart computation per record.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/birth_transfer.h"
#include "database/person_listing.h"
#include "setup/workstation.h"

namespace quintaro {

// The four coordinate kinds: "gl", "gd", "hl", "hlat".
enum class PositionKind { GeoLong, GeoDecl, HelioLong, HelioLat };
std::optional<PositionKind> PositionKindOf(std::string_view code);

// The slots a table lists: the natal selection, without the slots that have no position of their
// own in the kind's frame (the calculated points 18 to 20, which need a place; the Earth
// geocentrically; the Sun and the Moon heliocentrically).
std::vector<int> PositionSlots(const SelectionFlags& flags, PositionKind kind);

struct RecordPositions {
    long number = 0;
    std::string name;
    CivilDate date;
    BirthMoment moment;
    // One value per slot of the table; nothing where the ephemeris gives no position.
    std::vector<std::optional<double>> values;
};

struct PositionsTable {
    std::vector<int> slots;
    std::vector<RecordPositions> rows;  // in the order of the listing given
    // Records left out, each with the reason: no birth date, damaged, a moment outside the
    // ephemeris.
    std::vector<std::pair<long, std::string>> skipped;
    // Cells without a value, as "record number, slot".
    std::vector<std::pair<long, int>> missing;
};

// `fallbackZone` stands in for a zone a record does not hold (the home zone).
PositionsTable NatalPositionsTable(Positions& positions, const std::vector<PersonSummary>& people,
                                   const std::vector<int>& slots, PositionKind kind,
                                   double fallbackZone);

}  // namespace quintaro
