// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quintaro {

// The main city of each zone, as the zone database lists it ("zone1970.tab"): the place whose
// clocks the zone's data follow.
struct ZoneCity {
    std::string zoneName;
    double latitude = 0;   // degrees, north positive
    double longitude = 0;  // degrees, east positive
};

// The lines of a zone table: country codes, coordinates in the ISO 6709 form (+4043-07400 or
// +404251-0740023), zone name, comment. Lines that do not read are skipped.
std::vector<ZoneCity> ParseZoneTable(std::string_view text);
// The system's table; empty when it cannot be read.
std::vector<ZoneCity> ReadZoneCities();

}  // namespace quintaro
