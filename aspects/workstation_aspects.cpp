// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/workstation_aspects.h"

namespace quintaro {

AspectInputs AspectInputsOf(Workstation& ws) {
    AspectInputs in;
    in.chart = ws.record;
    in.selection = ws.flags();
    const EntryOptions& options = ws.entry.options;
    in.orbs = {options.orbGeoLong, options.orbGeoDecl, options.orbHelioLong, options.orbHelioLat};
    in.numAspects = ws.capacities.numAspects;
    in.natalJD = ws.natal.houses.ChartJD;
    in.transitJD = ws.transit.houses.ChartJD;
    in.natalZone = ws.natal.data.zone;
    in.transitZone = ws.transit.data.zone;
    in.natalHarmonic = ws.harmonicNatal;
    in.transitHarmonic = ws.harmonicTransit;
    in.positionAt = ws.positions.AsFunction();
    in.solarArc = ws.solarArc.on;
    in.exactOn = options.exact;
    in.dateStyle = ws.dateStyle;
    in.timeOrbFilter.days = ws.settings.timeOrbFilterDays;
    in.timeOrbFilter.hours = ws.settings.timeOrbFilterHours;
    in.timeOrbFilter.minutes = ws.settings.timeOrbFilterMinutes;
    return in;
}

}  // namespace quintaro
