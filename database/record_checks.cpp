// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/record_checks.h"

#include <algorithm>
#include <cmath>

#include "database/record_layout.h"

namespace quintaro {

namespace {

bool HasControlCharacters(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

std::string FieldName(const RecordField& field) {
    std::string name = field.name;
    if (field.index > 0) name += " " + std::to_string(field.index);
    if (!field.part.empty()) name += " " + field.part;
    return name;
}

void CheckDates(const char* name, const auto& list, std::vector<std::string>& problems) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (!SerialToDate(list[i].date))
            problems.push_back(std::string("the date of ") + name + " " + std::to_string(i + 1) +
                               " is not a date");
    }
}

void CheckSortDate(const std::string& text, std::vector<std::string>& problems) {
    if (text.empty()) return;
    std::string error;
    if (text.size() != 10 || text[4] != '-' || !ParseListDate(text, error))
        problems.push_back("the birth date for sorting \"" + text + "\" is not a yyyy-mm-dd date");
}

void CheckTexts(const PersonRecord& r, size_t bytes, std::vector<std::string>& problems) {
    ForEachTextField(
        r,
        [&](const RecordField& field, const std::string& text) {
            if (HasControlCharacters(text))
                problems.push_back("the " + FieldName(field) + " holds control characters");
        },
        bytes);
}

void CheckBirthData(const PersonRecord& r, std::vector<std::string>& problems) {
    if (r.birthHour > 12)
        problems.push_back("the birth hour " + std::to_string(r.birthHour) + " is not 1 to 12");
    if (r.birthMinute > 59)
        problems.push_back("the birth minute " + std::to_string(r.birthMinute) + " is not 0 to 59");
    if (!r.amPm.empty() && r.amPm != "AM" && r.amPm != "PM")
        problems.push_back("AM/PM reads \"" + r.amPm + "\"");
    if (!std::isfinite(r.timeZone) || std::fabs(r.timeZone) > 24)
        problems.push_back("the time zone is not a number of hours from -24 to 24");
    if (!SerialToDate(r.birthDate)) problems.push_back("the birth date is not a date");
    CheckSortDate(r.birthDateForSorting, problems);
    CheckDates("alternate name", r.alternateNames, problems);
}

}  // namespace

std::vector<std::string> CheckRecordHead(const PersonRecord& r) {
    std::vector<std::string> problems;
    CheckTexts(r, RecordHeadSize(), problems);
    CheckBirthData(r, problems);
    return problems;
}

std::vector<std::string> CheckRecord(const PersonRecord& r) {
    std::vector<std::string> problems;
    CheckTexts(r, RecordSize, problems);
    CheckBirthData(r, problems);
    for (size_t i = 0; i < r.addresses.size(); ++i) {
        if (!SerialToDate(r.addresses[i].effectiveDate))
            problems.push_back("the effective date of address " + std::to_string(i + 1) +
                               " is not a date");
    }
    CheckDates("home phone", r.homePhones, problems);
    CheckDates("work phone", r.workPhones, problems);
    CheckDates("cell phone", r.cellPhones, problems);
    CheckDates("e-mail", r.emails, problems);
    return problems;
}

}  // namespace quintaro
