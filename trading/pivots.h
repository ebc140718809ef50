// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Floor-trader pivot levels of a trading day, and the window's stepping through a price table.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"
#include "trading/price_file.h"

namespace quintaro {

// The seven levels in the order of the output fields txtDataOutput 0 to 6.
struct PivotLevels {
    double pivot = 0;      // (H + L + C) / 3
    double r1 = 0;         // 2P - L
    double r2 = 0;         // P + (H - L)
    double s1 = 0;         // 2P - H
    double s2 = 0;         // P - (H - L)
    double breakout = 0;   // 2(P + (H - L)) - L
    double breakdown = 0;  // 2(P - (H - L)) - H
};

inline constexpr std::array<std::string_view, 7> kPivotLevelNames = {
    "Pivot", "R1", "R2", "S1", "S2", "Breakout", "Breakdown"};

PivotLevels CalcPivot(double high, double low, double close);
inline PivotLevels CalcPivot(const PriceRow& row) {
    return CalcPivot(row.high, row.low, row.close);
}

std::array<double, 7> LevelValues(const PivotLevels& levels);
// Each level formatted "0.00".
std::array<std::string, 7> FormatLevels(const PivotLevels& levels);

struct DatedPivot {
    CivilDate date;
    PivotLevels levels;
};

// The ".csv" export: a heading line "Date,Pivot,R1,R2,S1,S2,Breakout,Breakdown", then one line
// per day, the date as "mm/dd/yyyy" and the levels formatted "0.00".
std::string PivotCsv(const std::vector<DatedPivot>& days);
// Writes the export whole or not at all. Empty on success, else the reason.
std::string SavePivotCsv(const std::filesystem::path& file, const std::vector<DatedPivot>& days);

// The pivot window's table and current row ("Data Point #", from 0).
struct PivotView {
    PriceTable table;
    int dataPoint = 0;
};

// A loaded table with the last day as the current row.
PivotView OpenPivotView(PriceTable table);
// Sets the data point; a number outside the table is not taken (false).
bool SetDataPoint(PivotView& view, int row);
// The spin button: one row up or down, stopping at the first and the last row.
bool StepDataPoint(PivotView& view, int direction);
// The current row's levels; nothing when the table is empty.
std::optional<PivotLevels> CurrentLevels(const PivotView& view);

// "Last date in " + file name + " = " + the last date as "dd mmm yyyy"; empty for an empty table.
std::string LastDateLabel(const PriceTable& table);
// "Current file = " + file name
std::string PivotWindowCaption(const PriceTable& table);
// "Append to " + file name
std::string AppendButtonCaption(const PriceTable& table);

}  // namespace quintaro
