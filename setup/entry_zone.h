// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>

#include "places/geo_place.h"
#include "places/zone_database.h"
#include "setup/entry_model.h"

namespace quintaro {

// The zone of a section from its place: a place chosen from the atlas fills the coordinates and
// names the zone; with "zone from place" on, the zone field follows the date, the time and the
// longitude. A time the clocks skipped or showed twice, an unknown zone or a date outside the
// zone data leave the zone field empty and the section unresolved: no chart is computed from a
// guessed zone until the user types one.

// The local date and time the fields give (24-hour clock); nothing when they make no date.
std::optional<LocalDateTime> SectionLocalTime(const EntrySection& section);
// The longitude the fields give, in degrees, east positive.
double SectionEastLongitude(const EntrySection& section);

// A chosen place: its label into the Place field, its coordinates into the coordinate fields
// (whole minutes), its zone named with "zone from place" on, and the zone for the section's
// date and time.
void ChoosePlace(EntrySection& section, const GeoPlace& place, const ZoneDatabase& zones);

// With "zone from place" on: the zone field, note and unresolved mark for the section's date,
// time and longitude. Nothing happens when it is off.
void UpdateZoneFromPlace(EntrySection& section, const ZoneDatabase& zones);

// The check box: on (when a zone is named) looks the zone up at once; off keeps the number.
void SetZoneFromPlace(EntrySection& section, bool on, const ZoneDatabase& zones);

// The zone field typed by hand: "zone from place" goes off and the typed number is the zone.
void ZoneTypedByHand(EntrySection& section);

// After a "+"/"-" step of the section (the step text tells whether it moved the calendar or
// the moment): with "zone from place" on, a step of days or hours keeps the moment and shows it
// in the zone in force then, so that a step over a clock change moves the clock by the change
// too; a step of years or months keeps the clock time and looks its zone up.
void FollowZoneAfterStep(EntryModel& model, Section stepped, const ZoneDatabase& zones);

}  // namespace quintaro
