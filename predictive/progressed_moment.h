// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include "core/calendar.h"
#include "core/chart_data.h"

namespace quintaro {

// The year of the progressions and the solar arc: a day of life stands for this many days.
inline constexpr double ProgressionYearDays = 365.2422;

// The Julian Day (UT) of a chart's moment as its fields give it.
double NatalMoment(const ChartData& chart);

// 0h UT of a target date.
double TargetMoment(const CivilDate& date);

// The progressed moment P = N + (target − N) / 365.2422: one day after birth for each year.
double ProgressedMoment(double natalJD, double targetJD);

// The natal moment moved on by the whole years of 365.2422 days between it and the target (moved
// back for a target before it): the mean anniversary of the year that holds the target.
double SolarAnniversary(double natalJD, double targetJD);

}  // namespace quintaro
