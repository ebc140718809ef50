// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/bodies.h"
#include "core/chart_data.h"
#include "core/messages.h"
#include "core/selection_flags.h"

namespace quintaro {

// Cusps by index 1..13: index 1 is the cusp of the 10th house, 2 the 11th, 3 the 12th, 4 the 1st
// (ascendant side), ..., 12 the 9th. Index 13 repeats index 1 so that a loop over the houses can
// read "the next cusp" without wrapping; index 0 is unused.
using HouseCuspArray = std::array<double, 14>;

// The 4-character house label of cusp index k is the 4 characters starting at 4k - 3 (1-based);
// index 13 is four blanks.
constexpr std::string_view HouseLabels4 = "10TH11TH12TH 1ST 2ND 3RD 4TH 5TH 6TH 7TH 8TH 9TH    ";
std::string_view HouseLabel4(int index);

enum class HouseSystem {
    VelmAstro,
    Placidus,
    Koch,
    Campanus,
    Porphyry,
    EqualAscendant,
    EqualMC,
    Meridian,
    Morinus,
    Arabic,
    Natural,
    Solar,
    Regiomontanus,
};

constexpr std::array<std::string_view, 13> HouseSystemNames = {
    "Velm Astro", "Placidus", "Koch",   "Campanus", "Porphyry", "Equal Ascendant", "Equal MC",
    "Meridian",   "Morinus",  "Arabic", "Natural",  "Solar",    "Regiomontanus"};
constexpr std::string_view DefaultHouseSystemName = "Placidus";

std::string_view HouseSystemName(HouseSystem system);
// The system of an exact name ("Equal MC"), or nothing.
std::optional<HouseSystem> FindHouseSystem(std::string_view name);

// What "Arabic" and "Solar" take from the natal chart, whichever chart is being computed.
struct NatalReference {
    double ascendant = 0;  // natal ascendant, degrees
    double sun = 0;        // natal geocentric longitude of the Sun, degrees
};

// Midheaven, ascendant and vertex of one moment and place, ecliptic longitudes in [0, 360).
struct Angles {
    double Midheaven = 0;
    double Ascendant = 0;
    double Vertex = 0;
};

// The angles for a right ascension of the midheaven, a geographic latitude (north positive) and
// an obliquity, all in degrees. At latitude 0 the vertex is taken at 0.00001 radian.
Angles AnglesFromRamc(double ramc, double latitude, double obliquity);

// Ecliptic longitude of the point rising on the eastern horizon for this RAMC and latitude.
double AscendantFromRamc(double ramc, double latitude, double obliquity);

// Local sidereal time of a RAMC as "hhH  mmM  ssS " (whole seconds, two digits each).
std::string SiderealTimeText(double ramc);

// Everything one chart (natal or transit) carries about its houses and angles.
struct ChartHouses {
    double ChartJD = 0;
    double DayFraction = 0;
    double RAMC = 0;
    double Obliquity = 0;
    double Latitude = 0;  // decimal degrees, south negative
    double Ascendant = 0;
    double Midheaven = 0;
    double Vertex = 0;
    double PartOfFortune = 0;
    double AscendantDecl = 0;
    double MidheavenDecl = 0;
    double PartOfFortuneDecl = 0;
    double VertexDecl = 0;
    std::string SiderealTimeText;
    HouseCuspArray HouseCusps{};
    // House number 1..12 of every placed body, by slot; 0 where none.
    PerSlot<int> HouseOfSlot{};
    double SiderealOffsetA = 0;
    double SiderealOffsetB = 0;
    // The semi-arc system could not be solved at this place and moment: the cusps are Porphyry's.
    bool PolarFallback = false;
};

// Moment, sidereal time, obliquity, RAMC, angles and sidereal offsets of a chart's entry data.
// Leaves the cusps, placements, part of fortune and declinations as they were.
void ComputeAngles(const ChartData& data, ChartHouses& houses);

// Ascendant + Moon - Sun, reduced into [0, 360).
double PartOfFortune(double ascendant, double moonLongitude, double sunLongitude);
void ComputePartOfFortune(ChartHouses& houses, double moonLongitude, double sunLongitude);

// Declinations of the ascendant, midheaven, part of fortune and vertex (ecliptic latitude 0), with
// the true obliquity at ChartJD.
double EclipticDeclination(double longitude, double obliquity);
void ComputePointDeclinations(ChartHouses& houses);

struct HouseCuspResult {
    HouseCuspArray cusps{};
    bool polarFallback = false;  // Placidus or Koch had no solution: Porphyry cusps instead
};

// The cusps of a system from RAMC, latitude and obliquity (degrees) alone; the angles are
// computed here too. Every cusp is in [0, 360) and finite at every latitude -90..90.
HouseCuspResult CuspsFromRamc(HouseSystem system, double ramc, double latitude, double obliquity,
                              const NatalReference& natal = {});

// Tells the user that `system` had no solution at `latitude` and Porphyry cusps are shown.
void ReportPolarFallback(HouseSystem system, double latitude, Messages& messages);

// Runs ComputeAngles and fills HouseCusps. When a semi-arc system has no solution it shows
// Porphyry cusps and says so through `messages`, once until the chart leaves that condition.
void ComputeHouseCusps(const ChartData& data, HouseSystem system, const NatalReference& natal,
                       ChartHouses& houses, Messages& messages);

// Cusp index 1..12 of the house that holds a longitude, 0 when none does. A body exactly on a
// cusp belongs to the house that begins there (it is moved on by 1/36000 degree).
int HouseIndexOf(const HouseCuspArray& cusps, double longitude);

// The house number (1 for the house of the ascendant side's cusp index 4, ..., 10 for index 1) of
// a cusp index 1..12; 0 for any other index.
int HouseNumberOfCusp(int index);
// "10TH", " 1ST", ...: the 4-character label of a house number 1..12; four blanks otherwise.
std::string_view HouseNumberLabel4(int house);

// Places every slot whose natal or transit flag is set in its house: HouseOfSlot becomes the
// house number, 0 for the others.
void PlaceBodiesInHouses(const PerSlot<double>& longitudes, const SelectionFlags& selection,
                         ChartHouses& houses);

}  // namespace quintaro
