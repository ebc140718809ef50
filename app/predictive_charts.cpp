// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/predictive_charts.h"

#include <initializer_list>
#include <string>

#include "core/bodies.h"
#include "predictive/progressed_moment.h"

namespace quintaro {

namespace {

// The positions show their range message for a moment outside the ephemeris, as they do for a
// chart; a moment inside it whose body still has no position gets a message of its own.
void ReportNoPosition(Workstation& ws, double jd, int slot) {
    if (!ws.positions.InRange(jd)) {
        WorkingPositions scratch;
        ws.positions.ComputeGeoPositions(jd, slot, scratch);
        return;
    }
    ws.messages.show("Warning!",
                     "The ephemeris gives no position of body " + std::to_string(slot) +
                         " at Julian Day " + std::to_string(jd) + ".",
                     MessageIcon::Exclamation);
}

// True when every moment lies inside the ephemeris; else the first one outside is reported.
bool InsideEphemeris(Workstation& ws, std::initializer_list<double> moments) {
    for (double jd : moments) {
        if (!ws.positions.InRange(jd)) {
            ReportNoPosition(ws, jd, SlotSun);
            return false;
        }
    }
    return true;
}

std::string DerivedName(const PredictiveForm& form, std::string_view suffix) {
    return form.natal.name + std::string(suffix);
}

}  // namespace

std::optional<DerivedTransit> ProgressIntoTransit(Session& session, const PredictiveForm& form) {
    Workstation& ws = session.workstation;
    const auto moments = ReadForm(form, ws.messages);
    if (!moments) return std::nullopt;
    const double progressed = ProgressedMoment(moments->natalJD, moments->targetJD);
    if (!InsideEphemeris(ws, {moments->natalJD, moments->targetJD, progressed}))
        return std::nullopt;
    DerivedTransit derived =
        MomentTransit(DerivedName(form, ProgressedSuffix), progressed, form.natal, false);
    WriteTransit(derived, ws.entry.transit);
    return derived;
}

std::optional<DirectedChart> DirectIntoTransit(Session& session, const PredictiveForm& form) {
    Workstation& ws = session.workstation;
    const auto moments = ReadForm(form, ws.messages);
    if (!moments) return std::nullopt;
    const double progressed = ProgressedMoment(moments->natalJD, moments->targetJD);
    if (!InsideEphemeris(ws, {moments->natalJD, moments->targetJD, progressed}))
        return std::nullopt;
    const auto arcs = MeasureSolarArcs(ws.positions.AsFunction(), moments->natalJD, progressed);
    if (!arcs) {
        ReportNoPosition(ws, progressed, SlotSun);
        return std::nullopt;
    }
    DirectedChart chart{
        DateTransit(DerivedName(form, SolarArcSuffix), moments->target, moments->targetJD),
        progressed, *arcs};
    ws.solarArc.geoArc = arcs->geo;
    ws.solarArc.helioArc = arcs->helio;
    ws.natalBisect = false;  // the chart kind is natal and transit
    WriteTransit(chart.transit, ws.entry.transit);
    return chart;
}

std::optional<DerivedTransit> ReturnIntoTransit(Session& session, const PredictiveForm& form,
                                                ReturnBody body) {
    Workstation& ws = session.workstation;
    const auto moments = ReadForm(form, ws.messages);
    if (!moments) return std::nullopt;
    if (!InsideEphemeris(ws, {moments->natalJD, moments->targetJD})) return std::nullopt;
    const int slot = ReturnSlot(body);
    const PositionAtMoment positionAt = ws.positions.AsFunction();
    const BodyPoint natal = positionAt(moments->natalJD, slot, Frame::Geocentric);
    if (!natal.valid) {
        ReportNoPosition(ws, moments->natalJD, slot);
        return std::nullopt;
    }
    const SearchSpan span = ReturnSpan(body, moments->natalJD, moments->targetJD);
    const CrossingResult found = FindLongitudeCrossing(positionAt, slot, natal.longitude, span);
    switch (found.outcome) {
        case CrossingResult::Outcome::NoPosition:
            ReportNoPosition(ws, found.jd, slot);
            return std::nullopt;
        case CrossingResult::Outcome::NoCrossing:
            ws.messages.show("Warning!",
                             std::string(body == ReturnBody::Sun ? "The Sun" : "The Moon") +
                                 " does not come back to its natal longitude in the days "
                                 "searched; no return was found.",
                             MessageIcon::Exclamation);
            return std::nullopt;
        case CrossingResult::Outcome::Found:
            break;
    }
    const auto suffix = body == ReturnBody::Sun ? SolarReturnSuffix : LunarReturnSuffix;
    DerivedTransit derived = MomentTransit(DerivedName(form, suffix), found.jd, form.natal, true);
    WriteTransit(derived, ws.entry.transit);
    return derived;
}

void SetSolarArcMode(Workstation& ws, bool on) {
    ws.solarArc.on = on;
    if (!on) ws.solarArc.geoArc = ws.solarArc.helioArc = 0;
}

void SetSiderealMode(Workstation& ws, bool on, int type) {
    ws.positions.sidereal = {on, type};
}

void OpenSolarArcMode(Session& session, const PredictiveForm& form) {
    Workstation& ws = session.workstation;
    SetSolarArcMode(ws, false);
    ws.solarArc.on = true;
    SilentMessages quiet;
    const auto moments = ReadForm(form, quiet);
    if (!moments) return;
    const double progressed = ProgressedMoment(moments->natalJD, moments->targetJD);
    if (const auto arcs =
            MeasureSolarArcs(ws.positions.AsFunction(), moments->natalJD, progressed)) {
        ws.solarArc.geoArc = arcs->geo;
        ws.solarArc.helioArc = arcs->helio;
    }
}

}  // namespace quintaro
