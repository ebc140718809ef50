// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/database_view.h"

#include <algorithm>

#include "database/apd_file.h"
#include "database/person_listing.h"
#include "database/record_checks.h"

namespace quintaro {

std::optional<DatabaseView> OpenDatabase(const std::filesystem::path& file, std::string& error) {
    auto size = ReadApdSize(file, error);
    if (!size) return std::nullopt;
    DatabaseView view;
    view.file = file;
    view.count = size->records;
    view.leftoverBytes = size->leftoverBytes;
    if (view.count > 0 && !GoToRecord(view, 1, error)) return std::nullopt;
    return view;
}

bool GoToRecord(DatabaseView& view, long number, std::string& error) {
    auto record = LoadRecord(view.file, number, error);
    if (!record) return false;
    if (auto problems = CheckRecord(*record); !problems.empty()) {
        error = view.file.string() + ": record " + std::to_string(number) +
                " is damaged or no person record: " + problems.front();
        return false;
    }
    view.record = std::move(*record);
    view.current = number;
    return true;
}

std::optional<long> NeighbourRecord(const DatabaseView& view, int direction) {
    if (view.count == 0) return std::nullopt;
    if (!view.alphabetical) {
        long next = view.current + (direction < 0 ? -1 : 1);
        if (next < 1 || next > view.count) return std::nullopt;
        return next;
    }
    auto at = std::find(view.order.begin(), view.order.end(), view.current);
    if (at == view.order.end()) return std::nullopt;
    if (direction < 0 ? at == view.order.begin() : at + 1 == view.order.end()) return std::nullopt;
    return direction < 0 ? *(at - 1) : *(at + 1);
}

bool StepRecord(DatabaseView& view, int direction, std::string& error) {
    auto next = NeighbourRecord(view, direction);
    return next && GoToRecord(view, *next, error);
}

bool SetAlphabetical(DatabaseView& view, bool on, std::string& error) {
    view.alphabetical = false;
    view.order.clear();
    if (!on) return true;
    auto listing = ReadListing(view.file, error);
    if (!listing) return false;
    SortListing(listing->people, ListingOrder::Name);
    for (const PersonSummary& p : listing->people) view.order.push_back(p.number);
    view.alphabetical = true;
    return true;
}

std::string SaveCurrentRecord(const DatabaseView& view) {
    if (view.current == 0) return "no record is loaded";
    return SaveRecordInPlace(view.file, view.current, view.record);
}

std::string PersonWindowCaption(const DatabaseView& view) {
    return "Database display window - file loaded = " + view.file.string() + " - " +
           std::to_string(view.count) + " records";
}

}  // namespace quintaro
