// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quintaro {

// The state of a zone's clocks: offset from Universal Time (east positive, as zone data give it),
// abbreviation and whether it counts as daylight saving time.
struct ZoneClockState {
    int utcOffsetSeconds = 0;
    std::string abbreviation;
    bool daylightSaving = false;
};

// A day of the year as the closing rule of a zone file names it, with the local time of the
// change on that day (seconds; may be negative or beyond one day).
struct RuleDay {
    enum class Kind { JulianNoLeap, ZeroBased, MonthWeekDay };
    Kind kind = Kind::MonthWeekDay;
    int day = 0;      // Jn: 1..365 without 29 February; n: 0..365 counting it
    int month = 0;    // Mm.w.d
    int week = 0;     // 1..5, 5 being the last
    int weekday = 0;  // 0 Sunday .. 6 Saturday
    int timeSeconds = 2 * 3600;
};

// The rule a zone file states for the years after its last listed change, in the POSIX form
// ("EST5EDT,M3.2.0,M11.1.0"; "<+0330>-3:30"). A zone without daylight saving has no `daylight`.
struct PosixZoneRule {
    ZoneClockState standard;
    std::optional<ZoneClockState> daylight;
    RuleDay start;  // daylight saving begins (local standard time)
    RuleDay end;    // daylight saving ends (local daylight time)
};

std::optional<PosixZoneRule> ParsePosixZoneRule(std::string_view text);

// A change of a zone's clocks at a moment of Universal Time (seconds since 1970).
struct ZoneClockChange {
    std::int64_t utSeconds = 0;
    ZoneClockState after;
};

// The changes a rule makes in one year, in time order; none without daylight saving.
std::vector<ZoneClockChange> RuleChangesInYear(const PosixZoneRule& rule, int year);

// The closing rule line of a compiled zone file (TZif version 2 or later); nothing when the file
// cannot be read or has none.
std::optional<std::string> ReadZoneFileRule(const std::filesystem::path& file);

}  // namespace quintaro
