// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The grid of every record of a database ("display_db_grid") as rows of texts.

#include <string>
#include <vector>

#include "database/person_listing.h"

namespace quintaro {

struct DatabaseGrid {
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;
    std::vector<long> numbers;  // the record number of each row
};

// The columns that sort the grid when their heading is clicked; the others do not.
inline constexpr int GridNumberColumn = 0;
inline constexpr int GridDateColumn = 2;

// Rows in the given order (by record number or by birth date, earliest first). A record that is
// damaged shows its number and what is wrong, and no values.
DatabaseGrid BuildDatabaseGrid(std::vector<PersonSummary> people, ListingOrder order);

// "Database Data Grid - " + file
std::string DatabaseGridCaption(const std::string& file);

}  // namespace quintaro
