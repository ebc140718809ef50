// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/chart_computation.h"

#include <cmath>

#include "core/degrees.h"
#include "core/midpoints.h"
#include "setup/entry_checks.h"

namespace quintaro {

namespace {

ChartSide SideOf(const Workstation& ws, const ChartState& chart) {
    return &chart == &ws.natal ? ChartSide::Natal : ChartSide::Transit;
}

// Slots 18..20 of a geocentric run come from the houses: ascendant, midheaven and the part of
// fortune or the vertex, with their declinations. The part of fortune is missing when the Sun or
// the Moon is.
void PutAnglesIntoSlots(const Workstation& ws, const ChartState& chart, WorkingPositions& work) {
    const ChartHouses& houses = chart.houses;
    const bool vertex = ws.catalogue.VertexOn;
    work.WorkLong[SlotAscendant] = houses.Ascendant;
    work.WorkLong[SlotMidheaven] = houses.Midheaven;
    work.WorkLong[SlotPartOfFortune] = vertex ? houses.Vertex : houses.PartOfFortune;
    work.WorkSecond[SlotAscendant] = houses.AscendantDecl;
    work.WorkSecond[SlotMidheaven] = houses.MidheavenDecl;
    work.WorkSecond[SlotPartOfFortune] = vertex ? houses.VertexDecl : houses.PartOfFortuneDecl;
    work.Missing[SlotAscendant] = work.Missing[SlotMidheaven] = false;
    work.Missing[SlotPartOfFortune] = !vertex && !chart.partOfFortuneKnown;
    if (work.Missing[SlotPartOfFortune])
        work.WorkLong[SlotPartOfFortune] = work.WorkSecond[SlotPartOfFortune] = 0;
}

void CopyIntoRecord(const WorkingPositions& work, const SelectionFlags& flags, ChartSide side,
                    int harmonic, PerSlot<double>& longitudes, PerSlot<double>& seconds,
                    PerSlot<bool>& missing) {
    for (int slot = 1; slot <= BodyCount; ++slot) {
        if (!flags.of(side, slot)) continue;
        missing[slot] = work.Missing[slot];
        longitudes[slot] = missing[slot] ? 0.0 : HarmonicLongitude(work.WorkLong[slot], harmonic);
        seconds[slot] = missing[slot] ? 0.0 : work.WorkSecond[slot];
    }
}

// Houses, positions, part of fortune and placements of one chart in one frame. False when the
// moment lies outside the ephemeris.
bool ComputeChartFrame(Workstation& ws, ChartState& chart, Frame frame) {
    const ChartSide side = SideOf(ws, chart);
    const bool geo = frame == Frame::Geocentric;
    ChartHouses& houses = chart.houses;
    ComputeAngles(chart.data, houses);
    WorkingPositions& work = ws.work;
    work.RetroMarks.clear();
    work.DirectionMarks.clear();
    houses.HouseOfSlot.fill(0);
    ws.positions.PositionsValid = true;
    bool valid = geo ? ws.positions.ComputeGeoPositions(houses.ChartJD, 0, work)
                     : ws.positions.ComputeHelioPositions(houses.ChartJD, 0, work);
    if (!valid) return false;
    // "Arabic" and "Solar" start from the natal ascendant and the natal Sun.
    if (side == ChartSide::Natal && geo) ws.natalSunLongitude = work.WorkLong[SlotSun];
    NatalReference natalReference{ws.natal.houses.Ascendant, ws.natalSunLongitude};
    ComputeHouseCusps(chart.data, ws.houseSystem, natalReference, houses, ws.messages);
    // The part of fortune takes the geocentric Sun and Moon; the heliocentric run has neither.
    if (geo) {
        chart.partOfFortuneKnown = !work.Missing[SlotSun] && !work.Missing[SlotMoon];
        ComputePartOfFortune(houses, work.WorkLong[SlotMoon], work.WorkLong[SlotSun]);
    }
    ComputePointDeclinations(houses);
    PlaceBodiesInHouses(work.WorkLong, WithoutMissing(ws.flags(), work.Missing), houses);
    if (geo) PutAnglesIntoSlots(ws, chart, work);

    ChartKinds& kinds = side == ChartSide::Natal ? ws.record.Natal : ws.record.Transit;
    int harmonic = side == ChartSide::Natal ? ws.harmonicNatal : ws.harmonicTransit;
    if (geo) {
        CopyIntoRecord(work, ws.flags(), side, harmonic, kinds.GeoLong, kinds.GeoDecl,
                       kinds.GeoMissing);
        kinds.GeoRetro = work.RetroMarks;
        kinds.GeoDirection = work.DirectionMarks;
    } else {
        CopyIntoRecord(work, ws.flags(), side, harmonic, kinds.HelioLong, kinds.HelioLat,
                       kinds.HelioMissing);
        kinds.HelioRetro = work.RetroMarks;
        kinds.HelioDirection = work.DirectionMarks;
    }
    return true;
}

// A chart whose moment could not be computed: no value of a previous run stays on show.
void MarkChartUncomputed(ChartState& chart, ChartKinds& kinds) {
    kinds = ChartKinds{};
    kinds.GeoMissing.fill(true);
    kinds.HelioMissing.fill(true);
    chart.houses.HouseOfSlot.fill(0);
    chart.midpoints.clear();
    chart.computed = false;
    chart.partOfFortuneKnown = false;
}

void ApplySolarArc(Workstation& ws, Frame frame) {
    if (!ws.solarArc.on) return;
    const bool geo = frame == Frame::Geocentric;
    const ChartKinds& natal = ws.record.Natal;
    ChartKinds& transit = ws.record.Transit;
    const PerSlot<double>& from = geo ? natal.GeoLong : natal.HelioLong;
    PerSlot<double>& to = geo ? transit.GeoLong : transit.HelioLong;
    const PerSlot<bool>& fromMissing = geo ? natal.GeoMissing : natal.HelioMissing;
    PerSlot<bool>& toMissing = geo ? transit.GeoMissing : transit.HelioMissing;
    double arc = geo ? ws.solarArc.geoArc : ws.solarArc.helioArc;
    for (int slot = 1; slot <= BodyCount; ++slot) {
        if (!ws.flags().transit(slot)) continue;
        toMissing[slot] = fromMissing[slot];
        to[slot] = fromMissing[slot] ? 0.0 : Norm360(from[slot] + arc);
    }
}

}  // namespace

std::vector<int> UnavailableBodies(const Workstation& ws, ChartSide side) {
    const ChartKinds& kinds = side == ChartSide::Natal ? ws.record.Natal : ws.record.Transit;
    std::vector<int> slots;
    for (int slot = 1; slot <= BodyCount; ++slot)
        if (ws.flags().of(side, slot) && (kinds.GeoMissing[slot] || kinds.HelioMissing[slot]))
            slots.push_back(slot);
    return slots;
}

SelectionFlags WithoutMissing(SelectionFlags flags, const PerSlot<bool>& missing) {
    for (int slot = 1; slot <= BodyCount; ++slot)
        if (missing[slot]) flags.setBoth(slot, false);
    return flags;
}

std::array<double, 13> SectorTable() {
    std::array<double, 13> sectors{};
    for (int k = 1; k <= 12; ++k) sectors[k] = Norm360((k - 1) * 30.0 + 90.0);
    return sectors;
}

double HarmonicLongitude(double longitude, int harmonic) {
    return Norm360(longitude * harmonic);
}

std::vector<Midpoint> ComputeMidpoints(const PerSlot<double>& longitudes,
                                       const SelectionFlags& flags, ChartSide side) {
    std::vector<Midpoint> midpoints;
    for (int i = 1; i <= BodyCount; ++i) {
        if (!flags.of(side, i)) continue;
        for (int j = i + 1; j <= BodyCount; ++j)
            if (flags.of(side, j))
                midpoints.push_back({i, j, LongitudeMidpoint(longitudes[i], longitudes[j])});
    }
    return midpoints;
}

void ReadChartEntry(Workstation& ws) {
    ws.harmonicNatal = NatalHarmonic(ws.entry.options);
    ws.harmonicTransit = TransitHarmonic(ws.entry.options);
    ws.lens = Lens(ws.entry.options);
    ws.natal.name = ws.entry.natal.name;
    ws.transit.name = ws.entry.transit.name;
    const int styleCode = ws.dateStyle.code();
    ws.natal.data = ReadNatalSection(ws.entry, styleCode);
    ws.transit.data = ReadTransitSection(ws.entry, styleCode);
    ws.sectors = SectorTable();
}

bool ComputeChartPositions(Workstation& ws) {
    ws.natal.computed = ws.transit.computed = false;
    if (!ComputeChartFrame(ws, ws.natal, Frame::Geocentric) ||
        !ComputeChartFrame(ws, ws.natal, Frame::Heliocentric)) {
        MarkChartUncomputed(ws.natal, ws.record.Natal);
        MarkChartUncomputed(ws.transit, ws.record.Transit);
        ws.work = WorkingPositions{};
        return false;
    }
    ws.natal.computed = true;
    // A transit moment outside the ephemeris has been reported once; its chart reads missing
    // and the natal chart goes on.
    if (!ComputeChartFrame(ws, ws.transit, Frame::Geocentric) ||
        !ComputeChartFrame(ws, ws.transit, Frame::Heliocentric)) {
        MarkChartUncomputed(ws.transit, ws.record.Transit);
        return true;
    }
    ws.transit.computed = true;
    ApplySolarArc(ws, Frame::Geocentric);
    ApplySolarArc(ws, Frame::Heliocentric);
    return true;
}

void PlaceBodiesOfBothCharts(Workstation& ws) {
    PlaceBodiesInHouses(ws.record.Natal.GeoLong,
                        WithoutMissing(ws.flags(), ws.record.Natal.GeoMissing), ws.natal.houses);
    PlaceBodiesInHouses(ws.record.Transit.GeoLong,
                        WithoutMissing(ws.flags(), ws.record.Transit.GeoMissing),
                        ws.transit.houses);
}

void ComputeChartMidpoints(Workstation& ws) {
    ws.natal.midpoints =
        ComputeMidpoints(ws.record.Natal.GeoLong,
                         WithoutMissing(ws.flags(), ws.record.Natal.GeoMissing), ChartSide::Natal);
    ws.transit.midpoints = ComputeMidpoints(
        ws.record.Transit.GeoLong, WithoutMissing(ws.flags(), ws.record.Transit.GeoMissing),
        ChartSide::Transit);
}

void BuildEntryGrid(Workstation& ws) {
    ws.grid = BuildPositionsGrid(ws.record, ws.catalogue, ws.flags(),
                                 {ws.entry.options.degrees, ws.natalBisect});
}

void FillDisplayedPositions(Workstation& ws) {
    FillDisplayedSet(ws.record, ws.flags(), ws.entry.options.helio, false, ws.work);
}

}  // namespace quintaro
