// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/pipeline.h"

#include <cmath>

#include "core/degrees.h"
#include "core/ephemeris.h"
#include "core/midpoints.h"
#include "setup/entry_checks.h"

namespace quintaro {

namespace {

enum class Which { Natal, Transit };

std::string_view ChartFlags(const Workstation& ws, Which which) {
    std::string_view flags = ws.flags();
    return which == Which::Natal ? flags.substr(0, BodyCount) : flags.substr(BodyCount);
}

bool Selected(std::string_view chartFlags, int slot) {
    return static_cast<size_t>(slot) <= chartFlags.size() && chartFlags[slot - 1] == '1';
}

void CallHook(const std::function<void(Workstation&)>& hook, Workstation& ws) {
    if (hook) hook(ws);
}

// Slots 18..20 of a geocentric run come from the houses: ascendant, midheaven and the part of
// fortune or the vertex, with their declinations.
void PutAnglesIntoSlots(const Workstation& ws, const ChartHouses& houses, WorkingPositions& work) {
    bool vertex = ws.catalogue.VertexOn;
    work.WorkLong[SlotAscendant] = houses.Ascendant;
    work.WorkLong[SlotMidheaven] = houses.Midheaven;
    work.WorkLong[SlotPartOfFortune] = vertex ? houses.Vertex : houses.PartOfFortune;
    work.WorkSecond[SlotAscendant] = houses.AscendantDecl;
    work.WorkSecond[SlotMidheaven] = houses.MidheavenDecl;
    work.WorkSecond[SlotPartOfFortune] = vertex ? houses.VertexDecl : houses.PartOfFortuneDecl;
}

void CopyIntoRecord(const WorkingPositions& work, std::string_view chartFlags, int harmonic,
                    PerSlot<double>& longitudes, PerSlot<double>& seconds) {
    for (int slot = 1; slot <= BodyCount; ++slot) {
        if (!Selected(chartFlags, slot)) continue;
        double longitude = work.WorkLong[slot];
        // "No value" stays recognisable for the displays instead of turning into an angle.
        longitudes[slot] =
            longitude == NoValue ? longitude : HarmonicLongitude(longitude, harmonic);
        seconds[slot] = work.WorkSecond[slot];
    }
}

// Houses, positions, part of fortune and placements of one chart in one frame. False when the
// moment lies outside the ephemeris.
bool ComputeChartFrame(Workstation& ws, Which which, Frame frame) {
    ChartState& chart = which == Which::Natal ? ws.natal : ws.transit;
    ChartHouses& houses = chart.houses;
    ComputeAngles(chart.data, houses);
    WorkingPositions& work = ws.work;
    work.RetroMarks.clear();
    work.DirectionMarks.clear();
    houses.HousePlacement.assign(10 * BodyCount, ' ');
    ws.positions.PositionsValid = true;
    bool valid = frame == Frame::Geocentric
                     ? ws.positions.ComputeGeoPositions(houses.ChartJD, 0, work)
                     : ws.positions.ComputeHelioPositions(houses.ChartJD, 0, work);
    if (!valid) return false;
    // "Arabic" and "Solar" start from the natal ascendant and the natal Sun.
    if (which == Which::Natal && frame == Frame::Geocentric)
        ws.natalSunLongitude = work.WorkLong[SlotSun];
    NatalReference natalReference{ws.natal.houses.Ascendant, ws.natalSunLongitude};
    ComputeHouseCusps(chart.data, ws.houseSystem, natalReference, houses, ws.messages);
    ComputePartOfFortune(houses, work.WorkLong[SlotMoon], work.WorkLong[SlotSun]);
    ComputePointDeclinations(houses);
    PlaceBodiesInHouses(work.WorkLong, ws.flags(), houses);
    if (frame == Frame::Geocentric) PutAnglesIntoSlots(ws, houses, work);

    ChartKinds& kinds = which == Which::Natal ? ws.record.Natal : ws.record.Transit;
    int harmonic = which == Which::Natal ? ws.harmonicNatal : ws.harmonicTransit;
    if (frame == Frame::Geocentric) {
        CopyIntoRecord(work, ChartFlags(ws, which), harmonic, kinds.GeoLong, kinds.GeoDecl);
        kinds.GeoRetro = work.RetroMarks;
        kinds.GeoDirection = work.DirectionMarks;
    } else {
        CopyIntoRecord(work, ChartFlags(ws, which), harmonic, kinds.HelioLong, kinds.HelioLat);
        kinds.HelioRetro = work.RetroMarks;
        kinds.HelioDirection = work.DirectionMarks;
    }
    return true;
}

void ApplySolarArc(Workstation& ws, Frame frame) {
    if (!ws.solarArc.on) return;
    std::string_view transitFlags = ChartFlags(ws, Which::Transit);
    bool geo = frame == Frame::Geocentric;
    const PerSlot<double>& natal = geo ? ws.record.Natal.GeoLong : ws.record.Natal.HelioLong;
    PerSlot<double>& transit = geo ? ws.record.Transit.GeoLong : ws.record.Transit.HelioLong;
    double arc = geo ? ws.solarArc.geoArc : ws.solarArc.helioArc;
    for (int slot = 1; slot <= BodyCount; ++slot)
        if (Selected(transitFlags, slot)) transit[slot] = Norm360(natal[slot] + arc);
}

}  // namespace

std::array<double, 13> SectorTable() {
    std::array<double, 13> sectors{};
    for (int k = 1; k <= 12; ++k) sectors[k] = Norm360((k - 1) * 30.0 + 90.0);
    return sectors;
}

double HarmonicLongitude(double longitude, int harmonic) {
    return Norm360(longitude * harmonic);
}

std::vector<Midpoint> ComputeMidpoints(const PerSlot<double>& longitudes,
                                       std::string_view chartFlags) {
    std::vector<Midpoint> midpoints;
    for (int i = 1; i <= BodyCount; ++i) {
        if (!Selected(chartFlags, i)) continue;
        for (int j = i + 1; j <= BodyCount; ++j)
            if (Selected(chartFlags, j))
                midpoints.push_back({i, j, LongitudeMidpoint(longitudes[i], longitudes[j])});
    }
    return midpoints;
}

void ComputeCharts(Workstation& ws) {
    ws.chartsComputed = false;
    ws.harmonicNatal = NatalHarmonic(ws.entry.options);
    ws.harmonicTransit = TransitHarmonic(ws.entry.options);
    ws.lens = Lens(ws.entry.options);
    CallHook(ws.hooks.clearAspects, ws);

    ws.natal.name = ws.entry.natal.name;
    ws.transit.name = ws.entry.transit.name;
    int styleCode = ws.dateStyle.code();
    ws.natal.data = ReadNatalSection(ws.entry, styleCode);
    ws.transit.data = ReadTransitSection(ws.entry, styleCode);
    ws.sectors = SectorTable();

    if (!ComputeChartFrame(ws, Which::Natal, Frame::Geocentric)) return;
    if (!ComputeChartFrame(ws, Which::Natal, Frame::Heliocentric)) return;
    // A transit moment outside the ephemeris has been reported; the rest goes on.
    ComputeChartFrame(ws, Which::Transit, Frame::Geocentric);
    ApplySolarArc(ws, Frame::Geocentric);
    ComputeChartFrame(ws, Which::Transit, Frame::Heliocentric);
    ApplySolarArc(ws, Frame::Heliocentric);

    // Final placements: each chart from its own geocentric longitudes.
    PlaceBodiesInHouses(ws.record.Natal.GeoLong, ws.flags(), ws.natal.houses);
    PlaceBodiesInHouses(ws.record.Transit.GeoLong, ws.flags(), ws.transit.houses);
    ws.natal.midpoints = ComputeMidpoints(ws.record.Natal.GeoLong, ChartFlags(ws, Which::Natal));
    ws.transit.midpoints =
        ComputeMidpoints(ws.record.Transit.GeoLong, ChartFlags(ws, Which::Transit));

    CallHook(ws.hooks.findAspects, ws);
    ws.grid = BuildPositionsGrid(ws.record, ws.catalogue, ws.flags(),
                                 {ws.entry.options.degrees, ws.natalBisect});
    if (ws.entry.options.exact) CallHook(ws.hooks.findExactTimes, ws);
    FillDisplayedSet(ws.record, ws.flags(), ws.entry.options.helio, false, ws.work);
    ws.chartsComputed = true;
    CallHook(ws.hooks.refreshDisplays, ws);
}

}  // namespace quintaro
