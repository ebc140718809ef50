// SPDX-License-Identifier: AGPL-3.0-or-later
#include "cli/moment_options.h"

#include <cmath>
#include <regex>

namespace quintaro::cli {

void MomentOptions::addTo(CLI::App& command, bool required) {
    auto* dateOption = command.add_option("--date", date, "Civil date YYYY-MM-DD");
    auto* timeOption = command.add_option("--time", time, "Clock time hh.mm on the 12-hour clock");
    if (required) {
        dateOption->required();
        timeOption->required();
    }
    auto* amFlag = command.add_flag("--am", am, "Time is A.M. (default)");
    auto* pmFlag = command.add_flag("--pm", pm, "Time is P.M.");
    amFlag->excludes(pmFlag);
    command.add_option("--zone", zone, "Time zone in hours, west of Greenwich positive");
}

std::optional<CivilDate> ParseIsoDate(const std::string& text, std::string& error) {
    static const std::regex pattern(R"(^(-?\d{1,5})-(\d{1,2})-(\d{1,2})$)");
    std::smatch match;
    if (!std::regex_match(text, match, pattern)) {
        error = "date '" + text + "' is not of the form YYYY-MM-DD";
        return std::nullopt;
    }
    CivilDate date{std::stoi(match[1]), std::stoi(match[2]), std::stoi(match[3])};
    error = CivilDateProblem(date.year, date.month, date.day);
    if (!error.empty()) return std::nullopt;
    return date;
}

std::optional<MomentOptions::Moment> MomentOptions::resolve(std::string& error) const {
    auto civil = ParseIsoDate(date, error);
    if (!civil) return std::nullopt;
    double hours = std::floor(time);
    double minutes = std::round((time - hours) * 100.0);
    if (!(time >= 0.0) || hours > 12.0 || minutes > 59.0) {
        error = "time must be hh.mm with hours 0..12 and minutes 00..59";
        return std::nullopt;
    }
    if (!(std::fabs(zone) <= 24.0)) {
        error = "zone must lie between -24 and 24 hours";
        return std::nullopt;
    }
    return Moment{civil->year, civil->month, civil->day, time, pm ? Meridiem::PM : Meridiem::AM,
                  zone};
}

}  // namespace quintaro::cli
