// SPDX-License-Identifier: AGPL-3.0-or-later
#include "cli/place_options.h"

#include <cmath>
#include <regex>

#include "app/place_resolution.h"
#include "places/zone_text.h"
#include "setup/entry_zone.h"

namespace quintaro::cli {

namespace {

void SetCoordinate(double value, std::string& degrees, std::string& minutes, bool& otherSide) {
    otherSide = value < 0;
    double whole = std::floor(std::fabs(value));
    double minute = std::round((std::fabs(value) - whole) * 60);
    if (minute >= 60) {
        whole += 1;
        minute = 0;
    }
    degrees = std::to_string(static_cast<int>(whole));
    minutes = std::to_string(static_cast<int>(minute));
}

double NorthDegrees(const EntrySection& s) {
    const double degrees = LeadingNumber(s.latDeg) + LeadingNumber(s.latMin) / 60.0;
    return s.south ? -degrees : degrees;
}

}  // namespace

std::optional<std::pair<int, int>> ParseClock24(const std::string& text, std::string& error) {
    static const std::regex pattern(R"(^(\d{1,2}):(\d{2})$)");
    std::smatch m;
    if (!std::regex_match(text, m, pattern) || std::stoi(m[1]) > 23 || std::stoi(m[2]) > 59) {
        error = "time '" + text + "' is not of the form HH:MM on the 24-hour clock";
        return std::nullopt;
    }
    return std::make_pair(std::stoi(m[1]), std::stoi(m[2]));
}

bool ApplyChartPlace(Session& session, const ChartPlaceRequest& o, EntrySection& s,
                     std::string& error) {
    const bool needCoordinates = !o.place.empty() && (!o.longitudeGiven || !o.latitudeGiven);
    const bool needZone =
        !o.zoneGiven && (!o.place.empty() || !o.tz.empty() || s.zoneSource.fromPlace);
    if (o.zoneGiven) s.zoneSource = {};
    if (!needCoordinates && !needZone) return true;  // the place is a name only
    const std::optional<LocalDateTime> local = SectionLocalTime(s);
    if (!local) {
        error = "the date and time do not make a local time to find the zone for";
        return false;
    }
    PlaceRequest request;
    request.place = o.place;
    request.zoneName = o.tz.empty() && o.place.empty() ? s.zoneSource.name : o.tz;
    if (o.place.empty() || o.latitudeGiven) request.latitude = NorthDegrees(s);
    if (o.place.empty() || o.longitudeGiven) request.longitude = SectionEastLongitude(s);
    request.local = *local;
    request.zoneWanted = needZone;
    const PlaceResolution r = ResolvePlaceAndZone(session, request);
    if (!r.ok()) {
        error = r.error + (r.zone.readings.size() > 1 ? "; give the zone as a number" : "");
        return false;
    }
    if (r.place) s.place = PlaceLabel(*r.place);
    if (needCoordinates) {
        if (!o.latitudeGiven) SetCoordinate(*r.latitude, s.latDeg, s.latMin, s.south);
        if (!o.longitudeGiven) SetCoordinate(-*r.longitude, s.longDeg, s.longMin, s.east);
    }
    if (needZone) {
        // The zone for the coordinates now in the fields (local mean time follows them).
        const LocalTimeZone zone =
            session.places.zones().atLocalTime(r.zoneName, *local, SectionEastLongitude(s));
        if (!zone.ok() || zone.kind != LocalTimeKind::Unique) {
            error = zone.ok() ? ClockChangeText(zone, *local, r.zoneName) : zone.error;
            return false;
        }
        s.zone = ZoneFieldText(zone.readings.front().utcOffsetSeconds);
        s.zoneSource = {r.zoneName, true, ReadingText(zone.readings.front()), false};
    }
    return true;
}

}  // namespace quintaro::cli
