// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "app/session.h"
#include "setup/entry_model.h"

namespace quintaro::cli {

// "HH:MM" on the 24-hour clock: hours 0..23 and minutes 0..59.
std::optional<std::pair<int, int>> ParseClock24(const std::string& text, std::string& error);

// What a chart's place options on the command line asked for: --natal-place TEXT (a place of the
// atlas or of the user's places) and --natal-tz NAME (a zone named directly), with which of the
// fields they could fill the user gave anyway.
struct ChartPlaceRequest {
    std::string place;
    std::string tz;
    bool longitudeGiven = false;
    bool latitudeGiven = false;
    bool zoneGiven = false;  // a zone as a number of hours
};

// Fills a section whose date, time and given fields are already set: the coordinates the user
// did not give come from the place (whose name then fills the Place field), and the zone, unless
// given as a number, from the zone named or the place's zone at the section's local time ("zone
// from place" on). A section that took its zone from a place (a transit section copied from the
// natal one) has that zone looked up again for its own time. Fails, with the reason, for an
// unknown place or zone, a date outside the zone data, or a local time the clocks skipped or
// showed twice: no zone is guessed.
bool ApplyChartPlace(Session& session, const ChartPlaceRequest& request, EntrySection& section,
                     std::string& error);

}  // namespace quintaro::cli
