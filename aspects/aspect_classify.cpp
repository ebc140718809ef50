// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/aspect_classify.h"

#include <cmath>

#include "aspects/aspect_catalogue.h"

namespace quintaro {

namespace {

struct Window {
    int code;
    double angle;
};

// The test order decides overlaps: quincunx before biquintile, sextile before quintile,
// semi-sextile before conjunction.
constexpr Window kWindows[] = {{AspectSemiSextile, 30},
                               {AspectSextile, 60},
                               {AspectSquare, 90},
                               {AspectTrine, 120},
                               {AspectQuincunx, 150}};

}  // namespace

AspectMatch ClassifyLongitudeAspect(double separation, double orb) {
    double s = separation > 180 ? 360 - separation : separation;
    AspectMatch match;
    match.residual = s;
    auto take = [&](int code, double angle) {
        match.code = code;
        match.residual = s - angle;
    };
    bool found = false;
    for (const Window& w : kWindows) {
        if (s >= w.angle - orb && s <= w.angle + orb) {
            take(w.code, w.angle);
            found = true;
            break;
        }
    }
    if (!found) {
        if (s >= 180 - orb)
            take(AspectOpposition, 180);
        else if (s >= 72 - orb && s <= 72 + orb)
            take(AspectQuintile, 72);
        else if (s >= 144 - orb && s <= 144 + orb)
            take(AspectBiquintile, 144);
        else if (s <= orb)
            take(AspectConjunction, 0);
    }
    match.orb = std::fabs(match.residual);
    return match;
}

AspectMatch ClassifyLongitudeAspect(double separation, CoordinateKind kind, const Orbs& orbs) {
    return ClassifyLongitudeAspect(separation, OrbOf(orbs, kind));
}

int ClassifyParallel(double first, double second, double orb) {
    if (!(std::fabs(std::fabs(first) - std::fabs(second)) <= orb)) return AspectNone;
    bool oppositeSides = (first < 0) != (second < 0);
    return oppositeSides ? AspectContraParallel : AspectParallel;
}

int ClassifyParallel(double first, double second, CoordinateKind kind, const Orbs& orbs) {
    return ClassifyParallel(first, second, OrbOf(orbs, kind));
}

}  // namespace quintaro
