// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>

namespace quintaro {

// A place of the atlas or of the user's own list. Coordinates as geographic data give them:
// decimal degrees, north and east positive (the entry fields turn longitude west-positive).
struct GeoPlace {
    std::string name;         // "New York"
    std::string region;       // state, province or county; may be empty or repeat the name
    std::string country;      // "United States of America"; empty for a user's place
    std::string countryCode;  // ISO 3166 two letters, "US"
    double latitude = 0;
    double longitude = 0;
    std::string zoneName;  // "America/New_York"
    long population = 0;
    bool own = false;  // from the user's places file
};

// "New York, New York, United States of America": the name with the region (when it says more
// than the name) and the country.
std::string PlaceLabel(const GeoPlace& place);

}  // namespace quintaro
