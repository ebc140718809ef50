// SPDX-License-Identifier: AGPL-3.0-or-later
#include "tools/ephemgen/day_tables.h"

#include <swephexp.h>

#include <cmath>
#include <cstdio>

#include "core/atomic_file.h"
#include "tools/ephemgen/body_plan.h"
#include "tools/ephemgen/library_source.h"

namespace quintaro::ephemgen {

namespace {

double CircularDistance(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180.0 ? 360.0 - d : d;
}

}  // namespace

std::optional<DaySeries> BodyDaySeries(int libraryBody, const Progress& progress) {
    const bool geo = libraryBody != SE_EARTH;
    const bool helio = libraryBody != SE_SUN && libraryBody != SE_MOON &&
                       libraryBody != SE_TRUE_NODE && libraryBody != SE_MEAN_NODE;
    DaySeries s;
    for (auto* v : {&s.geoLongitude, &s.geoDeclination, &s.helioLongitude, &s.helioLatitude})
        v->assign(DayTableDays, 0.0);
    for (int day = 0; day < DayTableDays; ++day) {
        const double jd = DayTableFirstJD + day;
        if (geo) {
            s.geoLongitude[day] =
                LibraryCompute(jd, libraryBody, LibraryFrame::Geocentric, false).longitude;
            s.geoDeclination[day] =
                LibraryCompute(jd, libraryBody, LibraryFrame::Equatorial, false).latitude;
        }
        if (helio) {
            const LibraryPoint p =
                LibraryCompute(jd, libraryBody, LibraryFrame::Heliocentric, false);
            s.helioLongitude[day] = p.longitude;
            s.helioLatitude[day] = p.latitude;
        }
        if (day % 8192 == 0 && !ReportProgress(progress, "day tables", day, DayTableDays))
            return std::nullopt;
    }
    return s;
}

double MidpointLongitude(double a, double b) {
    double m = (a + b) / 2.0;
    if (CircularDistance(m, a) > 90.0 && CircularDistance(m, b) > 90.0) m += 180.0;
    if (m >= 360.0) m -= 360.0;
    return m;
}

DaySeries MidpointSeries(const DaySeries& a, const DaySeries& b) {
    DaySeries m;
    const std::size_t days = std::min(a.geoLongitude.size(), b.geoLongitude.size());
    for (std::size_t i = 0; i < days; ++i) {
        m.geoLongitude.push_back(MidpointLongitude(a.geoLongitude[i], b.geoLongitude[i]));
        m.geoDeclination.push_back((a.geoDeclination[i] + b.geoDeclination[i]) / 2.0);
        m.helioLongitude.push_back(MidpointLongitude(a.helioLongitude[i], b.helioLongitude[i]));
        m.helioLatitude.push_back((a.helioLatitude[i] + b.helioLatitude[i]) / 2.0);
    }
    return m;
}

std::vector<std::string> DayTableFileNames(const std::string& name) {
    std::vector<std::string> names;
    for (const char* variant : {"1900", "1750"})
        for (const char* kind : {"l", "d", "h", "lat"})
            names.push_back(name + variant + kind + ".eph");
    return names;
}

std::string DayTableText(const std::vector<double>& values, int first, int count, bool angular) {
    std::string text;
    text.reserve(static_cast<std::size_t>(count) * 11);
    char line[40];
    for (int i = 0; i < count; ++i) {
        double v = values[static_cast<std::size_t>(first + i)];
        if (angular && v >= 359.999995) v -= 360.0;  // never "360.00000"
        if (std::fabs(v) < 5e-6) v = 0.0;            // never "-0.00000"
        std::snprintf(line, sizeof line, "%.5f\n", v);
        text += line;
    }
    return text;
}

std::string WriteDayTables(const std::filesystem::path& folder, const std::string& name,
                           const DaySeries& series) {
    const std::vector<double>* tables[] = {&series.geoLongitude, &series.geoDeclination,
                                           &series.helioLongitude, &series.helioLatitude};
    const auto names = DayTableFileNames(name);
    for (int i = 0; i < 8; ++i) {
        const bool is1900 = i < 4;
        const std::string text = DayTableText(*tables[i % 4], is1900 ? Start1900 : 0,
                                              is1900 ? Count1900 : Start1900, i % 2 == 0);
        if (std::string why = WriteFileAtomically(folder / names[i], text); !why.empty())
            return why;
    }
    return {};
}

}  // namespace quintaro::ephemgen
