// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/entry_places.h"

#include "setup/entry_stepping.h"
#include "setup/entry_zone.h"

namespace quintaro {

std::vector<GeoPlace> PlaceCompletions(Session& session, const std::string& typed, size_t limit) {
    std::vector<GeoPlace> places;
    for (const GeoPlace* place :
         session.places.atlas(session.workstation.messages).search(typed, limit))
        places.push_back(*place);
    return places;
}

void ChooseEntryPlace(Session& session, Section section, const GeoPlace& place) {
    ChoosePlace(session.workstation.entry.section(section), place, session.places.zones());
}

void EntryFieldEdited(Session& session, Section section, EntryField field) {
    EntrySection& s = session.workstation.entry.section(section);
    switch (field) {
        case EntryField::Zone:
            ZoneTypedByHand(s);
            return;
        case EntryField::Month:
        case EntryField::Day:
        case EntryField::Year:
        case EntryField::Hour:
        case EntryField::Minute:
        case EntryField::LongDeg:
        case EntryField::LongMin:
            UpdateZoneFromPlace(s, session.places.zones());
            return;
        default:
            return;
    }
}

void EntryChoiceChanged(Session& session, Section section) {
    UpdateZoneFromPlace(session.workstation.entry.section(section), session.places.zones());
}

void SetEntryZoneFromPlace(Session& session, Section section, bool on) {
    SetZoneFromPlace(session.workstation.entry.section(section), on, session.places.zones());
}

void StepEntryChart(Session& session, int direction) {
    EntryModel& entry = session.workstation.entry;
    const Section stepped = StepChart(entry, direction);
    FollowZoneAfterStep(entry, stepped, session.places.zones());
}

}  // namespace quintaro
