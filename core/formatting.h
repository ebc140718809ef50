// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quintaro {

// Formats a number with a picture of digit placeholders: "0" a digit always shown, "#" a digit
// shown only when significant, "." the decimal point ("00", "#0.00", ".0####", ...). Rounds half
// away from zero on the number's 15-digit decimal form; the integer part is never cut.
std::string FormatNumber(double value, std::string_view picture);

struct DateTimeParts {
    int year = 0, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
};

// Formats a date and time with the pictures "dd mmm yyyy", "mm/dd/yyyy", "dd/mm/yyyy", "m", "d",
// "yyyy", "h", "n", ... ("mmm" month abbreviation, "mm"/"m" month, "dd"/"d" day, "yyyy"/"yy" year,
// "hh"/"h" hour, "nn"/"n" minute, "ss"/"s" second); other characters are copied.
std::string FormatDate(const DateTimeParts& parts, std::string_view picture);

// The leading decimal number of a text: leading blanks skipped, reading stops at the first
// character that cannot continue the number; 0 when there is none. Every field and file reader
// uses it.
double LeadingNumber(std::string_view text);

}  // namespace quintaro
