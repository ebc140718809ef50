// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/calendar.h"
#include "setup/entry_model.h"

namespace quintaro {

// What the transit name of a derived chart gets after the window's name.
inline constexpr std::string_view ProgressedSuffix = " - progressed";
inline constexpr std::string_view SolarArcSuffix = " - solar arc prog.";
inline constexpr std::string_view SolarReturnSuffix = " - solar return";
inline constexpr std::string_view LunarReturnSuffix = " - lunar return";

// A derived chart as the entry window's transit section receives it.
struct DerivedTransit {
    std::string name;
    double jd = 0;      // the derived moment, UT (solar arc: the target day at 0h)
    EntryMoment local;  // its date, and its clock in `zone`
    // Hour, minute, AM/PM and the zone they are read in are written (not for the solar arc, whose
    // transit keeps its clock).
    bool withClock = false;
    std::string zone;
    // The coordinates are written too (returns).
    bool withPlace = false;
    std::string longDeg, longMin, latDeg, latMin;
    bool east = false, south = false;
};

// A moment of a derived chart with its clock in the zone of the window's natal fields; with
// `withPlace` the window's coordinates go along.
DerivedTransit MomentTransit(std::string name, double jd, const EntrySection& window,
                             bool withPlace);
// A date only (the solar arc).
DerivedTransit DateTransit(std::string name, const CivilDate& date, double jd);

// Writes the derived chart into a transit section; fields it does not carry keep their texts.
void WriteTransit(const DerivedTransit& derived, EntrySection& transit);

}  // namespace quintaro
