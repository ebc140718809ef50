// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "core/calendar.h"

namespace quintaro::cli {

// The options of a moment: --date YYYY-MM-DD, --time in any form of cli/entry_text_forms.h with
// --am/--pm for the workstation's 12-hour form, and --zone (hours, west positive, or UTC-5).
// A prefix names them for one chart: "natal-" gives --natal-date, --natal-time, ...
struct MomentOptions {
    std::string date;
    std::string time;
    std::string zone;
    bool am = false;
    bool pm = false;

    // Adds the four options; `zoneDefault` is the zone when --zone is not given (empty: the zone
    // is required with a date).
    void addTo(CLI::App& command, const std::string& prefix = "", bool required = true,
               const std::string& zoneDefault = "0");

    struct Moment {
        int year, month, day;
        double clock;  // hh.mm on the 12-hour clock
        Meridiem meridiem;
        double zone;
    };
    // The checked moment, or nothing with the reason in `error`.
    std::optional<Moment> resolve(std::string& error) const;

    // The A.M./P.M. chosen with --am/--pm, if any.
    std::optional<Meridiem> meridiem() const;

    std::string prefix;  // set by addTo: "--natal-" or "--"
    std::string zoneDefault;
};

// Parses "YYYY-MM-DD" (a leading "-" for years before 1 is accepted); checks month and day.
std::optional<CivilDate> ParseIsoDate(const std::string& text, std::string& error);

}  // namespace quintaro::cli
