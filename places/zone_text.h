// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>

#include "places/zone_database.h"

namespace quintaro {

// The workstation's zone (hours, positive west) as the zone field shows it: as few decimals as
// give the value exactly ("5", "-5.5", "-5.75"), else six ("4.933889" for 4h56m02s).
std::string ZoneFieldText(int utcOffsetSeconds);

// "UTC-05:00", "UTC+05:30", "UTC-04:56:02".
std::string UtcOffsetText(int utcOffsetSeconds);

// "EST, standard time", "EDT, daylight saving time", "LMT, local mean time".
std::string ReadingText(const ZoneReading& reading);

// "zone 5 (EST, standard time, UTC-05:00)".
std::string ZoneSummary(const ZoneReading& reading);

}  // namespace quintaro
