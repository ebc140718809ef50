// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>

#include "core/calendar.h"
#include "core/chart_data.h"
#include "core/messages.h"
#include "predictive/return_search.h"
#include "setup/chart_data_file.h"
#include "setup/entry_model.h"

namespace quintaro {

// The fields of a progression, solar-arc or returns window: its own copy of the natal fields and
// the target date (the transit month, day and year fields; the rest of `target` is unused).
struct PredictiveForm {
    EntrySection natal;
    EntrySection target;
};

// The predictive windows' fields, kept by the session while the windows come and go.
struct PredictiveForms {
    PredictiveForm progression;
    PredictiveForm solarArc;
    PredictiveForm returns;
    ReturnBody returnBody = ReturnBody::Sun;  // optReturnsType
};

// A window as it opens: the entry window's natal data and today's date as the target.
PredictiveForm OpenPredictiveForm(const EntryModel& entry, const UtcClock& clock);

// cmdXferNatalData: the natal fields take the entry window's natal section.
void TakeNatalData(PredictiveForm& form, const EntryModel& entry);
// cmdNowTransit: today's date in the target fields ("m", "d", "yyyy"), on the clock of the zone
// of the window's natal fields.
void TargetToday(PredictiveForm& form, const UtcClock& clock);

// Loads a chart data file into the window's fields: the natal part and the transit date. A
// damaged file is reported as the entry window reports it, and the fields it does not give keep
// their contents. Nothing outside the window changes (the file's body flags stay with the file).
enum class FormFileOutcome { Unreadable, Damaged, Loaded };
FormFileOutcome LoadFormFile(PredictiveForm& form, const std::filesystem::path& path,
                             ChartFileTarget target, Messages& messages);

// The moments the window's fields give, once the natal hour has been checked as the entry window
// checks it (the warning, then nothing).
struct FormMoments {
    ChartData natal;
    double natalJD = 0;
    CivilDate target;
    double targetJD = 0;  // the target date at 0h UT
};
std::optional<FormMoments> ReadForm(const PredictiveForm& form, Messages& messages);

}  // namespace quintaro
