// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "aspects/aspect_lists.h"

namespace quintaro {

enum class SearchDirection { Forward, Backward };

struct ExactTime {
    bool found = false;
    double jd = 0;  // the exact moment, UT
};

// The function whose sign change marks an exact passage, for positions p1 (body 1) and p2
// (body 2). Longitude kinds with target angle A: the folded separation minus A, its sign set by
// the side of the pair so that it changes sign at every exact passage. Declination and latitude:
// p2 − p1 for a parallel (target 7), |p2| − |p1| for a contra-parallel (target 18).
double ExactTargetValue(double p1, double p2, int target, CoordinateKind kind);

// Searches for the moment a pair is exact, day by day from the chart moment's preceding 0h UT
// (up to 250 days either way, the search direction's side first within 100 days) and then by
// secant refinement inside a day whose end values pass the crossing gate. In a natal–natal search
// both bodies move from the natal moment; in a transit–natal search the transit body moves and
// the natal one stays; slots 18–20 always keep their natal chart values. Positions are asked of
// the positions function and kept per whole day, so one searcher serves a whole list cheaply.
class ExactTimeSearch {
  public:
    ExactTimeSearch(const AspectInputs& inputs, bool natalNatal);

    // target: the aspect's angle for longitude kinds, the code 7 or 18 for the others.
    ExactTime Find(int body1, int body2, int target, CoordinateKind kind,
                   SearchDirection direction);

    double ChartMoment() const { return chartJD_; }

  private:
    std::optional<double> ValueAt(int body, bool isBody1, CoordinateKind kind, double jd);
    std::optional<double> ValueOnDay(int body, bool isBody1, CoordinateKind kind, int day);
    std::optional<double> TargetAt(int body1, int body2, int target, CoordinateKind kind,
                                   double jd);
    double Refine(int body1, int body2, int target, CoordinateKind kind, double x0, double x1);
    bool Moves(int body, bool isBody1) const;

    const AspectInputs& inputs_;
    bool natalNatal_;
    double chartJD_;
    double startDay_;  // the chart moment's preceding 0h UT
    struct DayValue {
        double value = 0;
        char state = 0;  // 0 not asked, 1 known, 2 outside the range
    };
    std::array<std::vector<DayValue>, 4 * (BodyCount + 1)> days_;
};

// One search with a searcher of its own.
ExactTime FindExactTime(const AspectInputs& inputs, int body1, int body2, bool natalNatal,
                        int target, CoordinateKind kind, SearchDirection direction);

}  // namespace quintaro
