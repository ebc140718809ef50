// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/wheel_input_builder.h"

namespace quintaro {

namespace {

// A geocentric body stands in the display sector of its house (the lens shows houses as its
// sectors); heliocentric bodies have no houses and the wheel finds their sector from the
// longitude and the sector table.
WheelChart ChartOf(const ChartKinds& kinds, const ChartHouses& houses, bool helio) {
    WheelChart chart;
    chart.longitude = helio ? kinds.HelioLong : kinds.GeoLong;
    chart.second = helio ? kinds.HelioLat : kinds.GeoDecl;
    chart.direction = helio ? kinds.HelioDirection : kinds.GeoDirection;
    chart.retro = helio ? kinds.HelioRetro : kinds.GeoRetro;
    if (!helio) chart.sector = houses.HouseOfSlot;
    return chart;
}

// Wheel bodies number natal b as b and transit b as N + b.
void AddAspects(const AspectList& list, Pairing pairing, AspectLineKind kind,
                std::vector<WheelAspect>& out) {
    const int first = pairing == Pairing::NatalNatal ? 0 : BodyCount;
    const int second = pairing == Pairing::TransitTransit ? BodyCount : 0;
    for (const AspectEntry& entry : list.entries) {
        if (entry.body1 == 0) break;
        out.push_back({entry.body1 + first, entry.body2 + second, entry.code, entry.orb,
                       entry.orb >= 0, kind});
    }
}

// The selection less the bodies whose position could not be computed in the wheel's frame.
SelectionFlags DrawnBodies(const Workstation& ws, bool helio) {
    SelectionFlags drawn = ws.flags();
    for (int slot = 1; slot <= BodyCount; ++slot) {
        if (ws.record.Natal.missing(helio, slot)) drawn.setNatal(slot, false);
        if (ws.record.Transit.missing(helio, slot)) drawn.setTransit(slot, false);
    }
    return drawn;
}

}  // namespace

WheelInput BuildWheelInput(const Session& session, const WheelView& view,
                           const WheelTarget& target) {
    const Workstation& ws = session.workstation;
    const DisplayChoices& display = session.display;
    WheelInput input;
    input.coordinates =
        view.heliocentric ? WheelCoordinates::Heliocentric : WheelCoordinates::Geocentric;
    input.withTransit = view.withTransit;
    input.natal = ChartOf(ws.record.Natal, ws.natal.houses, view.heliocentric);
    input.transit = ChartOf(ws.record.Transit, ws.transit.houses, view.heliocentric);
    input.selection = DrawnBodies(ws, view.heliocentric);
    input.catalogue = ws.catalogue;
    input.boundaries = ws.sectors;
    input.lens = ws.lens;

    const Pairing pairing = view.withTransit ? Pairing::TransitNatal : Pairing::NatalNatal;
    const CoordinateKind longKind =
        view.heliocentric ? CoordinateKind::HelioLongitude : CoordinateKind::GeoLongitude;
    const CoordinateKind secondKind =
        view.heliocentric ? CoordinateKind::HelioLatitude : CoordinateKind::GeoDeclination;
    AddAspects(session.lists.at(pairing, longKind), pairing, AspectLineKind::Longitude,
               input.aspects);
    AddAspects(session.lists.at(pairing, secondKind), pairing, AspectLineKind::DeclinationLatitude,
               input.aspects);

    WheelOptions& options = input.options;
    options.filter = display.aspectClass;
    options.geometricPatternLines = display.geometricPatternLines;
    options.longitudeLines = display.longitudeLines;
    options.declinationLatitudeLines = display.declinationLines;
    options.variableLines = display.variableLines;
    options.displayAllAsSolid = display.allSolid;
    options.whiteBackground = display.whiteBackground;
    options.applyingOnly = static_cast<ApplyingOnlyMode>(display.applyingOnlyMode);

    WheelTitle& title = input.title;
    title.natalName = ws.entry.natal.name;
    title.natalDate = ws.natal.data.dateText;
    title.transitName = ws.entry.transit.name;
    title.transitDate = ws.transit.data.dateText;
    title.natalHarmonic = ws.harmonicNatal;
    title.transitHarmonic = ws.harmonicTransit;
    title.bisect = ws.natalBisect;
    title.sidereal = ws.positions.sidereal.on;
    title.notice = ws.printout.notice;
    input.target = target;
    return input;
}

}  // namespace quintaro
