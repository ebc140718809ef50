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
inline const char* MeridiemText(Meridiem m) { return m == Meridiem::PM ? "P.M." : "A.M."; }

struct ChartMoment {
    double ChartJD = 0;      // Julian Day, UT
    double DayFraction = 0;  // UT time of day as a fraction of a day
    double JD0 = 0;          // day number at noon of the civil date
};

// UT fraction of the day of a 12-hour clock value, its A.M./P.M. half and a zone (hours, west
// positive). 12.mm is taken as 0h mm before the half is applied.
double ClockDayFraction(double clock, Meridiem meridiem, double zone);

// Day number at noon of a civil date; dates up to 1582-10-15 count as Julian.
double DayNumber(int year, int month, int day);

ChartMoment MomentToJD(int year, int month, int day, double clock, Meridiem meridiem, double zone);

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// Civil date of the day that holds jd.
CivilDate JDToCalendar(double jd);

// A moment written back as the entry fields show it: local date and 12-hour clock.
struct EntryMoment {
    CivilDate date;
    double clock = 12.0;  // hh.mm on the 12-hour clock, 12.mm for the first hour of a half
    Meridiem meridiem = Meridiem::AM;
};

// The zone (hours, west positive) turns UT into the section's local time; minutes are rounded to
// the nearest whole minute.
EntryMoment JDToEntryFields(double jd, double zone);

int DaysInMonth(int year, int month);

struct DateStyle {
    bool american = true;
    int code() const { return american ? 0 : 1; }  // per-chart date-style code
    const char* listingFormat() const { return american ? "mm/dd/yyyy" : "dd/mm/yyyy"; }
};

// Reads "datestyle.key"; creates it with "American" when it is missing.
DateStyle LoadDateStyle(const std::filesystem::path& file, Messages& messages);

}  // namespace quintaro
