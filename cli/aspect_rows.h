// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// One list of found aspects as the command line shows it: full body names, the aspect's angle
// (longitudes) or symbol (declinations and latitudes) with its name, the orb as the grids round
// it, applying or separating, and with exact times the time to exact and the local date, or the
// sentence that none was found.

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <vector>

#include "app/session.h"
#include "aspects/aspect_kinds.h"

namespace quintaro::cli {

inline constexpr const char* kNoExactTime = "no exact time within the search window";

struct AspectRow {
    int body1 = 0, body2 = 0, code = 1;
    double orb = 0;              // signed: applying positive, separating negative
    bool motionFollowed = true;  // false where the grids mark "x": the angles do not move here
    bool timed = false;          // exact times were searched
    std::optional<double> daysToExact;
    std::string exactLocal;  // "2000-01-01 12:00" on the chart's local clock; empty: none found
};

// The rows of one list of the session: the plain list, or the timed list when `exact`.
std::vector<AspectRow> CollectAspectRows(const Session& session, Pairing pairing,
                                         CoordinateKind kind, bool exact);

// Text table cells: body, aspect, name, body, orb, applying/separating (+ time and date).
std::vector<std::string> AspectTextCells(const BodyCatalogue& catalogue, CoordinateKind kind,
                                         const AspectRow& row);
// Column alignment for AlignedColumns.
inline constexpr const char* kAspectTextAlignment = "llllrlrl";

nlohmann::ordered_json AspectRowJson(const BodyCatalogue& catalogue, const AspectRow& row);

std::vector<std::string> AspectCsvTitles(bool timed);
std::vector<std::string> AspectCsvCells(const BodyCatalogue& catalogue, const AspectRow& row);

// "natal–natal aspects in geocentric longitude"
std::string AspectListTitle(Pairing pairing, CoordinateKind kind);

// Short keys of the command line: "nn", "tn", "tt"; "gl", "gd", "hl", "hlat".
std::string PairingKey(Pairing pairing);
std::string KindKey(CoordinateKind kind);

// A date text of the timed lists ("12/25/1990   03:05" in the date style) as "1990-12-25 03:05";
// empty when it is no date.
std::string IsoExactDate(const std::string& text, const DateStyle& style);

}  // namespace quintaro::cli
