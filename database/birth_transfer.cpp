// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/birth_transfer.h"

#include <cmath>

#include "setup/file_lines.h"

namespace quintaro {

namespace {

// Works on a record and on a listing's summary alike: both carry the birth fields by these names.
template <class Birth>
std::optional<BirthClock> ClockOf(const Birth& r) {
    if (r.birthHour < 1 || r.birthHour > 12 || r.birthMinute > 59) return std::nullopt;
    if (r.amPm != "AM" && r.amPm != "PM") return std::nullopt;
    return BirthClock{r.birthHour, r.birthMinute, r.amPm == "PM" ? Meridiem::PM : Meridiem::AM};
}

template <class Birth>
BirthData BirthOf(const Birth& r) {
    BirthData birth;
    birth.name = TrimBlanks(r.primaryName);
    birth.place = TrimBlanks(r.birthPlace);
    birth.date = PresentDate(r.birthDate);
    birth.time = ClockOf(r);
    if (std::isfinite(r.timeZone) && std::fabs(r.timeZone) <= 24) birth.zone = r.timeZone;
    return birth;
}

}  // namespace

BirthData BirthDataOf(const PersonRecord& r) {
    return BirthOf(r);
}

BirthData BirthDataOf(const PersonSummary& s) {
    return BirthOf(s);
}

std::optional<BirthMoment> BirthMomentOf(const BirthData& birth, double fallbackZone) {
    if (!birth.date) return std::nullopt;
    BirthMoment moment;
    moment.noonAssumed = !birth.time;
    moment.zoneAssumed = !birth.zone;
    const BirthClock clock = birth.time.value_or(BirthClock{12, 0, Meridiem::PM});
    const double zone = birth.zone.value_or(fallbackZone);
    moment.jd = MomentToJD(birth.date->year, birth.date->month, birth.date->day,
                           clock.hour + clock.minute / 100.0, clock.meridiem, zone)
                    .ChartJD;
    return moment;
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
