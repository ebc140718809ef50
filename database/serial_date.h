// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Dates inside person records are serial day numbers: whole days counted from 30 December 1899
// (day 0) in the Gregorian calendar, so that 1 is 31 December 1899, the value that stands for a
// missing date. A fraction, when a file holds one, is a time of day and plays no part in the date.

#include <optional>
#include <string>
#include <string_view>

#include "core/calendar.h"

namespace quintaro {

inline constexpr double MissingDateSerial = 1.0;  // 12/31/1899

// Serial numbers of the first and last dates a record can hold: 1 January 100 and 31 December 9999.
inline constexpr double FirstSerialDate = -657434.0;
inline constexpr double LastSerialDate = 2958465.0;

// True for a real Gregorian calendar date of the years 100 to 9999.
bool IsGregorianDate(int year, int month, int day);

double DateToSerial(const CivilDate& date);

// The calendar date of a serial number; nothing when the number is not finite or lies outside
// the years 100 to 9999 (a damaged record). The missing-date value gives 1899-12-31.
std::optional<CivilDate> SerialToDate(double serial);

// The date of a serial number unless it is the missing-date value.
std::optional<CivilDate> PresentDate(double serial);

std::string UsDateText(const CivilDate& date);   // "mm/dd/yyyy"
std::string IsoDateText(const CivilDate& date);  // "yyyy-mm-dd", the sort-date form

// A date as lists write it: "m/d/yyyy" (month and day of one or two digits) or "yyyy-mm-dd".
// On failure, nothing and the reason in `error`.
std::optional<CivilDate> ParseListDate(std::string_view text, std::string& error);

}  // namespace quintaro
