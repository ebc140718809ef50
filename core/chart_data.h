// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>

namespace quintaro {

// What one section of the entry window says, in the entry units: the natal or the transit chart.
struct ChartData {
    int year = 2000;
    int month = 1;
    int day = 1;
    float time = 12.0f;            // hh.mm on the 12-hour clock
    std::string meridiem = "A.M.";  // "A.M." or "P.M."
    double zone = 0.0;             // hours, positive west of Greenwich
    float longitude = 0.0f;        // degrees + minutes / 100, positive West, negative East
    std::string longitudeWord = "West";
    float latitude = 0.0f;  // degrees + minutes / 100, positive North, negative South
    std::string latitudeWord = "North";
    std::string dateText;  // the date fields joined by "/" in the date style's order
};

// The home location of the options file (entries 18..24). A direction of 0 means West
// (longitude) or North (latitude); anything else East or South.
struct HomeLocation {
    float zone = 0.0f;
    float longitudeDegrees = 0.0f;
    float longitudeMinutes = 0.0f;
    float longitudeDirection = 0.0f;
    float latitudeDegrees = 0.0f;
    float latitudeMinutes = 0.0f;
    float latitudeDirection = 0.0f;
};

}  // namespace quintaro
