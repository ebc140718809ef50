// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/place_resolution.h"

#include <cmath>

#include "core/formatting.h"
#include "places/atlas.h"
#include "places/zone_text.h"
#include "setup/entry_zone.h"

namespace quintaro {

namespace {

constexpr double kUnixEpochJD = 2440587.5;

std::string LocalText(const LocalDateTime& t) {
    return FormatNumber(t.year, "0000") + "-" + FormatNumber(t.month, "00") + "-" +
           FormatNumber(t.day, "00") + " " + FormatNumber(t.hour, "00") + ":" +
           FormatNumber(t.minute, "00");
}

std::string Choice(const ZoneReading& r) {
    return r.abbreviation + " (zone " + ZoneFieldText(r.utcOffsetSeconds) + ")";
}

}  // namespace

std::string UnknownPlaceText(const Atlas& atlas, std::string_view typed) {
    std::string text = "no place \"" + std::string(typed) + "\" in the atlas or in your places";
    const auto closest = atlas.closest(typed, 5);
    if (closest.empty()) return text;
    text += "; the closest are: ";
    for (size_t k = 0; k < closest.size(); ++k) text += (k ? "; " : "") + PlaceLabel(*closest[k]);
    return text;
}

std::string ClockChangeText(const LocalTimeZone& zone, const LocalDateTime& local,
                            std::string_view zoneName) {
    if (!zone.ok() || zone.readings.size() < 2) return {};
    const std::string where =
        LocalText(local) + " " +
        (zone.kind == LocalTimeKind::Skipped ? "did not exist" : "happened twice") + " in " +
        std::string(zoneName);
    if (zone.kind == LocalTimeKind::Skipped)
        return where + ": the clocks went from " + Choice(zone.readings[0]) + " to " +
               Choice(zone.readings[1]);
    return where + ": first " + Choice(zone.readings[0]) + ", then " + Choice(zone.readings[1]);
}

PlaceResolution ResolvePlaceAndZone(Session& session, const PlaceRequest& request) {
    PlaceResolution result;
    result.latitude = request.latitude;
    result.longitude = request.longitude;
    result.zoneName = request.zoneName;
    PlacesState& places = session.places;
    const bool placeNeeded =
        !request.place.empty() && ((request.zoneWanted && request.zoneName.empty()) ||
                                   !request.latitude || !request.longitude);
    if (placeNeeded) {
        const Atlas& atlas = places.atlas(session.workstation.messages);
        const auto found = atlas.search(request.place, 1);
        if (found.empty()) {
            result.error = UnknownPlaceText(atlas, request.place);
            return result;
        }
        result.place = *found.front();
        if (!result.latitude) result.latitude = result.place->latitude;
        if (!result.longitude) result.longitude = result.place->longitude;
        if (result.zoneName.empty()) result.zoneName = result.place->zoneName;
    }
    if (!request.zoneWanted) return result;
    if (result.zoneName.empty()) {
        result.error = "no zone: give a place or a zone name";
        return result;
    }
    const ZoneDatabase& zones = places.zones();
    if (auto canonical = zones.canonicalName(result.zoneName)) result.zoneName = *canonical;
    result.zone = zones.atLocalTime(result.zoneName, request.local, result.longitude);
    if (!result.zone.ok())
        result.error = result.zone.error;
    else if (result.zone.kind != LocalTimeKind::Unique)
        result.error = ClockChangeText(result.zone, request.local, result.zoneName);
    return result;
}

InstantZone ZoneAtMoment(Session& session, std::string_view zoneName, double jd,
                         std::optional<double> eastLongitude) {
    const auto ut = static_cast<std::int64_t>(std::llround((jd - kUnixEpochJD) * 86400.0));
    return session.places.zones().atInstant(zoneName, ut, eastLongitude);
}

bool TransferBirthData(Session& session, const BirthData& birth, EntrySection& section,
                       std::string& note) {
    if (!ApplyBirthData(birth, section)) return false;
    section.zoneSource = {};
    note.clear();
    if (birth.place.empty()) return true;
    const Atlas& atlas = session.places.atlas(session.workstation.messages);
    const auto found = atlas.search(birth.place, 1);
    if (found.empty()) {
        note = UnknownPlaceText(atlas, birth.place) + "; the coordinates were left as they were";
        return true;
    }
    const std::string recordPlace = section.place;
    const std::string recordZone = section.zone;
    ChoosePlace(section, *found.front(), session.places.zones());
    section.place = recordPlace;
    if (birth.zone) {
        // The record's zone stands; the place's is there to follow when the box is ticked.
        section.zone = recordZone;
        section.zoneSource.fromPlace = false;
        section.zoneSource.unresolved = false;
        section.zoneSource.note.clear();
    }
    return true;
}

}  // namespace quintaro
