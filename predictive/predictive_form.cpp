// SPDX-License-Identifier: AGPL-3.0-or-later
#include "predictive/predictive_form.h"

#include "predictive/progressed_moment.h"

namespace quintaro {

PredictiveForm OpenPredictiveForm(const EntryModel& entry, const UtcClock& clock) {
    PredictiveForm form;
    TakeNatalData(form, entry);
    TargetToday(form, clock);
    return form;
}

void TakeNatalData(PredictiveForm& form, const EntryModel& entry) {
    form.natal = entry.natal;
}

void TargetToday(PredictiveForm& form, const UtcClock& clock) {
    // Today where the window's natal chart is: its clock is the one the window works in.
    const DateTimeParts now = CivilTimeInZone(clock(), LeadingNumber(form.natal.zone));
    form.target.month = FormatDate(now, "m");
    form.target.day = FormatDate(now, "d");
    form.target.year = FormatDate(now, "yyyy");
}

FormFileOutcome LoadFormFile(PredictiveForm& form, const std::filesystem::path& path,
                             ChartFileTarget target, Messages& messages) {
    const std::optional<ChartFile> file = ReadChartFile(path);
    EntryModel scratch;
    scratch.natal = form.natal;
    scratch.transit = form.target;
    SelectionFlags flags;
    ChartFileMemory memory;
    if (!file || !LoadChartFile(path, target, scratch, flags, memory, messages))
        return FormFileOutcome::Unreadable;
    form.natal = scratch.natal;
    form.target.month = scratch.transit.month;
    form.target.day = scratch.transit.day;
    form.target.year = scratch.transit.year;
    return file->problems.empty() ? FormFileOutcome::Loaded : FormFileOutcome::Damaged;
}

std::optional<FormMoments> ReadForm(const PredictiveForm& form, Messages& messages) {
    if (!CheckHourText(form.natal, Section::Natal, messages)) return std::nullopt;
    FormMoments moments;
    moments.natal = ReadSection(form.natal, MonthDayYear);
    moments.natalJD = NatalMoment(moments.natal);
    const ChartData target = ReadSection(form.target, MonthDayYear);
    moments.target = {target.year, target.month, target.day};
    moments.targetJD = TargetMoment(moments.target);
    return moments;
}

}  // namespace quintaro
