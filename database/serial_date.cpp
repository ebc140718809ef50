// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/serial_date.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace quintaro {

namespace {

// Days from 1970-01-01 of a Gregorian date, and back (proleptic Gregorian arithmetic on eras
// of 400 years).
long long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yoe + era * 400 + (month <= 2));
    return {year, month, day};
}

constexpr long long kSerialEpoch = -25569;  // 1899-12-30 in days from 1970-01-01

// A run of digits that is the whole text; nothing otherwise.
std::optional<int> Digits(std::string_view text, size_t minLength, size_t maxLength) {
    if (text.size() < minLength || text.size() > maxLength) return std::nullopt;
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

bool IsGregorianDate(int year, int month, int day) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

double DateToSerial(const CivilDate& date) {
    return static_cast<double>(DaysFromCivil(date.year, date.month, date.day) - kSerialEpoch);
}

std::optional<CivilDate> SerialToDate(double serial) {
    if (!std::isfinite(serial)) return std::nullopt;
    // Before day 0 the fraction counts forward from the whole day, so the day is the whole part.
    double whole = std::trunc(serial);
    if (whole < FirstSerialDate || whole > LastSerialDate) return std::nullopt;
    return CivilFromDays(static_cast<long long>(whole) + kSerialEpoch);
}

std::optional<CivilDate> PresentDate(double serial) {
    if (std::trunc(serial) == MissingDateSerial) return std::nullopt;
    return SerialToDate(serial);
}

std::string UsDateText(const CivilDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.month, date.day, date.year);
    return text;
}

std::string IsoDateText(const CivilDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::optional<CivilDate> ParseListDate(std::string_view text, std::string& error) {
    std::optional<int> year, month, day;
    if (size_t dash = text.find('-'); dash != std::string_view::npos) {
        size_t second = text.find('-', dash + 1);
        if (second != std::string_view::npos) {
            year = Digits(text.substr(0, dash), 4, 4);
            month = Digits(text.substr(dash + 1, second - dash - 1), 2, 2);
            day = Digits(text.substr(second + 1), 2, 2);
        }
    } else if (size_t slash = text.find('/'); slash != std::string_view::npos) {
        size_t second = text.find('/', slash + 1);
        if (second != std::string_view::npos) {
            month = Digits(text.substr(0, slash), 1, 2);
            day = Digits(text.substr(slash + 1, second - slash - 1), 1, 2);
            year = Digits(text.substr(second + 1), 4, 4);
        }
    }
    if (!year || !month || !day) {
        error = "the date \"" + std::string(text) + "\" is not of the form m/d/yyyy or yyyy-mm-dd";
        return std::nullopt;
    }
    if (!IsGregorianDate(*year, *month, *day)) {
        error = "the date \"" + std::string(text) + "\" is not a calendar date";
        return std::nullopt;
    }
    return CivilDate{*year, *month, *day};
}

}  // namespace quintaro
