// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/calendar.h"
#include "core/chart_positions.h"

namespace quintaro {

// What an aspectarian run is asked for. The window and the command line each fill one of these;
// the engine reads nothing else but the positions function.

enum class AspectarianPairing { TransitTransit, TransitNatal };
enum class AspectarianPasses { Geocentric, Heliocentric, Both };

// Aspects by their index 1..17 in the aspectarian key table (AspectarianKeys): 1..15 are angles in
// longitude, 16 "par" and 17 "c.p" the declination (latitude) aspects. Index 0 is unused.
using AspectarianAspects = std::array<bool, 18>;

constexpr int FirstKey = 1;
constexpr int LastLongitudeKey = 15;
constexpr int KeyParallel = 16;
constexpr int KeyContraParallel = 17;
constexpr int LastKey = 17;

// Angle in degrees of a longitude key 1..15: the number the key spells, except "032", which is
// 360/11, and "051", which is 360/7.
double AspectarianAngle(int key);

enum class AspectarianPreset { Major, Clashes, PureLinkages, ClearAll };

// The aspects a preset button ticks (after clearing every box).
AspectarianAspects PresetAspects(AspectarianPreset preset);

struct AspectarianEventKinds {
    bool longitudeAspects = false;  // "Longitude Aspects"
    bool secondAspects = false;     // "Decl./Latitude Aspects"
    bool signChanges = false;       // "Change of sign"
    bool directionChanges = false;  // "Change of direction"
    bool sideChanges = false;       // "Change N to S or S to N"
};

struct AspectarianInput {
    CivilDate from, to;              // exchanged when `to` lies before `from`
    std::vector<int> transitBodies;  // slots, in the order the lines should pair them
    std::vector<int> natalBodies;    // used by transit-to-natal runs only
    AspectarianPairing pairing = AspectarianPairing::TransitTransit;
    AspectarianAspects aspects{};
    AspectarianEventKinds events;
    AspectarianPasses passes = AspectarianPasses::Both;
    // Hours, west of Greenwich positive. Days run from local midnight in this zone and every
    // stamp is local time in it.
    double zone = 0;
    // The natal chart's values in the four coordinate kinds; transit-to-natal runs hold them fixed.
    ChartKinds natal;
};

// A message box's title and text.
struct AspectarianMessage {
    std::string title;
    std::string text;
};

// The checks of "Generate Aspectarian", in order; the first that fails gives its message.
std::optional<AspectarianMessage> ValidateAspectarian(const AspectarianInput& input);

// Whether a date is a real calendar date in years 1..9999.
bool IsValidDate(const CivilDate& date);

// The range with its ends in order.
struct DateRange {
    CivilDate from, to;
};
DateRange OrderedRange(const CivilDate& a, const CivilDate& b);

// Whole days from `from` to `to`.
long DaysBetween(const CivilDate& from, const CivilDate& to);

// The date `days` days after `date`.
CivilDate DaysAfter(const CivilDate& date, long days);

// UT Julian Day of local midnight at the start of a date, in a zone (hours, west positive).
double LocalMidnightJD(const CivilDate& date, double zone);

}  // namespace quintaro
