// SPDX-License-Identifier: AGPL-3.0-or-later
#include "trading/pivots.h"

#include <cstdio>

#include "core/atomic_file.h"
#include "core/formatting.h"

namespace quintaro {

PivotLevels CalcPivot(double high, double low, double close) {
    const double p = (high + low + close) / 3;
    const double range = high - low;
    return {p,
            2 * p - low,
            p + range,
            2 * p - high,
            p - range,
            2 * (p + range) - low,
            2 * (p - range) - high};
}

std::array<double, 7> LevelValues(const PivotLevels& l) {
    return {l.pivot, l.r1, l.r2, l.s1, l.s2, l.breakout, l.breakdown};
}

std::array<std::string, 7> FormatLevels(const PivotLevels& levels) {
    std::array<std::string, 7> texts;
    auto values = LevelValues(levels);
    for (size_t i = 0; i < texts.size(); ++i) texts[i] = FormatNumber(values[i], "0.00");
    return texts;
}

std::string PivotCsv(const std::vector<DatedPivot>& days) {
    std::string csv = "Date";
    for (std::string_view name : kPivotLevelNames) csv += "," + std::string(name);
    csv += "\n";
    for (const DatedPivot& day : days) {
        csv += FormatDate({day.date.year, day.date.month, day.date.day}, "mm/dd/yyyy");
        for (const std::string& level : FormatLevels(day.levels)) csv += "," + level;
        csv += "\n";
    }
    return csv;
}

std::string SavePivotCsv(const std::filesystem::path& file, const std::vector<DatedPivot>& days) {
    return WriteFileAtomically(file, PivotCsv(days));
}

PivotView OpenPivotView(PriceTable table) {
    PivotView view{std::move(table), 0};
    view.dataPoint = view.table.rows.empty() ? 0 : static_cast<int>(view.table.rows.size()) - 1;
    return view;
}

bool SetDataPoint(PivotView& view, int row) {
    if (row < 0 || row >= static_cast<int>(view.table.rows.size())) return false;
    view.dataPoint = row;
    return true;
}

bool StepDataPoint(PivotView& view, int direction) {
    return SetDataPoint(view, view.dataPoint + (direction < 0 ? -1 : 1));
}

std::optional<PivotLevels> CurrentLevels(const PivotView& view) {
    if (view.table.rows.empty()) return std::nullopt;
    return CalcPivot(view.table.rows[static_cast<size_t>(view.dataPoint)]);
}

std::string LastDateLabel(const PriceTable& table) {
    if (table.rows.empty()) return {};
    const CivilDate& d = table.rows.back().date;
    return "Last date in " + table.fileName + " = " +
           FormatDate({d.year, d.month, d.day}, "dd mmm yyyy");
}

std::string PivotWindowCaption(const PriceTable& table) {
    return "Current file = " + table.fileName;
}

std::string AppendButtonCaption(const PriceTable& table) {
    return "Append to " + table.fileName;
}

}  // namespace quintaro
