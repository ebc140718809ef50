// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "app/session.h"
#include "places/geo_place.h"
#include "setup/entry_fields.h"

namespace quintaro {

// The entry window's place operations on the session: completion of the Place field, the place
// chosen, the zone following the fields, the steps.

// The places that complete what is typed in a Place field, best first.
std::vector<GeoPlace> PlaceCompletions(Session& session, const std::string& typed, size_t limit);

// A place chosen for a section: coordinates and the zone of the section's time.
void ChooseEntryPlace(Session& session, Section section, const GeoPlace& place);

// A field of a section was edited: the zone typed by hand turns "zone from place" off; a date,
// time or longitude change makes the zone follow.
void EntryFieldEdited(Session& session, Section section, EntryField field);
// AM/PM or East/West changed: the zone follows.
void EntryChoiceChanged(Session& session, Section section);

// The "zone from place" check box of a section.
void SetEntryZoneFromPlace(Session& session, Section section, bool on);

// "+"/"-": the step, with the zone following the moment (see FollowZoneAfterStep).
void StepEntryChart(Session& session, int direction);

}  // namespace quintaro
