// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/home_zone.h"

#include <cmath>

#include "places/search_text.h"
#include "places/user_places_file.h"
#include "places/zone_cities.h"

namespace quintaro {

namespace {

constexpr double kEarthRadiusKm = 6371.0;
constexpr double kFarthestKm = 1500.0;
constexpr double kRadians = 3.14159265358979323846 / 180.0;

double DistanceKm(double lat1, double long1, double lat2, double long2) {
    const double dLat = (lat2 - lat1) * kRadians, dLong = (long2 - long1) * kRadians;
    const double h = std::sin(dLat / 2) * std::sin(dLat / 2) +
                     std::cos(lat1 * kRadians) * std::cos(lat2 * kRadians) * std::sin(dLong / 2) *
                         std::sin(dLong / 2);
    return 2 * kEarthRadiusKm * std::asin(std::sqrt(std::min(1.0, h)));
}

// Whether a zone shows `zone` (hours west) in January or July of the year of `utSeconds`.
bool ShowsZone(const ZoneDatabase& zones, const std::string& name, double zone,
               std::int64_t utSeconds) {
    const std::int64_t year = 365 * 86400LL + 21600;  // a mean year
    const std::int64_t start = utSeconds - (utSeconds % year + year) % year;
    for (std::int64_t at : {start + 15 * 86400, start + 196 * 86400}) {
        const InstantZone reading = zones.atInstant(name, at);
        if (reading.ok() && std::fabs(reading.reading.zoneHours() - zone) < 1e-6) return true;
    }
    return false;
}

}  // namespace

std::optional<HomeZone> FindHomeZone(Session& session, std::int64_t utSeconds) {
    const ZoneDatabase& zones = session.places.zones();
    for (const GeoPlace& place : ReadUserPlaces(session.places.ownPlacesFile(), zones).places)
        if (FoldForSearch(place.name) == "home")
            return HomeZone{place.zoneName, "your place \"Home\""};
    const HomeLocation& home = session.workstation.homeLocation;
    const double latitude = home.latitude.northDegrees();
    const double longitude = -home.longitude.westDegrees();
    std::optional<HomeZone> best;
    double bestKm = kFarthestKm;
    for (const ZoneCity& city : ReadZoneCities()) {
        const double km = DistanceKm(latitude, longitude, city.latitude, city.longitude);
        if (km <= bestKm && ShowsZone(zones, city.zoneName, home.zone, utSeconds)) {
            best = HomeZone{city.zoneName, "the zone of the nearest main city"};
            bestKm = km;
        }
    }
    return best;
}

std::optional<HomeZoneReading> HomeZoneAt(Session& session, std::int64_t utSeconds) {
    std::optional<HomeZone> zone = FindHomeZone(session, utSeconds);
    if (!zone) return std::nullopt;
    const InstantZone reading = session.places.zones().atInstant(
        zone->zoneName, utSeconds, -session.workstation.homeLocation.longitude.westDegrees());
    if (!reading.ok()) return std::nullopt;
    return HomeZoneReading{*zone, reading.reading};
}

}  // namespace quintaro
