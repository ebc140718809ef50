// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/atomic_file.h"
#include "database/apd_file.h"
#include "database/record_layout.h"

namespace quintaro::test {

struct Person {
    const char* primary;
    const char* birth;  // "yyyy-mm-dd" or "" for none
};

inline PersonRecord PersonNamed(const Person& p) {
    PersonRecord r;
    r.primaryName = p.primary;
    r.recordKey = "KEY" + std::string(p.primary).substr(0, 5);
    std::string birth = p.birth;
    if (!birth.empty()) {
        CivilDate date{std::stoi(birth.substr(0, 4)), std::stoi(birth.substr(5, 2)),
                       std::stoi(birth.substr(8, 2))};
        r.birthDate = DateToSerial(date);
        r.birthDateForSorting = birth;
    }
    r.birthHour = 12;
    r.amPm = "PM";
    return r;
}

// A database file of the given people, in order; returns its bytes.
inline std::string WriteDatabase(const std::filesystem::path& file,
                                 const std::vector<Person>& people) {
    ApdWriter writer(file);
    std::string bytes;
    for (const Person& p : people) {
        writer.add(PersonNamed(p));
        bytes += EncodeRecord(PersonNamed(p));
    }
    writer.commit();
    return bytes;
}

inline std::string FileBytes(const std::filesystem::path& file) {
    std::string bytes;
    ReadWholeFile(file, bytes);
    return bytes;
}

}  // namespace quintaro::test
