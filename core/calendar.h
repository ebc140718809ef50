// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

#include "core/messages.h"

namespace quintaro {

// Clock values and coordinates travel as hours (degrees) + minutes / 100: 7.45 is 7h45.
double ClockToHours(double hhmm);
double HoursToClock(double hours);

enum class Meridiem { AM, PM };
inline const char* MeridiemText(Meridiem m) {
    return m == Meridiem::PM ? "P.M." : "A.M.";
}

struct ChartMoment {
    double ChartJD = 0;      // Julian Day, UT
    double DayFraction = 0;  // UT time of day as a fraction of a day
    double JD0 = 0;          // day number at noon of the civil date
};

// UT fraction of the day of a 12-hour clock value, its A.M./P.M. half and a zone (hours, west
// positive). 12.mm is taken as 0h mm before the half is applied.
double ClockDayFraction(double clock, Meridiem meridiem, double zone);

// Day number at noon of a civil date: the Julian calendar up to 1582-10-04, the Gregorian from
// 1582-10-15 on. The ten days between do not exist (CivilDateProblem says so); they are counted
// as Julian dates, which puts them on the first Gregorian days.
double DayNumber(int year, int month, int day);

ChartMoment MomentToJD(int year, int month, int day, double clock, Meridiem meridiem, double zone);

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// Civil date of the day that holds jd: a Julian-calendar date before JD 2299160.5 (1582-10-15
// 0h UT), a Gregorian one from then on.
CivilDate JDToCalendar(double jd);

// Whether year-month-day is a day of the civil calendar. Empty when it is; otherwise the reason,
// for a message: a month outside 1..12, a day outside its month, or one of the days
// 1582-10-05 .. 1582-10-14 that the change to the Gregorian calendar left out.
std::string CivilDateProblem(int year, int month, int day);

// A moment written back as the entry fields show it: local date and 12-hour clock.
struct EntryMoment {
    CivilDate date;
    double clock = 12.0;  // hh.mm on the 12-hour clock, 12.mm for the first hour of a half
    Meridiem meridiem = Meridiem::AM;
};

// The zone (hours, west positive) turns UT into the section's local time; minutes are rounded to
// the nearest whole minute.
EntryMoment JDToEntryFields(double jd, double zone);

// Days of a month: Julian leap years up to 1582, Gregorian ones after. October 1582 counts 31 even
// though ten of its days do not exist (see CivilDateProblem).
int DaysInMonth(int year, int month);

struct DateStyle {
    bool american = true;
    int code() const { return american ? 0 : 1; }  // per-chart date-style code
    const char* listingFormat() const { return american ? "mm/dd/yyyy" : "dd/mm/yyyy"; }
};

// Reads "datestyle.key"; creates it with "American" when it is missing.
DateStyle LoadDateStyle(const std::filesystem::path& file, Messages& messages);

}  // namespace quintaro
