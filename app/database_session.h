// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The current person database of the session and what the database windows do with it: paging,
// saving, the subset being built, the search, the list importers, and moving a record's birth
// data into the natal section. Problems are shown through the session's messages.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/progress.h"
#include "database/apd_file.h"
#include "database/birth_transfer.h"
#include "database/database_view.h"
#include "database/list_import.h"
#include "database/person_listing.h"

namespace quintaro {

struct Session;

struct DatabaseSession {
    std::optional<DatabaseView> current;  // one database at a time
    bool modified = false;                // the record in memory differs from the file
    // The subset being built from the current database: record numbers in the order added.
    std::vector<long> subset;
    int failedSearches = 0;  // searches in a row that found nothing
};

inline constexpr std::string_view kUnsavedTitle = "Record not saved";

// Opens a database as the current one (the previous one closes, the subset is emptied). False,
// with a message naming the file, when it cannot be read or its first record is damaged. A file
// with bytes after its last whole record opens, with a warning.
bool OpenCurrentDatabase(Session& session, const std::filesystem::path& file);

// Goes to a record of the current database. Changes not yet saved are asked about first (saved
// on yes, dropped on no). False, with a message naming the file and record, for a number outside
// 1 to the count or a damaged record; the record shown stays.
bool GoToCurrentRecord(Session& session, long number);
// "<" (-1) and ">" (+1); false at either end.
bool StepCurrentRecord(Session& session, int direction);
bool SetCurrentAlphabetical(Session& session, bool on);

// The record in memory was changed by a window.
void MarkCurrentModified(Session& session);
// "Save Record": the record in memory back at its number. False, with a message, on failure.
bool SaveCurrentDatabaseRecord(Session& session);
// The record edited in the date-and-time window saved into a copy of the current database in
// another file. False, with a message, on failure.
bool SaveRecordIntoCopy(Session& session, const PersonRecord& record,
                        const std::filesystem::path& target);

// "Transfer birth date": the current record's name and birth date into the natal section. False,
// with a message, when there is no record or it has no birth date. The caller recomputes.
bool TransferCurrentBirthDate(Session& session);
// "Transfer data to main screen": everything the record knows of the birth (name, place, date,
// time, zone) into the natal section; the coordinates stay. The caller recomputes.
bool TransferCurrentBirthData(Session& session);

// A record's chart: the natal section at the record's birth data and the home location, then
// the charts computed. A record without a usable time is charted at 12:00 P.M., one without a
// usable zone in the home zone. Nothing, with the reason, when the record has no birth date or
// the moment lies outside the ephemeris.
std::optional<BirthMoment> ChartRecord(Session& session, const PersonRecord& record,
                                       std::string& error);

// The list importers and the blank database: the new file, once written, becomes the current
// database.
ImportOutcome ImportListAsCurrent(Session& session, ListKind kind,
                                  const std::filesystem::path& list,
                                  const std::filesystem::path& database, const Progress& progress);
WriteOutcome CreateBlankAsCurrent(Session& session, const std::filesystem::path& database,
                                  long count, const Progress& progress);

// The subset being built ("Create subset" starts it anew, "Add to subset" adds the current
// record once, "cmdDeleteHighlightedName" takes one out).
void StartSubset(Session& session);
bool AddCurrentToSubset(Session& session);
void RemoveFromSubset(Session& session, size_t index);
// "Database Subset Creation - Records = " + count
std::string SubsetCaption(const Session& session);
// The current database's name with "_subset.apd" in its folder.
std::filesystem::path SuggestedSubsetName(const Session& session);
// Writes the subset as a new database. False, with a message, on failure.
bool SaveSubset(Session& session, const std::filesystem::path& target);

struct SearchOutcome {
    std::vector<PersonSummary> found;  // in record order
    std::string reply;  // "Search found n items", "No items found." or, after a search that
                        // found nothing too, "No items found. Please try again."
};
// Searches the names of the current database. Nothing, with a message, when there is none or it
// cannot be read.
std::optional<SearchOutcome> SearchCurrentDatabase(Session& session, std::string_view term);

}  // namespace quintaro
