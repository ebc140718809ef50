// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/aspect_finder.h"

#include <array>
#include <cmath>
#include <vector>

#include "aspects/aspect_catalogue.h"
#include "aspects/aspect_classify.h"
#include "aspects/body_values.h"

namespace quintaro {

namespace {

constexpr double kOneHour = 1.0 / 24.0;

bool SameNonZeroSign(double a, double b) {
    return (a > 0 && b > 0) || (a < 0 && b < 0);
}

// Values one hour after each chart's moment, asked of the positions function once per body and
// kind however many aspects the body takes part in.
class HourAheadValues {
  public:
    explicit HourAheadValues(const AspectInputs& inputs) : inputs_(inputs) {}

    double at(ChartSide side, CoordinateKind kind, int slot) {
        double chartValue = RecordValue(inputs_.chart, side, kind, slot);
        if (IsCalculatedPoint(slot) || slot < 1 || slot > BodyCount) return chartValue;
        Cell& cell = cells_[Index(side, kind)][static_cast<size_t>(slot)];
        if (cell.state == Unknown) {
            double jd = ChartMomentOf(inputs_, side) + kOneHour;
            auto value = ValueAtMoment(inputs_, side, kind, slot, jd);
            cell.state = value ? Known : Missing;
            cell.value = value.value_or(0);
        }
        // Without a position an hour later the body is taken as standing still.
        return cell.state == Known ? cell.value : chartValue;
    }

  private:
    enum State : char { Unknown, Known, Missing };
    struct Cell {
        double value = 0;
        State state = Unknown;
    };
    static size_t Index(ChartSide side, CoordinateKind kind) {
        return (side == ChartSide::Natal ? 0 : 4) + static_cast<size_t>(kind);
    }
    const AspectInputs& inputs_;
    std::array<PerSlot<Cell>, 8> cells_{};
};

int ApplyingSignWith(const AspectInputs& inputs, HourAheadValues& later, int body1, int body2,
                     Pairing pairing, CoordinateKind kind, double orb) {
    ChartSide side1 = SideOfBody1(pairing), side2 = SideOfBody2(pairing);
    double now1 = RecordValue(inputs.chart, side1, kind, body1);
    double now2 = RecordValue(inputs.chart, side2, kind, body2);
    double later1 = later.at(side1, kind, body1);
    // The natal body of a transit–natal pair stays at the natal moment.
    double later2 = pairing == Pairing::TransitNatal ? now2 : later.at(side2, kind, body2);
    if (IsLongitudeKind(kind)) return LongitudeApplyingSign(now1 - now2, later1 - later2, orb);
    return ParallelApplyingSign(now1, now2, later1, later2);
}

bool KeepsPair(const AspectInputs& inputs, int body, bool transitSide, CoordinateKind kind) {
    const ChartSide side = transitSide ? ChartSide::Transit : ChartSide::Natal;
    // A body without a position in the kind's frame (a damaged ephemeris file) takes no part.
    const ChartKinds& chart = transitSide ? inputs.chart.Transit : inputs.chart.Natal;
    return inputs.selection.of(side, body) && !LeftOutOfKind(body, kind) &&
           !chart.missing(IsHelioKind(kind), body);
}

}  // namespace

int LongitudeApplyingSign(double d0, double d1, double orb) {
    double r0 = ClassifyLongitudeAspect(std::fabs(d0), orb).residual;
    AspectMatch next = ClassifyLongitudeAspect(std::fabs(d1), orb);
    double r1 = next.residual;
    if (std::fabs(r1) <= std::fabs(r0)) return +1;  // the orb did not grow
    if (!SameNonZeroSign(r0, r1)) return +1;        // passed exactness within the hour
    if ((d0 < 10 && d1 > 350) || (d0 > 350 && d1 < 10)) return +1;  // wrapped round 0°/360°
    if (!SameNonZeroSign(d0, d1)) return +1;
    if (next.code == AspectOpposition) {
        double a0 = std::fabs(d0), a1 = std::fabs(d1);
        if ((a0 < 180 && 180 <= a1) || (a1 < 180 && 180 <= a0)) return +1;
    }
    return -1;
}

int ParallelApplyingSign(double first0, double second0, double first1, double second1) {
    double r0 = std::fabs(first0) - std::fabs(second0);
    double r1 = std::fabs(first1) - std::fabs(second1);
    if (std::fabs(r1) <= std::fabs(r0)) return +1;
    bool separating =
        SameNonZeroSign(r0, r1) && SameNonZeroSign(first0 - second0, first1 - second1);
    return separating ? -1 : +1;
}

int ApplyingSign(const AspectInputs& inputs, int body1, int body2, Pairing pairing,
                 CoordinateKind kind) {
    HourAheadValues later(inputs);
    return ApplyingSignWith(inputs, later, body1, body2, pairing, kind, OrbOf(inputs.orbs, kind));
}

namespace {

// The bodies of one side that take part in a list, with their chart values, in slot order.
struct Candidate {
    int body;
    double value;
};

std::vector<Candidate> Candidates(const AspectInputs& inputs, ChartSide side, CoordinateKind kind) {
    std::vector<Candidate> candidates;
    candidates.reserve(BodyCount);
    for (int body = 1; body <= BodyCount; ++body)
        if (KeepsPair(inputs, body, side == ChartSide::Transit, kind))
            candidates.push_back({body, RecordValue(inputs.chart, side, kind, body)});
    return candidates;
}

AspectList BuildList(const AspectInputs& inputs, HourAheadValues& later, Pairing pairing,
                     CoordinateKind kind) {
    AspectList list;
    const size_t capacity = AspectListCapacity(inputs.numAspects);
    const bool oneChart = pairing != Pairing::TransitNatal;
    const bool longitude = IsLongitudeKind(kind);
    // The orb field is read once per list: nothing can change it while a list is built, so
    // every test of the list sees the text as it stands at this computation.
    const double orb = OrbOf(inputs.orbs, kind);
    const std::vector<Candidate> first = Candidates(inputs, SideOfBody1(pairing), kind);
    const std::vector<Candidate> second =
        oneChart ? first : Candidates(inputs, SideOfBody2(pairing), kind);
    for (size_t i = 0; i < first.size(); ++i) {
        const Candidate& c1 = first[i];
        for (size_t j = oneChart ? i + 1 : 0; j < second.size(); ++j) {
            const Candidate& c2 = second[j];
            int code;
            double size;
            if (longitude) {
                AspectMatch match = ClassifyLongitudeAspect(std::fabs(c1.value - c2.value), orb);
                code = match.code;
                size = match.orb;
                if (code <= AspectNone || code >= 17) continue;
            } else {
                code = ClassifyParallel(c1.value, c2.value, orb);
                size = std::fabs(std::fabs(c1.value) - std::fabs(c2.value));
                if (code != AspectParallel && code != AspectContraParallel) continue;
            }
            if (list.entries.size() >= capacity) return list;
            int sign = inputs.solarArc
                           ? +1
                           : ApplyingSignWith(inputs, later, c1.body, c2.body, pairing, kind, orb);
            list.entries.push_back({c1.body, c2.body, code, sign * size});
        }
    }
    return list;
}

}  // namespace

AspectList BuildAspectList(const AspectInputs& inputs, Pairing pairing, CoordinateKind kind) {
    HourAheadValues later(inputs);
    return BuildList(inputs, later, pairing, kind);
}

AspectLists BuildAspectLists(const AspectInputs& inputs) {
    AspectLists lists;
    HourAheadValues later(inputs);
    for (Pairing pairing : {Pairing::NatalNatal, Pairing::TransitNatal, Pairing::TransitTransit})
        for (int k = 0; k < 4; ++k) {
            auto kind = static_cast<CoordinateKind>(k);
            lists.at(pairing, kind) = BuildList(inputs, later, pairing, kind);
        }
    return lists;
}

}  // namespace quintaro
