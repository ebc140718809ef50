// SPDX-License-Identifier: AGPL-3.0-or-later
// The angles of a chart: moment, sidereal time, obliquity, RAMC, midheaven, ascendant, vertex.
#include <algorithm>
#include <cmath>

#include "core/calendar.h"
#include "core/houses.h"
#include "core/obliquity.h"
#include "core/sidereal.h"
#include "core/sphere_geometry.h"

namespace quintaro {

namespace {

double FiniteOrZero(double x) {
    return std::isfinite(x) ? x : 0.0;
}

double ChartLatitude(const ChartData& data) {
    double decimal = std::min(FiniteOrZero(data.latitude.angle.decimal()), 90.0);
    return data.latitude.side == NorthSouth::South ? -decimal : decimal;
}

// The latitude used for the vertex: on the equator the prime vertical lies in the equator, so
// the vertex is taken just north of it.
constexpr double kEquatorVertexLatitude = 0.00001 * kRadToDeg;

}  // namespace

double AscendantFromRamc(double ramc, double latitude, double obliquity) {
    LocalFrame place = MakeLocalFrame(ramc, latitude);
    return EclipticCrossing(MakeEclipticFrame(obliquity), place.zenith, place.east);
}

Angles AnglesFromRamc(double ramc, double latitude, double obliquity) {
    EclipticFrame ecliptic = MakeEclipticFrame(obliquity);
    LocalFrame place = MakeLocalFrame(ramc, latitude);
    Angles angles;
    // The midheaven lies on the meridian (pole: the east point), on the side of RA = RAMC.
    angles.Midheaven = EclipticCrossing(ecliptic, place.east, EquatorPoint(ramc));
    angles.Ascendant = EclipticCrossing(ecliptic, place.zenith, place.east);
    // The vertex lies on the prime vertical (pole: the north point), west of the meridian.
    LocalFrame vertexPlace = latitude == 0.0 ? MakeLocalFrame(ramc, kEquatorVertexLatitude) : place;
    angles.Vertex = EclipticCrossing(ecliptic, vertexPlace.north, -1.0 * vertexPlace.east);
    return angles;
}

std::string SiderealTimeText(double ramc) {
    // Whole seconds; the small allowance keeps 14:59:59.9999999 from reading one second short.
    long seconds = static_cast<long>(std::floor(Norm360(ramc) / 15.0 * 3600.0 + 1e-6)) % 86400;
    std::string text = "00H  00M  00S ";
    auto put = [&text](std::size_t at, long value) {
        text[at] = static_cast<char>('0' + value / 10);
        text[at + 1] = static_cast<char>('0' + value % 10);
    };
    put(0, seconds / 3600);
    put(5, seconds / 60 % 60);
    put(10, seconds % 60);
    return text;
}

void ComputeAngles(const ChartData& data, ChartHouses& houses) {
    ChartMoment moment =
        MomentToJD(data.year, data.month, data.day, FiniteOrZero(data.time.clock.hhmm()),
                   data.time.meridiem, FiniteOrZero(data.zone));
    houses.ChartJD = moment.ChartJD;
    houses.DayFraction = moment.DayFraction;

    // Julian centuries from 1900 January 0.5 to the moment; Greenwich sidereal time in hours.
    double t = (moment.JD0 - 2415020.0 + moment.DayFraction - 0.5) / 36525.0;
    double gst = (23925.836 + 8640184.54 * t + 0.0929 * t * t) / 3600.0;
    double turns = (moment.DayFraction * 24.0 + gst) / 24.0;
    double sidereal = (turns - std::floor(turns)) * 24.0 * 15.0;
    double longitude = FiniteOrZero(data.longitude.westDegrees());
    houses.RAMC = Norm360(sidereal - longitude);
    houses.Obliquity = 23.4522944 - 0.0130125 * t - 0.000001639 * t * t + 0.000000503 * t * t * t;
    houses.Latitude = ChartLatitude(data);

    Angles angles = AnglesFromRamc(houses.RAMC, houses.Latitude, houses.Obliquity);
    houses.Midheaven = angles.Midheaven;
    houses.Ascendant = angles.Ascendant;
    houses.Vertex = angles.Vertex;
    houses.SiderealTimeText = SiderealTimeText(houses.RAMC);

    SiderealOffsets offsets = ComputeSiderealOffsets(houses.ChartJD);
    houses.SiderealOffsetA = offsets.a;
    houses.SiderealOffsetB = offsets.b;
}

double PartOfFortune(double ascendant, double moonLongitude, double sunLongitude) {
    return Norm360(ascendant + moonLongitude - sunLongitude);
}

void ComputePartOfFortune(ChartHouses& houses, double moonLongitude, double sunLongitude) {
    houses.PartOfFortune = PartOfFortune(houses.Ascendant, moonLongitude, sunLongitude);
}

double EclipticDeclination(double longitude, double obliquity) {
    double s = std::clamp(SinD(obliquity) * SinD(longitude), -1.0, 1.0);
    return std::asin(s) * kRadToDeg;
}

// Declinations are taken with the true obliquity of the chart's moment, as the planets' are
// (core/obliquity.h); the chart's Obliquity is the mean one that the angles use.
void ComputePointDeclinations(ChartHouses& houses) {
    const double obliquity = TrueObliquity(houses.ChartJD).radians * kRadToDeg;
    houses.AscendantDecl = EclipticDeclination(houses.Ascendant, obliquity);
    houses.MidheavenDecl = EclipticDeclination(houses.Midheaven, obliquity);
    houses.PartOfFortuneDecl = EclipticDeclination(houses.PartOfFortune, obliquity);
    houses.VertexDecl = EclipticDeclination(houses.Vertex, obliquity);
}

}  // namespace quintaro
