// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/birth_transfer.h"

#include <cmath>

#include "setup/file_lines.h"

namespace quintaro {

namespace {

std::optional<BirthClock> ClockOf(const PersonRecord& r) {
    if (r.birthHour < 1 || r.birthHour > 12 || r.birthMinute > 59) return std::nullopt;
    if (r.amPm != "AM" && r.amPm != "PM") return std::nullopt;
    return BirthClock{r.birthHour, r.birthMinute, r.amPm == "PM" ? Meridiem::PM : Meridiem::AM};
}

}  // namespace

BirthData BirthDataOf(const PersonRecord& r) {
    BirthData birth;
    birth.name = TrimBlanks(r.primaryName);
    birth.place = TrimBlanks(r.birthPlace);
    birth.date = PresentDate(r.birthDate);
    birth.time = ClockOf(r);
    if (std::isfinite(r.timeZone) && std::fabs(r.timeZone) <= 24) birth.zone = r.timeZone;
    return birth;
}

bool TransferBirthDate(const BirthData& birth, EntrySection& natal) {
    if (!birth.date) return false;
    natal.name = birth.name;
    natal.month = std::to_string(birth.date->month);
    natal.day = std::to_string(birth.date->day);
    natal.year = std::to_string(birth.date->year);
    return true;
}

bool ApplyBirthData(const BirthData& birth, EntrySection& section) {
    if (!TransferBirthDate(birth, section)) return false;
    section.place = birth.place;
    if (birth.time) {
        section.hour = std::to_string(birth.time->hour);
        section.minute = std::to_string(birth.time->minute);
        section.pm = birth.time->meridiem == Meridiem::PM;
    }
    if (birth.zone) section.zone = NumberText(*birth.zone);
    return true;
}

}  // namespace quintaro
