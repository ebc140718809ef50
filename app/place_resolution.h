// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/session.h"
#include "database/birth_transfer.h"
#include "places/geo_place.h"
#include "places/zone_database.h"

namespace quintaro {

// One lookup of a place and its zone for every part of the workstation that takes a chart: the
// entry window, the command line, the database transfer, the predictive windows.

// A place and a local moment as the user gives them.
struct PlaceRequest {
    std::string place;     // typed: "New York", "Paris, Texas", one of the user's places; or empty
    std::string zoneName;  // a zone named directly ("Europe/London"); empty: the place's
    std::optional<double> latitude;   // coordinates given (north, east positive) win over the
    std::optional<double> longitude;  // place's
    LocalDateTime local;              // the local date and time the zone is wanted for
    bool zoneWanted = true;           // false: only the place and its coordinates
};

struct PlaceResolution {
    // Empty when the place and a single zone were found; else why not: an unknown place (with
    // the closest names), an unknown zone, a date outside the zone data, or a local time that
    // did not exist or happened twice (both readings are in `zone`).
    std::string error;
    std::optional<GeoPlace> place;  // the place found, when one was typed
    std::string zoneName;
    std::optional<double> latitude, longitude;  // in use: given, else the place's
    LocalTimeZone zone;                         // what the zone data say of the local time
    bool ok() const { return error.empty(); }
    // The one reading of a resolved request.
    const ZoneReading& reading() const { return zone.readings.front(); }
};

PlaceResolution ResolvePlaceAndZone(Session& session, const PlaceRequest& request);

// What to tell a user whose place the atlas does not know: the closest names, if any.
std::string UnknownPlaceText(const Atlas& atlas, std::string_view typed);

// "2:30 did not exist on 2021-03-14 in America/New_York: the clocks went from EST (zone 5) to
// EDT (zone 4)"; the same for a time that happened twice. Empty for a unique time.
std::string ClockChangeText(const LocalTimeZone& zone, const LocalDateTime& local,
                            std::string_view zoneName);

// The zone in force at a moment (Julian Day, UT) in a named zone, for moments found by
// calculation (returns, progressions, "Now").
InstantZone ZoneAtMoment(Session& session, std::string_view zoneName, double jd,
                         std::optional<double> eastLongitude);

// A database record's birth data into a section (see ApplyBirthData), its birth place looked
// up: the place's coordinates fill the coordinate fields and, when the record gives no zone, the
// zone comes from the place ("zone from place" on). A place that is not found leaves the
// coordinates alone and says so in `note`. False, and nothing changes, without a birth date.
bool TransferBirthData(Session& session, const BirthData& birth, EntrySection& section,
                       std::string& note);

}  // namespace quintaro
