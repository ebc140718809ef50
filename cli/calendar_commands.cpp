// SPDX-License-Identifier: AGPL-3.0-or-later
// jd and calendar: the conversions between civil moments and Julian Days.
#include <cmath>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/cli_context.h"
#include "cli/moment_options.h"
#include "core/calendar.h"
#include "core/formatting.h"

namespace quintaro::cli {

namespace {

void RunJd(const MomentOptions& options, bool json, CliContext& context) {
    std::string error;
    auto moment = options.resolve(error);
    if (!moment) return context.fail(error);
    ChartMoment result = MomentToJD(moment->year, moment->month, moment->day, moment->clock,
                                    moment->meridiem, moment->zone);
    if (json) {
        std::cout << nlohmann::ordered_json{{"jd", result.ChartJD},
                                            {"day_fraction", result.DayFraction}}
                  << '\n';
    } else {
        std::cout << "ChartJD     " << FormatNumber(result.ChartJD, "0.000000") << '\n'
                  << "DayFraction " << FormatNumber(result.DayFraction, "0.00000000") << '\n';
    }
}

void RunCalendar(double jd, bool json, CliContext& context) {
    if (!std::isfinite(jd) || std::fabs(jd) > 1e9) return context.fail("jd out of range");
    CivilDate date = JDToCalendar(jd);
    if (json) {
        std::cout << nlohmann::ordered_json{{"year", date.year},
                                            {"month", date.month},
                                            {"day", date.day}}
                  << '\n';
    } else {
        std::cout << FormatDate({date.year, date.month, date.day}, "yyyy-mm-dd") << '\n';
    }
}

}  // namespace

void AddCalendarCommands(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<MomentOptions>();
    auto jdJson = std::make_shared<bool>(false);
    auto* jd = app.add_subcommand("jd", "Julian Day (UT) and day fraction of a civil moment");
    options->addTo(*jd);
    jd->add_flag("--json", *jdJson, "JSON output");
    jd->callback([options, jdJson, &context] { RunJd(*options, *jdJson, context); });

    auto jdValue = std::make_shared<double>(0.0);
    auto calJson = std::make_shared<bool>(false);
    auto* calendar = app.add_subcommand("calendar", "Civil date of a Julian Day");
    calendar->add_option("--jd", *jdValue, "Julian Day")->required();
    calendar->add_flag("--json", *calJson, "JSON output");
    calendar->callback([jdValue, calJson, &context] { RunCalendar(*jdValue, *calJson, context); });
}

}  // namespace quintaro::cli
