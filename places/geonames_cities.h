// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "places/geo_place.h"

namespace quintaro {

// Every city of Debian's libgeonames (the cities of the GeoNames gazetteer with 15 000 people and
// more), with names in English whatever the user's language.
std::vector<GeoPlace> LoadGeonamesCities();

// What the cities were read from: the library file in use with its size and time, and the
// number of cities. A cache made from the same source is still good.
std::string GeonamesSource();

}  // namespace quintaro
