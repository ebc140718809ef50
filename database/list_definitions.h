// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The comma-separated lists from which athlete and first-trade-date databases are built: their
// columns in line order, the labelled values each record stores, the birth-time defaults and
// the list's title.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace quintaro {

enum class ListKind { Mlb, Nba, Nfl, Nhl, Pitchers, FirstTradeDates };

enum class ColumnKind {
    Name,       // the full name (people) or the company name; must not be empty
    BirthDate,  // the birth or first trade date, "m/d/yyyy" or "yyyy-mm-dd"; may be empty
    Text,
    Whole,    // digits only ("00" is a shirt number)
    Decimal,  // a decimal number, e.g. "3.45" or "-0.5"
    Innings,  // innings pitched as box scores write them: "6.2" is six innings and two outs
    Date,     // a further date, written like the birth date
};

struct ListColumn {
    std::string_view label;
    ColumnKind kind;
};

// One labelled value of a record: the text of a column, or the ratio of two columns formatted
// "0.00" (per-innings figures of the pitchers' game logs).
struct StoredValue {
    std::string_view label;
    std::string_view column;
    std::string_view perColumn = {};  // divides `column` when given
};

struct ListDefinition {
    ListKind kind;
    std::string_view command;  // "mlb", "nba", "nfl", "nhl", "pitchers", "ftd"
    std::string_view title;    // written into record 1: "MLB", "NBA", ...
    bool people;               // names are split into first and last names
    uint8_t birthHour;
    uint8_t birthMinute;
    std::string_view amPm;
    float zone;
    std::vector<ListColumn> columns;  // in line order; the first is the name, the second the date
    std::vector<StoredValue> stored;  // in the order of the numeric historical data entries
};

const ListDefinition& ListDefinitionOf(ListKind kind);
std::span<const ListKind> AllListKinds();
// The kind for a command word ("mlb"), nothing for an unknown word.
std::optional<ListKind> ListKindOf(std::string_view command);

}  // namespace quintaro
