// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// A record's birth data as the natal section of the entry window takes it: "Transfer birth date"
// and a chart of a record both start here.

#include <optional>
#include <string>

#include "core/calendar.h"
#include "database/person_listing.h"
#include "database/person_record.h"
#include "setup/entry_model.h"

namespace quintaro {

struct BirthClock {
    int hour = 12;  // 1 to 12
    int minute = 0;
    Meridiem meridiem = Meridiem::AM;
};

struct BirthData {
    std::string name;   // the primary name
    std::string place;  // the birth place
    // Each of these is empty when the record does not hold a usable value: a missing or damaged
    // date, an hour outside 1 to 12, a zone that is no number of hours.
    std::optional<CivilDate> date;
    std::optional<BirthClock> time;
    std::optional<double> zone;  // hours, positive west of Greenwich
    // A person record holds no coordinates; these stay empty and a chart takes its place from
    // elsewhere (the home location).
    std::optional<double> longitude;
    std::optional<double> latitude;
};

BirthData BirthDataOf(const PersonRecord& record);
// The same from a listing's summary, which holds the record's whole birth data.
BirthData BirthDataOf(const PersonSummary& summary);

// The birth moment of a record as a chart takes it, for work on many records at once.
struct BirthMoment {
    double jd = 0;             // Universal Time
    bool noonAssumed = false;  // the record holds no usable birth time: 12:00 P.M. is taken
    bool zoneAssumed = false;  // the record holds no usable zone: the given one is taken
};
// Nothing when the record has no birth date. The date, clock and zone are read as the natal
// section reads its fields, so that the moment is the one of the record's chart.
std::optional<BirthMoment> BirthMomentOf(const BirthData& birth, double fallbackZone);

// "Transfer birth date": the name into the natal name and the month, day and year into the
// natal date fields; nothing else changes. False, and nothing changes, when the record has no
// birth date.
bool TransferBirthDate(const BirthData& birth, EntrySection& natal);

// Everything the record knows of the birth moment into a section: name, place, date, clock time
// with A.M./P.M. and zone; the coordinates stay. Values the record lacks leave their fields alone.
// False when the record has no birth date.
bool ApplyBirthData(const BirthData& birth, EntrySection& section);

}  // namespace quintaro
