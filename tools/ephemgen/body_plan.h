// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace quintaro::ephemgen {

// What the planetary files hold for one body: the base sampling step of its geocentric
// components 0/1 and of its heliocentric components 4/5 (days; 0 when the frame is not written)
// and the file that carries it. Longitude and latitude of a frame come from one library call and
// share the step; stretches where the base step is not fine enough are sampled finer (see
// planet_files.h).
struct BodyPlan {
    int code;               // body code of the files (EphemerisCodeNames)
    std::string_view name;  // lower-case name on the command line
    int libraryBody;        // body number of the reference library
    double geoStep;
    double helioStep;
    int file;  // 0 → "ephem000.dat", ...
};

std::span<const BodyPlan> PlanetaryPlan();
const BodyPlan* FindPlan(std::string_view name);

// The reference library's number of a body name accepted by the midpoint command (the bodies of
// the planetary files and "pholus").
std::optional<int> LibraryBodyOf(std::string_view name);

// Moments the planetary files cover: from 1749-09-01 0h UT to at least 2050-05-01 0h UT, a few
// months beyond the required 1749-12-01 .. 2050-02-01 on both sides, so that the seven-sample
// window is centred everywhere inside the required span.
constexpr double CoverageFirstJD = 2360112.5;
constexpr double CoverageLastJD = 2469927.5;

// Day tables: day 0 is 1750-01-01 0h UT; "1750" files hold days 0..54785, "1900" files
// days 54786..109573.
constexpr double DayTableFirstJD = 2360234.5;
constexpr int DayTableDays = 109574;
constexpr int Start1900 = 54786;
constexpr int Count1900 = 54788;

}  // namespace quintaro::ephemgen
