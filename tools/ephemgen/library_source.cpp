// SPDX-License-Identifier: AGPL-3.0-or-later
#include "tools/ephemgen/library_source.h"

#include <swephexp.h>

#include <numbers>
#include <stdexcept>
#include <vector>

namespace quintaro::ephemgen {

void UseLibraryData(const std::string& folder) {
    std::vector<char> path(folder.begin(), folder.end());
    path.push_back('\0');
    swe_set_ephe_path(path.data());
}

LibraryPoint LibraryCompute(double jdUT, int libraryBody, LibraryFrame frame, bool speeds) {
    int flags = SEFLG_SWIEPH;
    if (speeds) flags |= SEFLG_SPEED;
    if (frame == LibraryFrame::Heliocentric) flags |= SEFLG_HELCTR;
    if (frame == LibraryFrame::Equatorial) flags |= SEFLG_EQUATORIAL;
    double x[6] = {};
    char error[AS_MAXCH] = {};
    const int result = swe_calc_ut(jdUT, libraryBody, flags, x, error);
    if (result < 0) throw std::runtime_error(std::string("reference library: ") + error);
    // Bodies without a data file answer from an approximate theory; never write those.
    if ((result & SEFLG_SWIEPH) == 0 && libraryBody != SE_TRUE_NODE)
        throw std::runtime_error("reference library: data files not found for body " +
                                 std::to_string(libraryBody) + " (" + error + ")");
    return {x[0], x[1], x[3], x[4]};
}

LibraryPoint LibraryEclipticToEquatorial(const LibraryPoint& ecliptic, double obliquityRadians) {
    double in[6] = {ecliptic.longitude,      ecliptic.latitude,      1.0,
                    ecliptic.longitudeSpeed, ecliptic.latitudeSpeed, 0.0};
    double out[6] = {};
    swe_cotrans_sp(in, out, -obliquityRadians * 180.0 / std::numbers::pi);
    return {out[0], out[1], out[3], out[4]};
}

}  // namespace quintaro::ephemgen
