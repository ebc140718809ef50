// SPDX-License-Identifier: AGPL-3.0-or-later
#include "predictive/derived_transit.h"

#include <cmath>
#include <utility>

#include "core/formatting.h"

namespace quintaro {

DerivedTransit MomentTransit(std::string name, double jd, const EntrySection& window,
                             bool withPlace) {
    DerivedTransit derived;
    derived.name = std::move(name);
    derived.jd = jd;
    derived.local = JDToEntryFields(jd, LeadingNumber(window.zone));
    derived.withClock = true;
    derived.zone = window.zone;
    derived.withPlace = withPlace;
    if (withPlace) {
        derived.longDeg = window.longDeg;
        derived.longMin = window.longMin;
        derived.latDeg = window.latDeg;
        derived.latMin = window.latMin;
        derived.east = window.east;
        derived.south = window.south;
    }
    return derived;
}

DerivedTransit DateTransit(std::string name, const CivilDate& date, double jd) {
    DerivedTransit derived;
    derived.name = std::move(name);
    derived.jd = jd;
    derived.local.date = date;
    return derived;
}

void WriteTransit(const DerivedTransit& derived, EntrySection& transit) {
    transit.name = derived.name;
    transit.year = std::to_string(derived.local.date.year);
    transit.month = std::to_string(derived.local.date.month);
    transit.day = std::to_string(derived.local.date.day);
    if (derived.withClock) {
        const long clockMinutes = std::lround(derived.local.clock * 100.0);
        transit.hour = std::to_string(clockMinutes / 100);
        transit.minute = std::to_string(clockMinutes % 100);
        transit.pm = derived.local.meridiem == Meridiem::PM;
        transit.zone = derived.zone;
    }
    if (derived.withPlace) {
        transit.longDeg = derived.longDeg;
        transit.longMin = derived.longMin;
        transit.east = derived.east;
        transit.latDeg = derived.latDeg;
        transit.latMin = derived.latMin;
        transit.south = derived.south;
    }
}

}  // namespace quintaro
