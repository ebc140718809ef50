// SPDX-License-Identifier: AGPL-3.0-or-later
#include "cli/aspect_rows.h"

#include <fmt/format.h>

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "aspects/aspect_catalogue.h"
#include "cli/name_lookup.h"
#include "cli/text_output.h"
#include "core/glyph_text.h"

namespace quintaro::cli {

namespace {

// The grids' rule: a row whose moving body is the ascendant, midheaven or slot 20 has no
// applying or separating sense (both bodies in a natal–natal list).
bool MotionFollowed(Pairing pairing, int body1, int body2) {
    if (pairing == Pairing::TransitNatal) return !IsCalculatedPoint(body1);
    return !(IsCalculatedPoint(body1) && IsCalculatedPoint(body2));
}

// The aspect as the grids show it: the three-digit angle, or the symbol where it has none.
std::string AspectMark(CoordinateKind kind, int code) {
    if (IsLongitudeKind(kind) && AspectAngle(code) >= 0) return AspectAngleText(code);
    return GlyphsAsUnicode(GlyphChar(AspectGlyphCode(code)));
}

std::string OrbText(double orb) {
    return fmt::format("{:.2f}\u00b0", std::fabs(orb));
}

std::string Sense(const AspectRow& row) {
    if (!row.motionFollowed) return "";
    return row.orb >= 0 ? "applying" : "separating";
}

std::string DaysText(double days) {
    if (days >= 0) return fmt::format("in {:.2f} d", days);
    return fmt::format("{:.2f} d ago", -days);
}

}  // namespace

std::vector<AspectRow> CollectAspectRows(const Session& session, Pairing pairing,
                                         CoordinateKind kind, bool exact) {
    // The fields the plain and the timed lists share.
    auto rowOf = [&](const auto& e) {
        AspectRow row;
        row.body1 = e.body1;
        row.body2 = e.body2;
        row.code = e.code;
        row.orb = e.orb;
        row.motionFollowed = MotionFollowed(pairing, e.body1, e.body2);
        return row;
    };
    std::vector<AspectRow> rows;
    if (!exact) {
        for (const AspectEntry& e : session.lists.at(pairing, kind).entries)
            rows.push_back(rowOf(e));
        return rows;
    }
    for (const TimedAspectEntry& e : session.timed.at(pairing, kind).entries) {
        AspectRow row = rowOf(e);
        row.timed = true;
        if (e.timeToExact != NotFoundTime) {
            row.daysToExact = e.timeToExact;
            row.exactLocal = IsoExactDate(e.exactDate, session.workstation.dateStyle);
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> AspectTextCells(const BodyCatalogue& catalogue, CoordinateKind kind,
                                         const AspectRow& row) {
    std::vector<std::string> cells = {BodyDisplayName(catalogue, row.body1),
                                      AspectMark(kind, row.code),
                                      std::string(AspectName(row.code)),
                                      BodyDisplayName(catalogue, row.body2),
                                      OrbText(row.orb),
                                      Sense(row)};
    if (row.timed) {
        if (row.daysToExact) {
            cells.push_back(DaysText(*row.daysToExact));
            cells.push_back(row.exactLocal);
        } else {
            cells.push_back("");
            cells.push_back(kNoExactTime);
        }
    }
    return cells;
}

nlohmann::ordered_json AspectRowJson(const BodyCatalogue& catalogue, const AspectRow& row) {
    const int angle = AspectAngle(row.code);
    nlohmann::ordered_json out = {
        {"body1", row.body1},
        {"body1_name", BodyDisplayName(catalogue, row.body1)},
        {"code", row.code},
        {"aspect", AspectName(row.code)},
        {"angle", angle >= 0 && row.code != AspectParallel ? nlohmann::ordered_json(angle)
                                                           : nlohmann::ordered_json(nullptr)},
        {"body2", row.body2},
        {"body2_name", BodyDisplayName(catalogue, row.body2)},
        {"orb", Rounded6(row.orb)}};
    out["applying"] =
        row.motionFollowed ? nlohmann::ordered_json(row.orb >= 0) : nlohmann::ordered_json(nullptr);
    if (row.timed) {
        out["days_to_exact"] = row.daysToExact ? nlohmann::ordered_json(*row.daysToExact)
                                               : nlohmann::ordered_json(nullptr);
        out["exact_local"] = row.exactLocal.empty() ? nlohmann::ordered_json(nullptr)
                                                    : nlohmann::ordered_json(row.exactLocal);
    }
    return out;
}

std::vector<std::string> AspectCsvTitles(bool timed) {
    std::vector<std::string> titles = {"body1", "body1_name", "code", "aspect",  "angle",
                                       "body2", "body2_name", "orb",  "applying"};
    if (timed) {
        titles.push_back("days_to_exact");
        titles.push_back("exact_local");
    }
    return titles;
}

std::vector<std::string> AspectCsvCells(const BodyCatalogue& catalogue, const AspectRow& row) {
    const int angle = AspectAngle(row.code);
    std::vector<std::string> cells = {
        std::to_string(row.body1),
        BodyDisplayName(catalogue, row.body1),
        std::to_string(row.code),
        std::string(AspectName(row.code)),
        angle >= 0 && row.code != AspectParallel ? std::to_string(angle) : "",
        std::to_string(row.body2),
        BodyDisplayName(catalogue, row.body2),
        fmt::format("{}", Rounded6(row.orb)),
        row.motionFollowed ? (row.orb >= 0 ? "yes" : "no") : ""};
    if (row.timed) {
        cells.push_back(row.daysToExact ? fmt::format("{}", *row.daysToExact) : "");
        cells.push_back(row.exactLocal);
    }
    return cells;
}

std::string AspectListTitle(Pairing pairing, CoordinateKind kind) {
    static const char* const kPairings[] = {"natal\u2013natal", "transit\u2013natal",
                                            "transit\u2013transit"};
    static const char* const kKinds[] = {"geocentric longitude", "geocentric declination",
                                         "heliocentric longitude", "heliocentric latitude"};
    return fmt::format("{} aspects in {}", kPairings[static_cast<int>(pairing)],
                       kKinds[static_cast<int>(kind)]);
}

std::string PairingKey(Pairing pairing) {
    static const char* const kKeys[] = {"nn", "tn", "tt"};
    return kKeys[static_cast<int>(pairing)];
}

std::string KindKey(CoordinateKind kind) {
    static const char* const kKeys[] = {"gl", "gd", "hl", "hlat"};
    return kKeys[static_cast<int>(kind)];
}

std::string IsoExactDate(const std::string& text, const DateStyle& style) {
    // "mm/dd/yyyy   hh:nn" or "dd/mm/yyyy   hh:nn"
    int first = 0, second = 0, year = 0, hour = 0, minute = 0;
    char end = 0;
    if (std::sscanf(text.c_str(), "%d/%d/%d %d:%d%c", &first, &second, &year, &hour, &minute,
                    &end) != 5)
        return {};
    const int month = style.american ? first : second;
    const int day = style.american ? second : first;
    return fmt::format("{:04d}-{:02d}-{:02d} {:02d}:{:02d}", year, month, day, hour, minute);
}

}  // namespace quintaro::cli
