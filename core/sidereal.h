// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

namespace quintaro {

// The two sidereal offsets of a moment, in degrees: A for the sidereal vernal point (added to a
// longitude), B the true ayanamsa (subtracted).
struct SiderealOffsets {
    double a = 0;
    double b = 0;
};
SiderealOffsets ComputeSiderealOffsets(double jd);

// A tropical longitude made sidereal: type 0 adds A, any other type subtracts B; in [0, 360).
double ApplySiderealOffset(double longitude, int type, const SiderealOffsets& offsets);

}  // namespace quintaro
