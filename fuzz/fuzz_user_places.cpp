// SPDX-License-Identifier: AGPL-3.0-or-later
// The user's places file: any bytes read give places within range with known zones and problems
// that name their lines; each place written again reads back to the same place; the text, folded
// as a search, finds nothing it should not.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "places/atlas.h"
#include "places/user_places_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const quintaro::ZoneDatabase zones;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const quintaro::UserPlacesFile file = quintaro::ParseUserPlaces(text, zones);
    for (const std::string& problem : file.problems)
        if (problem.rfind("line ", 0) != 0) std::abort();
    for (const quintaro::GeoPlace& place : file.places) {
        if (place.name.empty() || !(std::fabs(place.latitude) <= 90) ||
            !(std::fabs(place.longitude) <= 180) || !zones.canonicalName(place.zoneName))
            std::abort();
        const quintaro::UserPlacesFile again =
            quintaro::ParseUserPlaces(quintaro::UserPlaceLine(place), zones);
        if (again.places.size() != 1 || !again.problems.empty()) std::abort();
        const quintaro::GeoPlace& back = again.places[0];
        // Written with minutes to two decimals.
        if (back.zoneName != place.zoneName || std::fabs(back.latitude - place.latitude) > 1e-4 ||
            std::fabs(back.longitude - place.longitude) > 1e-4)
            std::abort();
    }
    const quintaro::Atlas atlas(std::vector<quintaro::GeoPlace>{}, file.places);
    for (const quintaro::GeoPlace* found : atlas.search(text, 5))
        if (!found->own) std::abort();
    atlas.closest(text.substr(0, 64), 3);
    return 0;
}
