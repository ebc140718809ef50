// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/calendar.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>

#include "core/atomic_file.h"

namespace quintaro {

namespace {

double Int(double x) {
    return std::floor(x);
}

// Day number of 1582-10-15, the first Gregorian day; the day before it is Julian 1582-10-04.
constexpr double FirstGregorianDay = 2299161.0;

bool OnOrAfterReform(int year, int month, int day) {
    if (year != 1582) return year > 1582;
    return month > 10 || (month == 10 && day >= 15);
}

// Julian-calendar date of a day number, counted in four-year cycles from 0000-03-01 (day number
// 1721118) with floor division, so that it holds for years before the era too.
CivilDate JulianDateOfDay(long long j) {
    auto floorDiv = [](long long a, long long b) {
        return a / b - (a % b != 0 && (a < 0) != (b < 0));
    };
    const long long z = j - 1721118;
    const long long cycle = floorDiv(z, 1461);
    const long long dayOfCycle = z - cycle * 1461;                         // 0 .. 1460
    const long long yearOfCycle = (dayOfCycle - dayOfCycle / 1460) / 365;  // 0 .. 3
    const long long dayOfYear = dayOfCycle - 365 * yearOfCycle;            // from March 1st
    const long long monthFromMarch = (5 * dayOfYear + 2) / 153;
    CivilDate date;
    date.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    date.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    date.year = static_cast<int>(cycle * 4 + yearOfCycle + (date.month <= 2 ? 1 : 0));
    return date;
}

}  // namespace

double ClockToHours(double hhmm) {
    return Int(hhmm) + (hhmm - Int(hhmm)) * 100.0 / 60.0;
}

double HoursToClock(double hours) {
    return Int(hours) + (hours - Int(hours)) * 60.0 / 100.0;
}

double ClockDayFraction(double clock, Meridiem meridiem, double zone) {
    double h = clock;
    if (Int(h) == 12) h -= 12;
    double fraction = (ClockToHours(h) + zone) / 24.0;
    if (meridiem == Meridiem::PM) fraction += 0.5;
    return fraction;
}

double DayNumber(int year, int month, int day) {
    double a = (year + 4800.0) * 12.0 + month - 3.0;
    double jd0 = Int((2.0 * (a - 12.0 * Int(a / 12.0)) + 7.0 + 365.0 * a) / 12.0) + day +
                 Int(a / 48.0) - 32083.0;
    if (OnOrAfterReform(year, month, day)) jd0 += Int(a / 4800.0) - Int(a / 1200.0) + 38.0;
    return jd0;
}

ChartMoment MomentToJD(int year, int month, int day, double clock, Meridiem meridiem, double zone) {
    ChartMoment moment;
    moment.DayFraction = ClockDayFraction(clock, meridiem, zone);
    moment.JD0 = DayNumber(year, month, day);
    moment.ChartJD = moment.JD0 + moment.DayFraction - 0.5;
    return moment;
}

CivilDate JDToCalendar(double jd) {
    double j = Int(jd + 0.5);
    if (!(std::fabs(j) <= 1e10)) return {};  // no calendar date: not a number or far beyond any era
    if (j < FirstGregorianDay) return JulianDateOfDay(static_cast<long long>(j));
    double l = j + 68569.0;
    double n = Int(4.0 * l / 146097.0);
    l -= Int((146097.0 * n + 3.0) / 4.0);
    double i = Int(4000.0 * (l + 1.0) / 1461001.0);
    l = l - Int(1461.0 * i / 4.0) + 31.0;
    double k = Int(80.0 * l / 2447.0);
    CivilDate date;
    date.day = static_cast<int>(l - Int(2447.0 * k / 80.0));
    l = Int(k / 11.0);
    date.month = static_cast<int>(k + 2.0 - 12.0 * l);
    date.year = static_cast<int>(100.0 * (n - 49.0) + i + l);
    return date;
}

EntryMoment JDToEntryFields(double jd, double zone) {
    double local = jd - zone / 24.0;
    double dayStart = Int(local + 0.5) - 0.5;  // 0h of the local civil day
    long minutes = std::lround((local - dayStart) * 1440.0);
    if (minutes >= 1440) {  // rounding reached midnight: the next day at 0h00
        dayStart += 1.0;
        minutes -= 1440;
    }
    EntryMoment entry;
    entry.date = JDToCalendar(dayStart + 0.5);
    int hour = static_cast<int>(minutes / 60);
    int minute = static_cast<int>(minutes % 60);
    entry.meridiem = hour >= 12 ? Meridiem::PM : Meridiem::AM;
    int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    entry.clock = hour12 + minute / 100.0;
    return entry;
}

std::string CivilDateProblem(int year, int month, int day) {
    if (month < 1 || month > 12) return "month " + std::to_string(month) + " is not 1..12";
    if (day < 1 || day > DaysInMonth(year, month))
        return "day " + std::to_string(day) + " does not exist in month " + std::to_string(month) +
               " of " + std::to_string(year);
    if (year == 1582 && month == 10 && day > 4 && day < 15)
        return "1582-10-" + std::string(day < 10 ? "0" : "") + std::to_string(day) +
               " does not exist: the Gregorian calendar follows Julian 1582-10-04 with "
               "1582-10-15";
    return {};
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 31;
    if (month != 2) return kDays[month - 1];
    bool leap = year % 4 == 0;
    if (year > 1582) leap = leap && (year % 100 != 0 || year % 400 == 0);
    return leap ? 29 : 28;
}

DateStyle LoadDateStyle(const std::filesystem::path& file, Messages& messages) {
    DateStyle style;
    std::ifstream in(file);
    if (!in) {
        if (std::string error = WriteFileAtomically(file, "American\n"); !error.empty())
            messages.show("Warning!", "Could not create the date style file: " + error,
                          MessageIcon::Exclamation);
        return style;
    }
    std::string line;
    std::getline(in, line);
    auto notSpace = [](unsigned char c) { return !std::isspace(c); };
    line.erase(line.begin(), std::find_if(line.begin(), line.end(), notSpace));
    line.erase(std::find_if(line.rbegin(), line.rend(), notSpace).base(), line.end());
    std::transform(line.begin(), line.end(), line.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    style.american = line == "american" || line == "1";
    return style;
}

}  // namespace quintaro
