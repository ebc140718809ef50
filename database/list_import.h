// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Building a database from a comma-separated list: one record per line.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/messages.h"
#include "core/progress.h"
#include "database/list_definitions.h"
#include "database/person_record.h"
#include "database/record_key.h"

namespace quintaro {

inline constexpr std::string_view kBadListTitle = "Error in reading specified data file";

// What one line of a list says.
struct ListEntry {
    std::string name;
    std::optional<CivilDate> birthDate;  // nothing when the line leaves it empty
    std::vector<std::string> values;     // the stored values, in the definition's order
};

// Reads one line; nothing, with the reason naming the column, when the line has too few or too
// many values, an empty name, a date that is no calendar date or a number that is no number.
std::optional<ListEntry> ParseListLine(const ListDefinition& list, std::string_view line,
                                       std::string& error);

// Whether a line is the list's heading (its first value is the first column's label).
bool IsListHeading(const ListDefinition& list, std::string_view line);

// The record for a line: a new record key, the record number as member number, the names, the
// birth date (or the missing date with a blank sort date), the list's birth-time defaults and
// the labelled values.
PersonRecord RecordFromListEntry(const ListDefinition& list, const ListEntry& entry,
                                 long recordNumber, std::string recordKey);

// The notes of record 1: the list's title as the fourth e-mail and where it came from as the
// fifth.
void AddListNotes(PersonRecord& first, const ListDefinition& list, std::string_view sourceName);

struct ImportOutcome {
    long records = 0;  // records in the new database; 0 when none was written
    bool badLine = false;
    bool cancelled = false;
    std::string error;  // what went wrong, as shown to the user; empty when all went well
};

// Reads the list and writes the new database. A bad line stops the import with a message giving
// the last good record and the bad one; the records before it are written. An empty list or a
// Cancel writes nothing. An existing database of that name is replaced only when records are
// written. Every problem is also shown through `messages`.
ImportOutcome ImportList(ListKind kind, const std::filesystem::path& list,
                         const std::filesystem::path& database, Messages& messages,
                         const RandomUnit& random, const Progress& progress = {});

}  // namespace quintaro
