// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>

#include "app/session.h"
#include "predictive/derived_transit.h"
#include "predictive/predictive_form.h"
#include "predictive/return_search.h"
#include "predictive/solar_arc.h"

namespace quintaro {

// The predictive windows' commands. Each reads the window's fields, derives a chart and writes it
// into the entry model's transit section; the caller then recomputes (and the displays follow).
// A non-numeric natal hour (the entry window's warning) or a moment outside the ephemeris (the
// positions' message) is reported and gives nothing: the entry model stays as it was.

// Progressions: the progressed moment of the target date, named " - progressed", with its clock
// in the window's zone (the zone goes along, so that the transit moment is the progressed one).
std::optional<DerivedTransit> ProgressIntoTransit(Session& session, const PredictiveForm& form);

struct DirectedChart {
    DerivedTransit transit;
    double progressedJD = 0;
    SolarArcs arcs;
};
// Solar arc: measures the arcs at the progressed moment, sets them as the solar-arc mode's arcs
// and writes the name (" - solar arc prog.") and the target date into the transit section.
std::optional<DirectedChart> DirectIntoTransit(Session& session, const PredictiveForm& form);

// Returns: the solar return of the year that holds the target date, or the last lunar return in
// the 31 days before it, named " - solar return" / " - lunar return", with the window's zone and
// coordinates.
std::optional<DerivedTransit> ReturnIntoTransit(Session& session, const PredictiveForm& form,
                                                ReturnBody body);

// The modes of the solar-arc and sidereal windows, on while the window is open. Turning the
// solar-arc mode off forgets the arcs. The caller recomputes.
void SetSolarArcMode(Workstation& workstation, bool on);
void SetSiderealMode(Workstation& workstation, bool on, int type);

// The solar-arc window opens: the mode goes on with the arcs of the window's first fields where
// they can be measured (quietly; else no arcs), so that a computation before the window's own
// "Recalc" does not put the natal chart itself into the transit chart.
void OpenSolarArcMode(Session& session, const PredictiveForm& form);

}  // namespace quintaro
