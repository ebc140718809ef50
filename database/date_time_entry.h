// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The fields of the window that edits one record's birth date and time ("Edit/Save DATE for this
// record", "Edit/Save TIME for this record").

#include <string>

#include "database/person_record.h"

namespace quintaro {

struct DateTimeEntry {
    std::string month, day, year;  // all three blank: no birth date
    std::string hour, minute;      // 12-hour clock
    bool pm = false;
    std::string zone;  // hours, positive west of Greenwich
};

DateTimeEntry DateTimeEntryOf(const PersonRecord& record);

// Writes the entry into the record: the birth date with its sort date, hour, minute, AM/PM and
// zone. Checks everything first: the date must be a calendar date of the years 100 to 9999 (or
// all blank), the hour 1 to 12, the minute 0 to 59, the zone a number of hours from -24 to 24.
// Empty on success; else why, and the record is left as it was.
std::string ApplyDateTimeEntry(const DateTimeEntry& entry, PersonRecord& record);

}  // namespace quintaro
