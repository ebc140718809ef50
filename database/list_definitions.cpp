// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/list_definitions.h"

#include <algorithm>
#include <array>

namespace quintaro {

namespace {

using K = ColumnKind;

// Lists whose stored values are their columns after the name and date, one to one.
ListDefinition Players(ListKind kind, std::string_view command, std::string_view title,
                       std::vector<ListColumn> more) {
    ListDefinition d{kind, command, title, true, 12, 0, "PM", 6.0f, {}, {}};
    d.columns = {{"Name", K::Name}, {"Birth date", K::BirthDate}};
    for (const ListColumn& column : more) {
        d.columns.push_back(column);
        d.stored.push_back({column.label, column.label});
    }
    return d;
}

ListDefinition Pitchers() {
    ListDefinition d = Players(
        ListKind::Pitchers, "pitchers", "BBP",
        {{"Game Date", K::Date}, {"Team", K::Text}, {"Opponent", K::Text}, {"IP", K::Innings},
         {"ERA", K::Decimal},    {"CG", K::Whole},  {"Sho", K::Whole},     {"GS", K::Whole},
         {"GF", K::Whole},       {"W", K::Whole},   {"L", K::Whole},       {"Sv", K::Whole},
         {"H", K::Whole},        {"R", K::Whole},   {"ER", K::Whole},      {"HR", K::Whole},
         {"BB", K::Whole},       {"K", K::Whole},   {"HBP", K::Whole},     {"BK", K::Whole},
         {"WP", K::Whole}});
    // The per-innings ratios follow ERA among the stored values.
    auto era = std::find_if(d.stored.begin(), d.stored.end(),
                            [](const StoredValue& v) { return v.label == "ERA"; });
    d.stored.insert(era + 1, {{"K/IP", "K", "IP"}, {"H/IP", "H", "IP"}, {"BB/IP", "BB", "IP"}});
    return d;
}

ListDefinition FirstTradeDates() {
    ListDefinition d{ListKind::FirstTradeDates, "ftd", "FTD", false, 10, 0, "AM", 5.0f, {}, {}};
    d.columns = {{"Company", K::Name}, {"First trade date", K::BirthDate}};
    d.stored = {{"First trade date", "First trade date"}};
    return d;
}

const std::array<ListDefinition, 6>& Definitions() {
    static const std::array<ListDefinition, 6> definitions = {
        Players(ListKind::Mlb, "mlb", "MLB",
                {{"Team", K::Text},
                 {"Number", K::Whole},
                 {"Position", K::Text},
                 {"Weight", K::Decimal},
                 {"Bats/Throws", K::Text}}),
        Players(ListKind::Nba, "nba", "NBA",
                {{"Team", K::Text},
                 {"Number", K::Whole},
                 {"Position", K::Text},
                 {"Weight", K::Decimal},
                 {"From", K::Text},
                 {"Years in league", K::Whole}}),
        Players(ListKind::Nfl, "nfl", "NFL",
                {{"Team", K::Text},
                 {"Number", K::Whole},
                 {"Position", K::Text},
                 {"Weight", K::Decimal},
                 {"From", K::Text},
                 {"Years in league", K::Whole}}),
        Players(ListKind::Nhl, "nhl", "NHL",
                {{"Team", K::Text},
                 {"Number", K::Whole},
                 {"Position", K::Text},
                 {"Weight", K::Decimal}}),
        Pitchers(),
        FirstTradeDates(),
    };
    return definitions;
}

constexpr std::array<ListKind, 6> kKinds = {ListKind::Mlb,      ListKind::Nba,
                                            ListKind::Nfl,      ListKind::Nhl,
                                            ListKind::Pitchers, ListKind::FirstTradeDates};

}  // namespace

const ListDefinition& ListDefinitionOf(ListKind kind) {
    return Definitions()[static_cast<size_t>(kind)];
}

std::span<const ListKind> AllListKinds() {
    return kKinds;
}

std::optional<ListKind> ListKindOf(std::string_view command) {
    for (const ListDefinition& d : Definitions())
        if (d.command == command) return d.kind;
    return std::nullopt;
}

}  // namespace quintaro
