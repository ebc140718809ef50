// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <cmath>
#include <string>

#include "core/calendar.h"

namespace quintaro {

enum class EastWest { West, East };
enum class NorthSouth { North, South };

inline const char* EastWestWord(EastWest side) {
    return side == EastWest::East ? "East" : "West";
}
inline const char* NorthSouthWord(NorthSouth side) {
    return side == NorthSouth::South ? "South" : "North";
}

// A clock reading or an angle as the entry fields give it: whole units (hours or degrees) and
// minutes, each the number its field holds (the fields allow a fraction, which is kept).
struct UnitsAndMinutes {
    double units = 0;
    double minutes = 0;

    // The traditional single-number form, units + minutes / 100 (10:30 is 10.30).
    double hhmm() const { return units + minutes / 100.0; }
    // Decimal units (10:30 is 10.5), read from the hhmm form as the charts always have.
    double decimal() const { return ClockToHours(hhmm()); }
    bool isZero() const { return hhmm() == 0.0; }
};

// Whole units and minutes of a non-negative reading in the hh.mm form (87.38 gives 87 and 38).
inline UnitsAndMinutes SplitHhmm(double hhmm) {
    const double units = std::floor(hhmm);
    return {units, std::round((hhmm - units) * 100.0)};
}

// Clock time on the 12-hour clock with its half of the day.
struct ClockTime {
    UnitsAndMinutes clock{12, 0};
    Meridiem meridiem = Meridiem::AM;
};

// Geographic longitude: degrees and minutes with the side of Greenwich.
struct Longitude {
    UnitsAndMinutes angle;
    EastWest side = EastWest::West;
    // Decimal degrees, positive West.
    double westDegrees() const {
        const double d = angle.decimal();
        return side == EastWest::East ? -d : d;
    }
};

// Geographic latitude: degrees and minutes with the side of the equator.
struct Latitude {
    UnitsAndMinutes angle;
    NorthSouth side = NorthSouth::North;
    // Decimal degrees, positive North.
    double northDegrees() const {
        const double d = angle.decimal();
        return side == NorthSouth::South ? -d : d;
    }
};

// What one section of the entry window says: the natal or the transit chart.
struct ChartData {
    int year = 2000;
    int month = 1;
    int day = 1;
    ClockTime time;
    double zone = 0.0;  // hours to add to the clock time to get UT; positive west of Greenwich
    Longitude longitude;
    Latitude latitude;
    std::string dateText;  // the date fields as typed, joined by "/" in the date style's order
};

// The home location that "Now" uses: a zone and a place.
struct HomeLocation {
    double zone = 0;
    Longitude longitude;
    Latitude latitude;
};

}  // namespace quintaro
