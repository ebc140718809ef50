// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// One person of a database file (".apd"): every field of the fixed 9349-byte record, in file
// order. Texts are UTF-8 without the blanks that pad them in the file; dates are serial day
// numbers (database/serial_date.h). The reserved areas are bytes that no window reads or writes:
// they are kept exactly as read so that saving a record carries them unchanged.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "database/serial_date.h"

namespace quintaro {

inline constexpr size_t RecordSize = 9349;
inline constexpr size_t ReservedTextWidth = 8;
inline constexpr size_t ReservedBlockWidth = 2222;

// A text with the date it took effect (name, phone and e-mail changes).
struct DatedText {
    std::string text;
    double date = MissingDateSerial;
    bool operator==(const DatedText&) const = default;
};

struct Address {
    std::string address1, address2, address3, city, state, country, zipCode;
    double effectiveDate = MissingDateSerial;
    bool operator==(const Address&) const = default;
};

struct HistoricalDate {
    std::string date;  // as the user wrote it
    std::string comment;
    bool operator==(const HistoricalDate&) const = default;
};

// A labelled value: the list importers store their columns here (data = value, comment = label).
struct HistoricalDatum {
    std::string data;
    std::string comment;
    bool operator==(const HistoricalDatum&) const = default;
};

struct PersonRecord {
    std::string recordKey;
    std::string primaryName;
    std::string firstName, middleName, lastName;
    std::array<DatedText, 2> alternateNames;
    std::string memberNumber;
    std::string sex;
    std::string reservedText = std::string(ReservedTextWidth, ' ');  // raw bytes
    int16_t reservedNumber = 0;
    std::string birthDateForSorting;  // "yyyy-mm-dd", empty when the birth date is missing
    double birthDate = MissingDateSerial;
    uint8_t birthHour = 0;    // 1 to 12; 0 in a blank record
    uint8_t birthMinute = 0;  // 0 to 59
    std::string amPm;         // "AM" or "PM"
    float timeZone = 0;       // hours, positive west of Greenwich
    std::string birthPlace;
    std::string reservedBlock = std::string(ReservedBlockWidth, '\0');  // raw bytes
    std::array<Address, 4> addresses;
    std::array<DatedText, 5> homePhones;
    std::array<DatedText, 5> workPhones;
    std::array<DatedText, 5> cellPhones;
    std::array<DatedText, 5> emails;
    std::array<std::string, 20> comments;
    std::array<HistoricalDate, 20> historicalDates;
    std::array<HistoricalDatum, 30> historicalData;

    bool operator==(const PersonRecord&) const = default;
};

}  // namespace quintaro
