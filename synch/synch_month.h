// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Synchronizations day by day over a month: the transit chart moves to each day of the month in
// turn, and each day's arranged synchronizations are kept for the day-by-day file (".sbd").

#include <functional>
#include <string>
#include <vector>

#include "core/calendar.h"
#include "core/progress.h"
#include "synch/synch_day.h"

namespace quintaro {

// A month moved by a spin button: 13 wraps to 1 and 0 to 12 (any number lands in 1..12).
int WrapMonth(int month);

// The days from the first of the month up to the first of the next month, exclusive.
std::vector<CivilDate> DaysOfMonth(int year, int month);

// A day's text: "START OF NEW DAY", a line "-----", the date "dd mmm yyyy", then the day's
// arranged synchronizations.
std::string SynchDayText(const CivilDate& date, const std::string& synchPane);

// The day-by-day file: "Synchronization Files Used", then for each source its name between "{"
// and "}" and its member lines, then every non-empty day text after two line breaks.
std::string SynchMonthText(const std::vector<SynchSource>& sources,
                           const std::vector<std::string>& dayTexts);

// The charts of a day: the caller puts the transit chart on that date and recomputes. Nothing
// when the charts of that day could not be computed.
using ChartOfDay = std::function<const ChartPositions*(const CivilDate& day)>;

struct SynchMonthResult {
    std::vector<std::string> dayTexts;  // one per day done
    SynchDayResult lastDay;             // the results of the last day done
    bool cancelled = false;             // the user stopped the run between two days
    std::string error;                  // why the run stopped early otherwise
};

// Runs the one-day search for every day of the month. Progress is asked before each day
// (done = days done, total = days of the month); a false answer stops the run there.
SynchMonthResult RunSynchMonth(int year, int month, const ChartOfDay& chartOfDay,
                               const SelectionFlags& selection, const BodyCatalogue& catalogue,
                               const std::vector<SynchSource>& sources, const SynchOrbs& orbs,
                               const Priorities& priorities, const Progress& progress);

}  // namespace quintaro
