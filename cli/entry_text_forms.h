// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The written forms in which a user types a clock time, a time zone and geographic coordinates on
// the command line, read into the entry model's types, and the echo that shows how a value was
// understood. Each form has one reading; a text that could mean two things (a signed
// degrees.minutes longitude, a 12-hour time without A.M. or P.M.) is refused with a message that
// lists the accepted forms, so that no chart is computed from a guess.

#include <optional>
#include <string>
#include <string_view>

#include "core/calendar.h"
#include "core/chart_data.h"

namespace quintaro::cli {

// The accepted forms, for help texts and messages.
inline constexpr std::string_view kTimeForms =
    "22:30 (24-hour clock), 10:30pm, 10:30 P.M., 10pm, or the workstation's 10.30 with am/pm "
    "(10.30pm)";
inline constexpr std::string_view kLongitudeForms =
    "73w59, 73°59'W, 73°59′30″ W, 73.9833°W, -73.9833 (decimal degrees, east positive) or the "
    "workstation's 73.59 (degrees.minutes, west positive)";
inline constexpr std::string_view kLatitudeForms =
    "40n46, 40°46'N, 40.7667°N, 40.7667 or -33.8688 (decimal degrees, north positive) or the "
    "workstation's 40.46 (degrees.minutes)";
inline constexpr std::string_view kZoneForms =
    "5, 5.5 or 5:30 (hours west of Greenwich, as the workstation counts them; east negative), "
    "or UTC-5, UTC+5:30";

// A clock time as read: on the 24-hour clock.
struct ClockReading {
    int hour24 = 0;  // 0..23
    int minute = 0;  // 0..59

    // The entry fields' form: 12-hour clock with its half of the day (0h is 12 A.M.).
    ClockTime clockTime() const;
};

// Reads a clock time. `meridiem` is an A.M./P.M. given apart from the text (an option); it makes
// a 10.30 or 10:30 a 12-hour reading and must agree with a suffix in the text.
std::optional<ClockReading> ParseClockTime(std::string_view text, std::optional<Meridiem> meridiem,
                                           std::string& error);

// Geographic coordinates in any accepted form.
std::optional<Longitude> ParseLongitude(std::string_view text, std::string& error);
std::optional<Latitude> ParseLatitude(std::string_view text, std::string& error);

// A time zone as the workstation keeps it: hours to add to the clock to get UT, west positive.
std::optional<double> ParseZone(std::string_view text, std::string& error);

// Echoes: "10:30 P.M. (22:30)", "73°59′ W" (seconds when the minutes have a fraction:
// "73°59′00″ W"), "40°46′ N", "5 (UTC-5:00)".
std::string ClockEcho(const ClockTime& time);
std::string LongitudeEcho(const Longitude& longitude);
std::string LatitudeEcho(const Latitude& latitude);
std::string ZoneEcho(double zone);
std::string DateEcho(int year, int month, int day);  // "1990-12-25"

}  // namespace quintaro::cli
