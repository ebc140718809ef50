// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "core/calendar.h"

namespace quintaro::cli {

// The moment options in the entry window's units: --date YYYY-MM-DD --time HH.MM --am|--pm
// --zone Z (hours, west positive).
struct MomentOptions {
    std::string date;
    double time = 12.0;
    bool am = false;
    bool pm = false;
    double zone = 0.0;

    void addTo(CLI::App& command, bool required = true);

    struct Moment {
        int year, month, day;
        double clock;
        Meridiem meridiem;
        double zone;
    };
    // The checked moment, or nothing with the reason in `error`.
    std::optional<Moment> resolve(std::string& error) const;
};

// Parses "YYYY-MM-DD" (a leading "-" for years before 1 is accepted); checks month and day.
std::optional<CivilDate> ParseIsoDate(const std::string& text, std::string& error);

}  // namespace quintaro::cli
