// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/session.h"
#include "places/zone_database.h"

namespace quintaro {

// The home location holds its zone as a number; "Now" at home wants the zone with its daylight
// saving. The home zone's name is that of the user's place named "Home" when there is one, else
// that of the zone whose main city (as the zone database lists them) is nearest the home
// coordinates, within 1500 km, among the zones that show the home zone's number in January or
// July of the year asked about.
struct HomeZone {
    std::string zoneName;  // "America/New_York"
    std::string source;    // "your place \"Home\"", "the zone of the nearest main city"
};
std::optional<HomeZone> FindHomeZone(Session& session, std::int64_t utSeconds);

// The home zone in force at a moment of UT (seconds since 1970): what "Now" shows. Nothing when
// no zone name fits the home location; its number then stands.
struct HomeZoneReading {
    HomeZone zone;
    ZoneReading reading;
};
std::optional<HomeZoneReading> HomeZoneAt(Session& session, std::int64_t utSeconds);

}  // namespace quintaro
