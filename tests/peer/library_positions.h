// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <swephexp.h>

namespace quintaro::test {

constexpr int32 kLibraryFlags = SEFLG_SWIEPH;

// The library's geocentric longitude of a body (its speed with SEFLG_SPEED in the flags).
inline double LibraryLongitude(double jd, int body, int32 flags = kLibraryFlags) {
    double x[6];
    char error[AS_MAXCH] = "";
    swe_calc_ut(jd, body, flags, x, error);
    return flags & SEFLG_SPEED ? x[3] : x[0];
}

}  // namespace quintaro::test
