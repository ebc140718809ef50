// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/entry_stepping.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "core/calendar.h"

namespace quintaro {

namespace {

// Keeps the date fields inside the calendar after a year or month step.
void SetDate(EntrySection& s, long long year, long long monthIndex, int day) {
    year += static_cast<long long>(std::floor(monthIndex / 12.0));
    monthIndex -= static_cast<long long>(std::floor(monthIndex / 12.0)) * 12;
    year = std::clamp<long long>(year, -32768, 32767);
    int month = static_cast<int>(monthIndex) + 1;
    s.year = std::to_string(year);
    s.month = std::to_string(month);
    s.day = std::to_string(std::min(day, DaysInMonth(static_cast<int>(year), month)));
}

void MoveMoment(EntrySection& s, double days) {
    double zone = LeadingNumber(s.zone);
    double clock = LeadingNumber(s.hour) + LeadingNumber(s.minute) / 100.0;
    ChartMoment moment =
        MomentToJD(FieldInteger(s.year), FieldInteger(s.month), FieldInteger(s.day), clock,
                   s.pm ? Meridiem::PM : Meridiem::AM, zone);
    EntryMoment entry = JDToEntryFields(moment.ChartJD + days, zone);
    s.year = std::to_string(entry.date.year);
    s.month = std::to_string(entry.date.month);
    s.day = std::to_string(entry.date.day);
    long clockMinutes = std::lround(entry.clock * 100.0);
    s.hour = std::to_string(clockMinutes / 100);
    s.minute = std::to_string(clockMinutes % 100);
    s.pm = entry.meridiem == Meridiem::PM;
}

}  // namespace

StepAmount ParseStep(std::string_view deltaText) {
    std::string text(deltaText);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    auto has = [&](char letter) { return text.find(letter) != std::string::npos; };
    const double typed = LeadingNumber(text);
    const bool whole = typed == std::floor(typed);
    double amount = typed;
    if (has('y')) {
        if (whole) return {StepAmount::Kind::Years, typed};
        amount *= 365;
    }
    if (has('m')) {
        if (whole) return {StepAmount::Kind::Months, typed};
        amount *= 30;
    }
    if (has('h')) amount /= 24;
    if (has('n')) amount /= 1440;
    return {StepAmount::Kind::Days, amount};
}

Section StepChart(EntryModel& model, int direction) {
    const Section which = SteppedSection(model.options);
    EntrySection& s = model.section(which);
    const StepAmount step = ParseStep(model.options.delta);
    const double signedAmount = step.amount * (direction < 0 ? -1 : 1);
    // Whole years and months are far inside the 16-bit year range; bigger steps are clamped.
    const double bounded = std::clamp(signedAmount, -1.0e6, 1.0e6);
    const long long year = FieldInteger(s.year);
    const long long monthIndex = FieldInteger(s.month) - 1;
    switch (step.kind) {
        case StepAmount::Kind::Years:
            SetDate(s, year + static_cast<long long>(bounded), monthIndex, FieldInteger(s.day));
            break;
        case StepAmount::Kind::Months:
            SetDate(s, year, monthIndex + static_cast<long long>(bounded), FieldInteger(s.day));
            break;
        case StepAmount::Kind::Days:
            MoveMoment(s, std::clamp(signedAmount, -1.0e7, 1.0e7));
            break;
    }
    return which;
}

}  // namespace quintaro
