// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/exact_time.h"

#include <cmath>

#include "aspects/aspect_catalogue.h"
#include "aspects/body_values.h"
#include "core/formatting.h"

namespace quintaro {

namespace {

constexpr int kNearDays = 100;
constexpr int kFarDays = 250;
constexpr int kDayOffset = kFarDays;  // day index −250 is stored at 0
constexpr int kStoredDays = 2 * kFarDays + 2;
constexpr double kTolerance = 0.00007;  // day
constexpr int kMaxSteps = 100;

struct Pass {
    int from, to, step;
};

}  // namespace

double ExactTargetValue(double p1, double p2, int target, CoordinateKind kind) {
    if (IsLongitudeKind(kind)) {
        double d = p2 - p1;
        double s = std::fabs(d);
        if (s > 180) s = 360 - s;
        double f = s - target;
        return (d <= -180 || (0 <= d && d < 180)) ? -f : f;
    }
    if (target == AspectContraParallel) return std::fabs(p2) - std::fabs(p1);
    return p2 - p1;
}

ExactTimeSearch::ExactTimeSearch(const AspectInputs& inputs, bool natalNatal)
    : inputs_(inputs),
      natalNatal_(natalNatal),
      chartJD_(natalNatal ? inputs.natalJD : inputs.transitJD) {
    double whole = std::floor(chartJD_);
    startDay_ = chartJD_ - whole < 0.5 ? whole - 0.5 : whole + 0.5;
}

bool ExactTimeSearch::Moves(int body, bool isBody1) const {
    return !IsCalculatedPoint(body) && (natalNatal_ || isBody1);
}

std::optional<double> ExactTimeSearch::ValueAt(int body, bool isBody1, CoordinateKind kind,
                                               double jd) {
    ChartSide side = natalNatal_ || !isBody1 ? ChartSide::Natal : ChartSide::Transit;
    if (!Moves(body, isBody1)) return RecordValue(inputs_.chart, ChartSide::Natal, kind, body);
    return ValueAtMoment(inputs_, side, kind, body, jd);
}

std::optional<double> ExactTimeSearch::ValueOnDay(int body, bool isBody1, CoordinateKind kind,
                                                  int day) {
    if (!Moves(body, isBody1)) return ValueAt(body, isBody1, kind, startDay_ + day);
    auto& stored = days_[static_cast<size_t>(static_cast<int>(kind) * (BodyCount + 1) + body)];
    if (stored.empty()) stored.resize(kStoredDays);
    DayValue& cell = stored[static_cast<size_t>(day + kDayOffset)];
    if (cell.state == 0) {
        auto value = ValueAt(body, isBody1, kind, startDay_ + day);
        cell.state = value ? 1 : 2;
        cell.value = value.value_or(0);
    }
    if (cell.state == 2) return std::nullopt;
    return cell.value;
}

std::optional<double> ExactTimeSearch::TargetAt(int body1, int body2, int target,
                                                CoordinateKind kind, double jd) {
    auto p1 = ValueAt(body1, true, kind, jd);
    auto p2 = ValueAt(body2, false, kind, jd);
    if (!p1 || !p2) return std::nullopt;
    return ExactTargetValue(*p1, *p2, target, kind);
}

// Secant iteration between x0 and x1; 0 (never inside a searched day) when it fails.
double ExactTimeSearch::Refine(int body1, int body2, int target, CoordinateKind kind, double x0,
                               double x1) {
    for (int steps = 0;;) {
        auto f0 = TargetAt(body1, body2, target, kind, x0);
        auto f1 = TargetAt(body1, body2, target, kind, x1);
        if (!f0 || !f1) return 0;
        double step = 0;
        if (*f1 == *f0)
            x1 = (x0 + x1) / 2;
        else
            step = (x1 - x0) / (*f1 - *f0) * *f1;
        // A jump of the target function (the far side of a longitude aspect) is no crossing.
        if (steps >= 1 && std::fabs(*f1 - *f0) > 20) return 0;
        if (std::fabs(step) < kTolerance) {
            if (target == AspectContraParallel && !IsLongitudeKind(kind)) {
                auto p1 = ValueAt(body1, true, kind, x1);
                auto p2 = ValueAt(body2, false, kind, x1);
                if (!p1 || !p2 || (*p1 < 0) == (*p2 < 0)) return 0;  // equal values, not opposite
            }
            return x1;
        }
        x0 = x1;
        if (std::fabs(step) >= 1.001) return 0;
        x1 -= step;
        if (++steps >= kMaxSteps) return x1;
    }
}

ExactTime ExactTimeSearch::Find(int body1, int body2, int target, CoordinateKind kind,
                                SearchDirection direction) {
    if (LeftOutOfKind(body1, kind) || LeftOutOfKind(body2, kind)) return {};
    if (body1 < 1 || body1 > BodyCount || body2 < 1 || body2 > BodyCount) return {};
    static constexpr std::array<Pass, 4> kForward = {
        Pass{0, kNearDays, +1}, Pass{0, -kNearDays, -1}, Pass{kNearDays, kFarDays, +1},
        Pass{-kNearDays, -kFarDays, -1}};
    static constexpr std::array<Pass, 4> kBackward = {kForward[1], kForward[0], kForward[3],
                                                      kForward[2]};
    const auto& passes = direction == SearchDirection::Forward ? kForward : kBackward;
    for (const Pass& pass : passes) {
        for (int day = pass.from; pass.step > 0 ? day <= pass.to : day >= pass.to;
             day += pass.step) {
            auto a1 = ValueOnDay(body1, true, kind, day), a2 = ValueOnDay(body2, false, kind, day);
            auto b1 = ValueOnDay(body1, true, kind, day + 1);
            auto b2 = ValueOnDay(body2, false, kind, day + 1);
            if (!a1 || !a2 || !b1 || !b2) continue;  // outside the ephemeris: no crossing
            double fa = ExactTargetValue(*a1, *a2, target, kind);
            double fb = ExactTargetValue(*b1, *b2, target, kind);
            double q = fb == fa ? 1000 : fb / (fb - fa);
            if (std::fabs(q) >= 1.001) continue;
            double t = startDay_ + day;
            double x = Refine(body1, body2, target, kind, t, t + 1);
            double rounded = LeadingNumber(FormatNumber(x, "0.000"));
            if (t <= rounded && rounded < t + 1) return {true, x};
        }
    }
    return {};
}

ExactTime FindExactTime(const AspectInputs& inputs, int body1, int body2, bool natalNatal,
                        int target, CoordinateKind kind, SearchDirection direction) {
    ExactTimeSearch search(inputs, natalNatal);
    return search.Find(body1, body2, target, kind, direction);
}

}  // namespace quintaro
