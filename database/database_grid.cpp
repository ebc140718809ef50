// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/database_grid.h"

#include <cstdio>

#include "database/birth_transfer.h"
#include "setup/entry_model.h"

namespace quintaro {

namespace {

std::string TimeText(const BirthData& birth) {
    if (!birth.time) return "";
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d %s", birth.time->hour, birth.time->minute,
                  birth.time->meridiem == Meridiem::PM ? "PM" : "AM");
    return text;
}

}  // namespace

DatabaseGrid BuildDatabaseGrid(std::vector<PersonSummary> people, ListingOrder order) {
    SortListing(people, order);
    DatabaseGrid grid;
    grid.headings = {"Record #", "Name",  "Birth Date", "Birth Time",
                     "Zone",     "Place", "Member #",   "Record key"};
    grid.rows.reserve(people.size());
    for (const PersonSummary& p : people) {
        grid.numbers.push_back(p.number);
        if (!p.problems.empty()) {
            grid.rows.push_back({std::to_string(p.number), "damaged record: " + p.problems.front(),
                                 "", "", "", "", "", ""});
            continue;
        }
        const BirthData birth = BirthDataOf(p);
        grid.rows.push_back({std::to_string(p.number), p.primaryName,
                             birth.date ? UsDateText(*birth.date) : "", TimeText(birth),
                             birth.zone ? NumberText(*birth.zone) : "", birth.place, p.memberNumber,
                             p.recordKey});
    }
    return grid;
}

std::string DatabaseGridCaption(const std::string& file) {
    return "Database Data Grid - " + file;
}

}  // namespace quintaro
