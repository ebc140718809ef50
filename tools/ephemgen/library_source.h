// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>

namespace quintaro::ephemgen {

// The reference library, as the production tool uses it. Its state is per thread: every thread
// that calls it first calls UseLibraryData.
void UseLibraryData(const std::string& folder);

// Ecliptic coordinates of date (degrees) with daily speeds.
struct LibraryPoint {
    double longitude = 0;
    double latitude = 0;
    double longitudeSpeed = 0;
    double latitudeSpeed = 0;
};

enum class LibraryFrame {
    Geocentric,    // default flags: apparent geocentric ecliptic of date
    Heliocentric,  // the heliocentric flag
    Equatorial,    // apparent geocentric, right ascension and declination (true obliquity)
};

// One body at a moment (UT). Throws std::runtime_error when the library fails or falls back
// to a less precise theory than its data files.
LibraryPoint LibraryCompute(double jdUT, int libraryBody, LibraryFrame frame, bool speeds);

// Rotates ecliptic coordinates (degrees) into equatorial ones with the given obliquity (radians)
// using the library's own rotation; speeds are rotated along.
LibraryPoint LibraryEclipticToEquatorial(const LibraryPoint& ecliptic, double obliquityRadians);

}  // namespace quintaro::ephemgen
