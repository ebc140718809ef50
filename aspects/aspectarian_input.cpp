// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/aspectarian_input.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>

namespace quintaro {

namespace {

constexpr std::array<double, 16> kAngles = {0,  0,   30, 60,  90, 120, 150,        180,
                                            72, 144, 45, 135, 36, 40,  360.0 / 11, 360.0 / 7};

AspectarianAspects Ticked(std::initializer_list<int> keys) {
    AspectarianAspects aspects{};
    for (int key : keys) aspects[static_cast<size_t>(key)] = true;
    return aspects;
}

bool AnyKey(const AspectarianAspects& aspects, int first, int last) {
    for (int key = first; key <= last; ++key)
        if (aspects[static_cast<size_t>(key)]) return true;
    return false;
}

// Whether the ticked event kinds and aspects can produce any line at all.
bool LooksForSomething(const AspectarianInput& input) {
    const AspectarianEventKinds& e = input.events;
    return (e.longitudeAspects && AnyKey(input.aspects, FirstKey, LastLongitudeKey)) ||
           (e.secondAspects && AnyKey(input.aspects, KeyParallel, KeyContraParallel)) ||
           e.signChanges || e.directionChanges || e.sideChanges;
}

std::string DateText(const CivilDate& d) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

}  // namespace

double AspectarianAngle(int key) {
    return key >= FirstKey && key <= LastLongitudeKey ? kAngles[static_cast<size_t>(key)] : 0.0;
}

AspectarianAspects PresetAspects(AspectarianPreset preset) {
    switch (preset) {
        case AspectarianPreset::Major:  // 000 090 120 150 180 par c.p
            return Ticked({1, 4, 5, 6, 7, KeyParallel, KeyContraParallel});
        case AspectarianPreset::Clashes:  // 090 180
            return Ticked({4, 7});
        case AspectarianPreset::PureLinkages:  // 000 120 par
            return Ticked({1, 5, KeyParallel});
        case AspectarianPreset::ClearAll:
            break;
    }
    return {};
}

bool IsValidDate(const CivilDate& date) {
    return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 &&
           date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

DateRange OrderedRange(const CivilDate& a, const CivilDate& b) {
    if (DaysBetween(a, b) < 0) return {b, a};
    return {a, b};
}

long DaysBetween(const CivilDate& from, const CivilDate& to) {
    return std::lround(DayNumber(to.year, to.month, to.day) -
                       DayNumber(from.year, from.month, from.day));
}

CivilDate DaysAfter(const CivilDate& date, long days) {
    return JDToCalendar(DayNumber(date.year, date.month, date.day) + static_cast<double>(days));
}

double LocalMidnightJD(const CivilDate& date, double zone) {
    return DayNumber(date.year, date.month, date.day) - 0.5 + zone / 24.0;
}

std::optional<AspectarianMessage> ValidateAspectarian(const AspectarianInput& input) {
    const size_t transits = input.transitBodies.size();
    if (input.pairing == AspectarianPairing::TransitTransit) {
        if (transits < 2)
            return AspectarianMessage{
                "Transit planet(s) not selected",
                "You have not chosen two or more transit planets - please do so."};
    } else {
        if (transits == 0)
            return AspectarianMessage{
                "Transit planet(s) not selected",
                "You have not chosen one or more transit planets - please do so."};
        if (input.natalBodies.empty())
            return AspectarianMessage{"Natal planet not selected",
                                      "You have not chosen a natal planet - please do so."};
    }
    if (!IsValidDate(input.from))
        return AspectarianMessage{"Invalid date",
                                  "The start date " + DateText(input.from) +
                                      " is not a calendar date - please correct it."};
    if (!IsValidDate(input.to))
        return AspectarianMessage{
            "Invalid date",
            "The end date " + DateText(input.to) + " is not a calendar date - please correct it."};
    if (!(std::abs(input.zone) <= 15.0))
        return AspectarianMessage{"Invalid time zone",
                                  "The time zone must lie between -15 and 15 hours."};
    if (!LooksForSomething(input))
        return AspectarianMessage{
            "Nothing to look for",
            "You have not chosen an event kind, or no aspect for the aspect kinds you ticked - "
            "please do so."};
    return std::nullopt;
}

}  // namespace quintaro
