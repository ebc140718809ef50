// SPDX-License-Identifier: AGPL-3.0-or-later
#include "predictive/progressed_moment.h"

#include <cmath>

namespace quintaro {

double NatalMoment(const ChartData& chart) {
    return MomentToJD(chart.year, chart.month, chart.day, chart.time.clock.hhmm(),
                      chart.time.meridiem, chart.zone)
        .ChartJD;
}

double TargetMoment(const CivilDate& date) {
    return DayNumber(date.year, date.month, date.day) - 0.5;
}

double ProgressedMoment(double natalJD, double targetJD) {
    return natalJD + (targetJD - natalJD) / ProgressionYearDays;
}

double SolarAnniversary(double natalJD, double targetJD) {
    const double years = std::floor((targetJD - natalJD) / ProgressionYearDays);
    return natalJD + years * ProgressionYearDays;
}

}  // namespace quintaro
