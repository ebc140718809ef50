// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string_view>

#include "setup/entry_model.h"

namespace quintaro {

// What a step text ("1.0 d", "2 y", "6 h", "30 n") asks for: a whole number of years or months
// moved on the date fields, or a number of days moved on the moment.
struct StepAmount {
    enum class Kind { Years, Months, Days };
    Kind kind = Kind::Days;
    double amount = 0;  // years, months or days
};

// The unit rules, in order: "y" (whole: years, else × 365 days), "m" (whole: months, else × 30
// days), "h" (÷ 24), "n" (÷ 1440); no letter or "d" means days. The whole-number tests look at the
// number as typed. Letter case is ignored.
StepAmount ParseStep(std::string_view deltaText);

// One press of "+" (direction +1) or "-" (direction -1): moves the chart named by the step-chart
// field and rewrites its date and time fields. Returns the section that moved; the caller rebuilds
// its record and recomputes. A year or month step that lands past the end of a month cuts the day
// to that month's last day.
Section StepChart(EntryModel& model, int direction);

}  // namespace quintaro
