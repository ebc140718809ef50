// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "core/ephemeris.h"
#include "tools/ephemgen/body_plan.h"

namespace quintaro::ephemgen {

// Quantities compared between our reader and the reference library.
enum Quantity : int {
    GeoLongitude,
    GeoLatitude,
    GeoLongitudeSpeed,
    GeoLatitudeSpeed,
    Declination,  // against the library's own declination (true obliquity)
    DeclinationSpeed,
    HelioLongitude,
    HelioLatitude,
    HelioLongitudeSpeed,
    HelioLatitudeSpeed,
    QuantityCount
};

const char* QuantityName(int quantity);
bool IsSpeed(int quantity);
// Goals: positions within 0.5", speeds within 0.001°/day.
constexpr double PositionGoalArcsec = 0.5;
constexpr double SpeedGoalDegPerDay = 0.001;

struct WorstError {
    double error = 0;  // arcseconds for positions, degrees per day for speeds
    double jd = 0;
    long compared = 0;
};

using BodyErrors = std::array<WorstError, QuantityCount>;

// Compares every quantity of one body at one moment, as the positions read it (single
// precision), and keeps the worst errors.
void CompareBody(const Ephemeris& ephemeris, EphemerisCursor& cursor, const BodyPlan& plan,
                 double jd, BodyErrors& errors);

// A body of the day tables: one library body, or the midpoint of two (second >= 0).
struct TableBody {
    std::string name;
    int first = 0;
    int second = -1;
};
std::vector<TableBody> TableBodies();

struct VerifyOptions {
    std::filesystem::path folder;
    long samples = 100000;
    unsigned seed = 1750;
    int threads = 2;
    std::string libraryData;
};

// Random moments in 1750..2050 against the library, for the planetary files and the day tables
// (through the positions, as the workstation reads them); prints the table; true when every goal
// holds.
bool RunVerify(const VerifyOptions& options);

struct StepsOptions {
    std::vector<double> steps;        // candidate steps in days
    std::vector<std::string> bodies;  // empty: all
    long samples = 20000;
    int threads = 2;
    std::string libraryData;
};

// Measures the worst errors of every body and frame at each candidate step.
void RunSteps(const StepsOptions& options);

}  // namespace quintaro::ephemgen
