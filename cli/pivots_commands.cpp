// SPDX-License-Identifier: AGPL-3.0-or-later
// pivots: floor-trader pivot levels of a day in a price file (".prn", ".csf"), and appending a
// day to such a file.
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/cli_context.h"
#include "core/formatting.h"
#include "database/serial_date.h"
#include "trading/pivots.h"

namespace quintaro::cli {

namespace {

using Json = nlohmann::ordered_json;

struct PivotOptions {
    std::string file;
    int row = -1;
    std::string date;
    bool json = false;
    std::string exportFile;
    bool all = false;
};

// The day asked for: --row, --date or the last day.
bool ChooseDay(PivotView& view, const PivotOptions& o, CliContext& context) {
    if (o.row >= 0) {
        if (SetDataPoint(view, o.row)) return true;
        context.fail(o.file + " has no data point " + std::to_string(o.row) + " (0 to " +
                     std::to_string(view.table.rows.size() - 1) + ")");
        return false;
    }
    if (o.date.empty()) return true;
    std::string error;
    auto date = ParseListDate(o.date, error);
    if (!date) {
        context.fail("--date: " + error);
        return false;
    }
    for (size_t i = 0; i < view.table.rows.size(); ++i) {
        const CivilDate& d = view.table.rows[i].date;
        if (d.year == date->year && d.month == date->month && d.day == date->day)
            return SetDataPoint(view, static_cast<int>(i));
    }
    context.fail(o.file + " holds no day " + o.date);
    return false;
}

void PrintText(const PivotView& view, const PriceRow& row, const PivotLevels& levels) {
    std::cout << PivotWindowCaption(view.table) << '\n'
              << LastDateLabel(view.table) << '\n'
              << "Data Point # " << view.dataPoint << "  " << row.cells[DateColumn] << "  high "
              << row.cells[HighColumn] << "  low " << row.cells[LowColumn] << "  close "
              << row.cells[CloseColumn] << '\n';
    auto texts = FormatLevels(levels);
    for (size_t i = 0; i < texts.size(); ++i)
        std::printf("%-10s %10s\n", std::string(kPivotLevelNames[i]).c_str(), texts[i].c_str());
}

void PrintJson(const PivotView& view, const PriceRow& row, const PivotLevels& levels) {
    Json values = Json::object();
    auto numbers = LevelValues(levels);
    auto texts = FormatLevels(levels);
    Json formatted = Json::object();
    for (size_t i = 0; i < numbers.size(); ++i) {
        std::string key(kPivotLevelNames[i]);
        for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        values[key] = numbers[i];
        formatted[key] = texts[i];
    }
    std::cout << Json{{"file", view.table.fileName},
                      {"data_point", view.dataPoint},
                      {"rows", view.table.rows.size()},
                      {"date",
                       FormatDate({row.date.year, row.date.month, row.date.day}, "yyyy-mm-dd")},
                      {"high", row.high},
                      {"low", row.low},
                      {"close", row.close},
                      {"levels", values},
                      {"formatted", formatted}}
              << '\n';
}

void RunPivots(const PivotOptions& o, CliContext& context) {
    std::string error;
    auto table = LoadPriceFile(o.file, error);
    if (!table) return context.fail(error);
    if (table->rows.empty()) return context.fail(o.file + " holds no days");
    PivotView view = OpenPivotView(std::move(*table));
    if (!ChooseDay(view, o, context)) return;
    const PriceRow& row = view.table.rows[static_cast<size_t>(view.dataPoint)];
    PivotLevels levels = CalcPivot(row);
    if (!o.exportFile.empty()) {
        std::vector<DatedPivot> days;
        if (o.all) {
            for (const PriceRow& r : view.table.rows) days.push_back({r.date, CalcPivot(r)});
        } else {
            days.push_back({row.date, levels});
        }
        if (std::string failed = SavePivotCsv(o.exportFile, days); !failed.empty())
            return context.fail(failed);
    }
    if (o.json) return PrintJson(view, row, levels);
    PrintText(view, row, levels);
}

struct AppendOptions {
    std::string file;
    std::string date;
    PriceEntry entry;
};

void RunAppend(AppendOptions o, CliContext& context) {
    std::string error;
    auto date = ParseListDate(o.date, error);
    if (o.date.empty()) return context.fail("--date is required; nothing was written");
    if (!date) return context.fail("--date: " + error + "; nothing was written");
    o.entry.year = std::to_string(date->year);
    o.entry.month = std::to_string(date->month);
    o.entry.day = std::to_string(date->day);
    if (std::string failed = AppendPriceDay(o.file, o.entry); !failed.empty())
        return context.fail(o.file + ": " + failed);
    std::cout << "Appended " << FormatDate({date->year, date->month, date->day}, "mm/dd/yyyy")
              << " to " << o.file << '\n';
}

}  // namespace

void AddPivotsCommands(CLI::App& app, CliContext& context) {
    auto o = std::make_shared<PivotOptions>();
    auto* pivots = app.add_subcommand(
        "pivots", "Floor-trader pivot levels of a day in a price file (.prn, .csf)");
    pivots->require_subcommand(0, 1);
    pivots->add_option("file", o->file, "The price file");
    auto* row = pivots->add_option("--row", o->row, "Data point: row number from 0")
                    ->check(CLI::NonNegativeNumber);
    pivots->add_option("--date", o->date, "The day YYYY-MM-DD")->excludes(row);
    pivots->add_flag("--json", o->json, "JSON output");
    auto* exportOption =
        pivots->add_option("--export", o->exportFile, "Save the levels into this .csv file");
    pivots->add_flag("--all", o->all, "Export the levels of every day")->needs(exportOption);

    auto a = std::make_shared<AppendOptions>();
    auto* append = pivots->add_subcommand("append", "Append a day's prices to a price file");
    append->add_option("file", a->file, "The price file")->required();
    append->add_option("--date", a->date, "The day YYYY-MM-DD");
    append->add_option("--high", a->entry.values[0], "PRICE HIGH");
    append->add_option("--low", a->entry.values[1], "PRICE LOW");
    append->add_option("--close", a->entry.values[2], "PRICE CLOSE");
    append->add_option("--open", a->entry.values[3], "Price Open");
    append->add_option("--volume", a->entry.values[4], "Volume");
    append->add_option("--oi", a->entry.values[5], "Open Interest (.prn files only)");
    append->callback([a, &context] { RunAppend(*a, context); });

    pivots->callback([o, append, &context] {
        if (append->parsed()) return;
        if (o->file.empty()) return context.fail("pivots: a price file is required");
        RunPivots(*o, context);
    });
}

}  // namespace quintaro::cli
