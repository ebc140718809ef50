// SPDX-License-Identifier: AGPL-3.0-or-later
#include "synch/synch_month.h"

#include "core/formatting.h"
#include "setup/file_lines.h"

namespace quintaro {

namespace {

std::string DateText(const CivilDate& date) {
    return FormatDate({date.year, date.month, date.day, 0, 0, 0}, "dd mmm yyyy");
}

}  // namespace

int WrapMonth(int month) {
    return ((month - 1) % 12 + 12) % 12 + 1;
}

std::vector<CivilDate> DaysOfMonth(int year, int month) {
    std::vector<CivilDate> days;
    if (month < 1 || month > 12) return days;
    for (int day = 1; day <= DaysInMonth(year, month); ++day) days.push_back({year, month, day});
    return days;
}

std::string SynchDayText(const CivilDate& date, const std::string& synchPane) {
    return "START OF NEW DAY\n-----\n" + DateText(date) + "\n" + synchPane;
}

std::string SynchMonthText(const std::vector<SynchSource>& sources,
                           const std::vector<std::string>& dayTexts) {
    std::string text = "Synchronization Files Used\n";
    for (const SynchSource& source : sources) {
        text += "{" +
                (source.fromSelectionWindow() ? std::string(SelectionWindowName) : source.name) +
                "}\n";
        ForEachTextLine(source.text, [&text](std::string_view line) {
            text.append(line);
            text += "\n";
            return true;
        });
    }
    for (const std::string& day : dayTexts)
        if (!day.empty()) text += "\n\n" + day;
    return text;
}

SynchMonthResult RunSynchMonth(int year, int month, const ChartOfDay& chartOfDay,
                               const SelectionFlags& selection, const BodyCatalogue& catalogue,
                               const std::vector<SynchSource>& sources, const SynchOrbs& orbs,
                               const Priorities& priorities, const Progress& progress) {
    SynchMonthResult result;
    const std::vector<CivilDate> days = DaysOfMonth(year, month);
    const long total = static_cast<long>(days.size());
    for (long done = 0; done < total; ++done) {
        const CivilDate& day = days[static_cast<size_t>(done)];
        if (!ReportProgress(progress, "Synchronizations of " + DateText(day), done, total)) {
            result.cancelled = true;
            return result;
        }
        const ChartPositions* record = chartOfDay(day);
        if (!record) {
            result.error = "The charts of " + DateText(day) + " could not be computed.";
            return result;
        }
        result.lastDay = RunSynchDay({*record, selection, catalogue}, sources, orbs, priorities);
        result.dayTexts.push_back(SynchDayText(day, result.lastDay.synchPane));
    }
    ReportProgress(progress, "Synchronizations done", total, total);
    return result;
}

}  // namespace quintaro
