// SPDX-License-Identifier: AGPL-3.0-or-later
#include "places/zone_text.h"

#include <cstdio>
#include <cstdlib>

#include "core/formatting.h"

namespace quintaro {

std::string ZoneFieldText(int utcOffsetSeconds) {
    const int west = -utcOffsetSeconds;
    // Hundredths of an hour are 36 seconds: such offsets have an exact short form.
    const char* picture = west % 36 == 0 ? "0.##" : "0.######";
    return FormatNumber(west / 3600.0, picture);
}

std::string UtcOffsetText(int utcOffsetSeconds) {
    const int magnitude = std::abs(utcOffsetSeconds);
    char text[32];
    const int hours = magnitude / 3600, minutes = magnitude / 60 % 60, seconds = magnitude % 60;
    const char sign = utcOffsetSeconds < 0 ? '-' : '+';
    if (seconds != 0) {
        std::snprintf(text, sizeof text, "UTC%c%02d:%02d:%02d", sign, hours, minutes, seconds);
    } else {
        std::snprintf(text, sizeof text, "UTC%c%02d:%02d", sign, hours, minutes);
    }
    return text;
}

std::string ReadingText(const ZoneReading& reading) {
    const char* kind = reading.localMeanTime    ? "local mean time"
                       : reading.daylightSaving ? "daylight saving time"
                                                : "standard time";
    return reading.abbreviation + ", " + kind;
}

std::string ZoneSummary(const ZoneReading& reading) {
    return "zone " + ZoneFieldText(reading.utcOffsetSeconds) + " (" + ReadingText(reading) + ", " +
           UtcOffsetText(reading.utcOffsetSeconds) + ")";
}

}  // namespace quintaro
