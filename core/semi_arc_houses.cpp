// SPDX-License-Identifier: AGPL-3.0-or-later
// Placidus and Koch: the systems built on the diurnal and nocturnal semi-arcs of ecliptic points.
#include <cmath>
#include <numbers>

#include "core/degrees.h"
#include "core/quadrant_houses.h"

namespace quintaro {

namespace {

constexpr double kPi = std::numbers::pi;

// Arcsin in its arctangent form, with the end points written out as the constant they had.
double ArcSinByArcTan(double x) {
    if (x >= 1.0) return 1.57079633;
    if (x <= -1.0) return -1.57079633;
    return std::atan(x / std::sqrt(1.0 - x * x));
}

// Beyond the polar circles some ecliptic points never rise or set and the semi-arcs of the
// cusps are not defined for every sidereal time.
bool BeyondPolarCircle(double latitude, double obliquity) {
    return std::fabs(latitude) >= 90.0 - std::fabs(obliquity);
}

// Each cusp runs at least ten iterations and then goes on until a step moves it by less than
// 1e-10 degree. The iteration contracts by about tan(eps) tan(phi) / divisor per step, which
// approaches 2/3 near the polar circles: about 70 steps reach the limit there. One that has not
// settled after MaxIterations is taken as having no solution.
constexpr int MinIterations = 10;
constexpr int MaxIterations = 400;
constexpr double SettledStep = 1e-10 * kDegToRad;

struct CuspIteration {
    double start;    // first guess: the equal division of the equator, degrees from RAMC
    double divisor;  // 3: a third of the semi-arc from the meridian; 1.5: two thirds
    bool below;      // 2nd and 3rd houses: measured back from the lower meridian
};

// One cusp: RA = RAMC + A / divisor above the horizon, RAMC + pi - A / divisor below it, A being
// the diurnal (above) or nocturnal (below) semi-arc of the point at RA. The semi-arc is pi / 2
// plus the ascensional difference arcsin(+-tan(decl) tan(phi)), tan(decl) = sin(RA) tan(eps) for
// a point of the ecliptic.
std::optional<double> PlacidusCusp(const CuspIteration& cusp, double ramc, double tanEps,
                                   double tanPhi, double cosEps) {
    double base = ramc * kDegToRad;
    double ra = base + cusp.start * kDegToRad;
    double step = INFINITY;
    for (int i = 0; i < MaxIterations && (i < MinIterations || step >= SettledStep); ++i) {
        double x = std::sin(ra) * tanEps * tanPhi;
        if (cusp.below) x = -x;
        if (!(std::fabs(x) <= 1.0)) return std::nullopt;
        double semiArc = kPi / 2 + ArcSinByArcTan(x);
        double next =
            cusp.below ? base + kPi - semiArc / cusp.divisor : base + semiArc / cusp.divisor;
        step = std::fabs(next - ra);
        ra = next;
    }
    if (!(step < SettledStep)) return std::nullopt;
    double longitude = std::atan(std::tan(ra) / cosEps);
    if (longitude < 0) longitude += kPi;
    if (std::sin(ra) < 0) longitude += kPi;
    return Norm360(longitude * kRadToDeg);
}

}  // namespace

std::optional<EasternCusps> PlacidusCusps(double ramc, double latitude, double obliquity) {
    if (BeyondPolarCircle(latitude, obliquity)) return std::nullopt;
    double tanEps = std::tan(obliquity * kDegToRad), tanPhi = std::tan(latitude * kDegToRad);
    double cosEps = std::cos(obliquity * kDegToRad);
    auto c11 = PlacidusCusp({30, 3.0, false}, ramc, tanEps, tanPhi, cosEps);
    auto c12 = PlacidusCusp({60, 1.5, false}, ramc, tanEps, tanPhi, cosEps);
    auto c2 = PlacidusCusp({120, 1.5, true}, ramc, tanEps, tanPhi, cosEps);
    auto c3 = PlacidusCusp({150, 3.0, true}, ramc, tanEps, tanPhi, cosEps);
    if (!c11 || !c12 || !c2 || !c3) return std::nullopt;
    return EasternCusps{*c11, *c12, *c2, *c3};
}

// Koch: the time the midheaven's degree takes from rising to culminating (its diurnal semi-arc
// D, in sidereal degrees) is divided in three; the cusps are the degrees rising at the birth
// latitude one and two thirds of D before the birth moment (12th, 11th) and after it (2nd, 3rd).
std::optional<EasternCusps> KochCusps(double ramc, double latitude, double obliquity,
                                      double midheaven) {
    if (BeyondPolarCircle(latitude, obliquity)) return std::nullopt;
    double sinDecl = SinD(obliquity) * SinD(midheaven);
    double tanDecl = sinDecl / std::sqrt(1.0 - sinDecl * sinDecl);
    double x = tanDecl * std::tan(latitude * kDegToRad);
    if (!(std::fabs(x) <= 1.0)) return std::nullopt;
    double semiArc = 90.0 + std::asin(x) * kRadToDeg;
    double third = semiArc / 3.0;
    return EasternCusps{AscendantFromRamc(ramc - 2 * third, latitude, obliquity),
                        AscendantFromRamc(ramc - third, latitude, obliquity),
                        AscendantFromRamc(ramc + third, latitude, obliquity),
                        AscendantFromRamc(ramc + 2 * third, latitude, obliquity)};
}

}  // namespace quintaro
