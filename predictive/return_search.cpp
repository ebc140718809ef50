// SPDX-License-Identifier: AGPL-3.0-or-later
#include "predictive/return_search.h"

#include <cmath>
#include <optional>

#include "core/bodies.h"
#include "predictive/progressed_moment.h"

namespace quintaro {

namespace {

// Where the refinement stops: a difference this small (the Sun needs 0.1 s for it), or a bracket
// this short (a millisecond).
constexpr double TightDegrees = 1e-6;
constexpr double ShortestBracketDays = 1e-8;
constexpr int MostRefinements = 80;

// A longitude's distance from the target, brought into [−180, 180).
double Difference(double longitude, double target) {
    double d = std::fmod(longitude - target, 360.0);
    if (d >= 180.0) d -= 360.0;
    if (d < -180.0) d += 360.0;
    return d;
}

struct Sample {
    double jd = 0;
    double difference = 0;
    double speed = 0;
    bool valid = false;
};

struct Search {
    const PositionAtMoment& positionAt;
    int slot;
    double target;

    Sample at(double jd) const {
        const BodyPoint p = positionAt(jd, slot, Frame::Geocentric);
        return {jd, p.valid ? Difference(p.longitude, target) : 0.0, p.longitudeSpeed, p.valid};
    }

    // The crossing between a and b, whose differences have opposite signs.
    CrossingResult refine(Sample a, Sample b) const {
        double t = a.jd + (b.jd - a.jd) * a.difference / (a.difference - b.difference);
        Sample s;
        for (int k = 0; k < MostRefinements; ++k) {
            s = at(t);
            if (!s.valid) return {CrossingResult::Outcome::NoPosition, t};
            if (std::abs(s.difference) <= TightDegrees) break;
            ((s.difference < 0) == (a.difference < 0) ? a : b) = s;
            if (b.jd - a.jd < ShortestBracketDays) break;  // a stays the earlier end
            double next = s.speed != 0 ? t - s.difference / s.speed : t;
            if (!(next > a.jd && next < b.jd)) next = 0.5 * (a.jd + b.jd);
            t = next;
        }
        if (std::abs(s.difference) >= ReturnPrecision)
            return {CrossingResult::Outcome::NoCrossing, t};
        return {CrossingResult::Outcome::Found, t};
    }
};

// Two neighbouring samples enclose a crossing when their differences change sign and the change
// is a small step, not the jump from +180 to −180 at the point opposite the target.
bool EncloseCrossing(const Sample& a, const Sample& b) {
    return a.difference != 0 && (a.difference < 0) != (b.difference < 0) && b.difference != 0 &&
           std::abs(b.difference - a.difference) < 180.0;
}

}  // namespace

int ReturnSlot(ReturnBody body) {
    return body == ReturnBody::Sun ? SlotSun : SlotMoon;
}

SearchSpan ReturnSpan(ReturnBody body, double natalJD, double targetJD) {
    if (body == ReturnBody::Sun) return {SolarAnniversary(natalJD, targetJD) - 3.0, 7};
    return {targetJD - 31.0, 31};
}

CrossingResult FindLongitudeCrossing(const PositionAtMoment& positionAt, int slot, double longitude,
                                     SearchSpan span) {
    const Search search{positionAt, slot, longitude};
    // The latest crossing so far: an exact sample, or a pair of samples around it.
    std::optional<double> exact;
    std::optional<std::pair<Sample, Sample>> bracket;
    Sample previous = search.at(span.from);
    if (!previous.valid) return {CrossingResult::Outcome::NoPosition, span.from};
    if (previous.difference == 0) exact = previous.jd;
    for (int day = 1; day <= span.days; ++day) {
        const Sample current = search.at(span.from + day);
        if (!current.valid) return {CrossingResult::Outcome::NoPosition, current.jd};
        if (current.difference == 0) {
            exact = current.jd;
            bracket.reset();
        } else if (EncloseCrossing(previous, current)) {
            bracket = {previous, current};
            exact.reset();
        }
        previous = current;
    }
    if (exact) return {CrossingResult::Outcome::Found, *exact};
    if (bracket) return search.refine(bracket->first, bracket->second);
    return {CrossingResult::Outcome::NoCrossing, 0};
}

}  // namespace quintaro
