// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/progress.h"

namespace quintaro::ephemgen {

// One value per day at 0h UT from 1750-01-01 (DayTableFirstJD) for DayTableDays days.
struct DaySeries {
    std::vector<double> geoLongitude, geoDeclination, helioLongitude, helioLatitude;
};

// A body of the reference library, day by day: geocentric longitude and declination (true
// obliquity) as the library gives them, heliocentric longitude and latitude. Bodies without a
// geocentric (Earth) or heliocentric (Sun, Moon, node) position get zeros there. Empty when
// cancelled.
std::optional<DaySeries> BodyDaySeries(int libraryBody, const Progress& progress);

// The midpoint of two longitudes: m = (a + b) / 2, turned to the other side when it lies more
// than 90° from both, kept in [0, 360).
double MidpointLongitude(double a, double b);

// Midpoint ephemeris of two bodies: longitudes by the midpoint rule, declinations and latitudes
// as plain means.
DaySeries MidpointSeries(const DaySeries& a, const DaySeries& b);

// The four day-table files of a name and variant ("1900" or "1750"): "l", "d", "h", "lat".
std::vector<std::string> DayTableFileNames(const std::string& name);

// Writes the eight files of a body. Empty on success, else why.
std::string WriteDayTables(const std::filesystem::path& folder, const std::string& name,
                           const DaySeries& series);

// Text of one table: `count` numbers from day `first`, one per line, five decimals; angles are
// kept in [0, 360).
std::string DayTableText(const std::vector<double>& values, int first, int count, bool angular);

}  // namespace quintaro::ephemgen
