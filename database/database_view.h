// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The current database as the person window pages through it: one database at a time, one
// record in memory, "<" and ">" in record order or, with "Display all alphabetically", in the
// order of the primary names.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "database/person_record.h"

namespace quintaro {

struct DatabaseView {
    std::filesystem::path file;
    long count = 0;
    long leftoverBytes = 0;  // bytes after the last whole record (a damaged file)
    long current = 0;        // record number of `record`; 0 when the database has no records
    PersonRecord record;
    bool alphabetical = false;
    std::vector<long> order;  // record numbers by primary name, while alphabetical
};

// Opens a database and loads its first record. Nothing, with the reason, when the file cannot
// be read or its first record is damaged (a foreign file).
std::optional<DatabaseView> OpenDatabase(const std::filesystem::path& file, std::string& error);

// Loads record `number`. A number outside 1 to the count, or a record that is damaged or no
// person record, is not loaded: false, with the reason naming the file and the record.
bool GoToRecord(DatabaseView& view, long number, std::string& error);

// The record that "<" (-1) or ">" (+1) goes to in the current order; nothing at either end.
std::optional<long> NeighbourRecord(const DatabaseView& view, int direction);

// "<" (-1) and ">" (+1): the neighbouring record in the current order, stopping at either end.
// False when there is nothing to move to or the record cannot be read.
bool StepRecord(DatabaseView& view, int direction, std::string& error);

// "Display all alphabetically": on reads the names and orders by them; off goes back to record
// order. The current record stays.
bool SetAlphabetical(DatabaseView& view, bool on, std::string& error);

// "Save Record": the record in memory back at its number. Empty on success, else why.
std::string SaveCurrentRecord(const DatabaseView& view);

// "Database display window - file loaded = " + file + " - " + count + " records"
std::string PersonWindowCaption(const DatabaseView& view);

}  // namespace quintaro
