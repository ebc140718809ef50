// SPDX-License-Identifier: AGPL-3.0-or-later
#include "cli/moment_options.h"

#include <cmath>
#include <regex>

#include "cli/entry_text_forms.h"

namespace quintaro::cli {

void MomentOptions::addTo(CLI::App& command, const std::string& namePrefix, bool required,
                          const std::string& zoneFallback) {
    prefix = "--" + namePrefix;
    zoneDefault = zoneFallback;
    auto* dateOption = command.add_option(prefix + "date", date, "Civil date YYYY-MM-DD");
    auto* timeOption =
        command.add_option(prefix + "time", time, "Clock time: " + std::string(kTimeForms));
    if (required) {
        dateOption->required();
        timeOption->required();
    }
    auto* amFlag = command.add_flag(prefix + "am", am, "The time is A.M. (with the 10.30 form)");
    auto* pmFlag = command.add_flag(prefix + "pm", pm, "The time is P.M. (with the 10.30 form)");
    amFlag->excludes(pmFlag);
    command.add_option(prefix + "zone", zone,
                       "Time zone: " + std::string(kZoneForms) +
                           (zoneDefault.empty() ? "" : " (default " + zoneDefault + ")"));
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

std::optional<Meridiem> MomentOptions::meridiem() const {
    if (am) return Meridiem::AM;
    if (pm) return Meridiem::PM;
    return std::nullopt;
}

std::optional<MomentOptions::Moment> MomentOptions::resolve(std::string& error) const {
    auto fail = [&](const std::string& option, const std::string& reason) {
        error = prefix + option + ": " + reason;
        return std::nullopt;
    };
    auto civil = ParseIsoDate(date, error);
    if (!civil) return fail("date", error);
    if (time.empty()) return fail("time", "a date needs its clock time");
    auto clock = ParseClockTime(time, meridiem(), error);
    if (!clock) return fail("time", error);
    if (zone.empty() && zoneDefault.empty()) return fail("zone", "a date needs its time zone");
    auto hours = ParseZone(zone.empty() ? zoneDefault : zone, error);
    if (!hours) return fail("zone", error);
    const ClockTime time12 = clock->clockTime();
    return Moment{civil->year,         civil->month,    civil->day,
                  time12.clock.hhmm(), time12.meridiem, *hours};
}

}  // namespace quintaro::cli
