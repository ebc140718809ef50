// SPDX-License-Identifier: AGPL-3.0-or-later
#include "tools/ephemgen/planet_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include <swephexp.h>

#include "core/atomic_file.h"
#include "core/bodies.h"
#include "tools/ephemgen/library_source.h"

namespace quintaro::ephemgen {

namespace {

// Where the base step is not fine enough (a planet passing behind the Sun, whose light the Sun
// deflects by up to 1.75", changes its apparent place within hours), the stretch is sampled again
// at an eighth of the step, down to two levels. A stretch needs refining when the interpolation
// half-way between samples misses the library by more than these limits.
constexpr double RefinePositionArcsec = 0.05;
constexpr double RefineSpeedDegPerDay = 0.0002;
constexpr int RefineFactor = 8;
constexpr int RefineDepth = 2;
constexpr long RefineMargin = 8;  // base steps kept fine on both sides of a stretch

long SampleCount(double step) {
    return static_cast<long>(std::ceil((CoverageLastJD - CoverageFirstJD) / step)) + 1;
}

// Samples of one frame over consecutive moments start + i·step.
struct Span {
    double start = 0;
    double step = 1;
    std::vector<LibraryPoint> points;
};

// Longitude (unwrapped around the centre), latitude and their speeds as the reader evaluates
// them, in double precision, at u steps from the first point.
LibraryPoint Interpolate(const std::vector<LibraryPoint>& points, double u, double step) {
    double n = std::nearbyint(u), f = u - n;
    const double last = static_cast<double>(points.size()) - 4;
    if (n < 3) f -= 3 - n, n = 3;
    if (n > last) f += n - last, n = last;
    const auto c = static_cast<std::size_t>(n);
    auto poly = [f, step](const std::array<double, 7>& d, double centre, double& value,
                          double& speed) {
        const double a = d[6] - d[0], b = d[5] - d[1], cc = d[4] - d[2];
        const double p = d[0] + d[6], q = d[1] + d[5], r = d[2] + d[4];
        const double k[7] = {0,
                             a / 60 - 3 * b / 20 + 3 * cc / 4,
                             p / 180 - 3 * q / 40 + 3 * r / 4,
                             b / 6 - a / 48 - 13 * cc / 48,
                             q / 12 - p / 144 - 13 * r / 48,
                             a / 240 - b / 60 + cc / 48,
                             p / 720 - q / 120 + r / 48};
        value = centre + f * (k[1] + f * (k[2] + f * (k[3] + f * (k[4] + f * (k[5] + f * k[6])))));
        speed = (k[1] +
                 f * (2 * k[2] + f * (3 * k[3] + f * (4 * k[4] + f * (5 * k[5] + f * 6 * k[6]))))) /
                step;
    };
    std::array<double, 7> lon{}, lat{};
    for (std::size_t k = 0; k < 7; ++k) {
        lon[k] = std::remainder(points[c - 3 + k].longitude - points[c].longitude, 360.0);
        lat[k] = points[c - 3 + k].latitude - points[c].latitude;
    }
    LibraryPoint out;
    poly(lon, points[c].longitude, out.longitude, out.longitudeSpeed);
    poly(lat, points[c].latitude, out.latitude, out.latitudeSpeed);
    return out;
}

class FrameSampler {
  public:
    FrameSampler(const BodyPlan& plan, LibraryFrame frame, bool refine, const Progress& progress)
        : plan_(plan), frame_(frame), refine_(refine), progress_(progress) {}

    // Spans in time order covering `count` samples from `start`; false when cancelled.
    bool Sample(double start, double step, long count, int depth, std::vector<Span>& out) {
        std::vector<LibraryPoint> points(static_cast<std::size_t>(count));
        for (long i = 0; i < count; ++i) {
            points[i] = At(start + static_cast<double>(i) * step, false);
            if (i % 8192 == 0 && !Report(i, count)) return false;
        }
        if (!refine_ || depth >= RefineDepth) {
            out.push_back({start, step, std::move(points)});
            return true;
        }
        // Pieces overlap by three samples of each step around every boundary between a coarse
        // and a fine stretch (the layout's rule for consecutive entries).
        const auto runs = StretchesToRefine(start, step, points);
        long from = 0;  // first sample of the coarse piece not yet written
        const double fine = step / RefineFactor;
        for (const auto& [a, b] : runs) {
            out.push_back(Piece(start, step, points, from, a + 3));
            if (!Sample(start + static_cast<double>(a) * step - 3 * fine, fine,
                        (b - a) * RefineFactor + 7, depth + 1, out))
                return false;
            from = b - 3;
        }
        out.push_back(Piece(start, step, points, from, count - 1));
        return true;
    }

  private:
    LibraryPoint At(double jd, bool speeds) {
        return LibraryCompute(jd, plan_.libraryBody, frame_, speeds);
    }

    bool Report(long done, long total) {
        const std::string text =
            std::string(plan_.name) +
            (frame_ == LibraryFrame::Geocentric ? " geocentric" : " heliocentric");
        return ReportProgress(progress_, text, done, total);
    }

    static Span Piece(double start, double step, const std::vector<LibraryPoint>& points,
                      long first, long last) {
        return {start + static_cast<double>(first) * step, step,
                std::vector<LibraryPoint>(points.begin() + first, points.begin() + last + 1)};
    }

    // Index ranges [a, b] of samples to sample again finer: every interval whose midpoint misses,
    // widened by the margin, kept a window away from both ends; coarse pieces left between them
    // keep a window of samples of their own.
    std::vector<std::pair<long, long>> StretchesToRefine(double start, double step,
                                                         const std::vector<LibraryPoint>& points) {
        const long count = static_cast<long>(points.size());
        std::vector<std::pair<long, long>> runs;
        for (long i = 3; i + 4 < count; ++i) {
            const double u = static_cast<double>(i) + 0.5;
            const LibraryPoint ours = Interpolate(points, u, step);
            const LibraryPoint lib = At(start + u * step, true);
            const bool miss =
                std::fabs(std::remainder(ours.longitude - lib.longitude, 360.0)) * 3600 >
                    RefinePositionArcsec ||
                std::fabs(ours.latitude - lib.latitude) * 3600 > RefinePositionArcsec ||
                std::fabs(ours.longitudeSpeed - lib.longitudeSpeed) > RefineSpeedDegPerDay ||
                std::fabs(ours.latitudeSpeed - lib.latitudeSpeed) > RefineSpeedDegPerDay;
            if (!miss) continue;
            const long a = std::max<long>(EphemerisWindow, i - RefineMargin);
            const long b = std::min<long>(count - 1 - EphemerisWindow, i + 1 + RefineMargin);
            if (a >= b) continue;
            if (!runs.empty() && a - runs.back().second < EphemerisWindow) {
                runs.back().second = std::max(runs.back().second, b);
            } else {
                runs.emplace_back(a, b);
            }
        }
        return runs;
    }

    const BodyPlan& plan_;
    LibraryFrame frame_;
    bool refine_;
    const Progress& progress_;
};

EphemerisEntryData MakeEntry(const BodyPlan& plan, int component, const Span& span) {
    EphemerisEntryData e;
    e.name3 = std::string(EphemerisCodeNames[plan.code]);
    e.component = component;
    e.step = span.step;
    e.words.reserve(span.points.size());
    if (IsAngularComponent(component)) {
        for (const auto& p : span.points)
            e.words.push_back(EncodeSample(QuantizeAngle(p.longitude)));
        return e;
    }
    double low = span.points.front().latitude, high = low;
    for (const auto& p : span.points) {
        low = std::min(low, p.latitude);
        high = std::max(high, p.latitude);
    }
    const LinearScale scale = ChooseLinearScale(low, high);
    e.scale = scale.scale;
    e.offset = scale.offset;
    for (const auto& p : span.points)
        e.words.push_back(EncodeSample(QuantizeLinear(p.latitude, scale)));
    return e;
}

bool AddFrameEntries(std::vector<EphemerisEntryData>& entries, const BodyPlan& plan,
                     LibraryFrame frame, double step, bool refine, const Progress& progress) {
    if (step <= 0) return true;
    std::vector<Span> spans;
    FrameSampler sampler(plan, frame, refine, progress);
    if (!sampler.Sample(CoverageFirstJD, step, SampleCount(step), 0, spans)) return false;
    const int lon = frame == LibraryFrame::Geocentric ? 0 : 4;
    for (int component : {lon, lon + 1})
        for (const Span& span : spans) entries.push_back(MakeEntry(plan, component, span));
    return true;
}

}  // namespace

std::string PlanetFileName(int file) {
    char name[32];  // room for any int, so that the name is never cut short
    std::snprintf(name, sizeof name, "ephem%03d.dat", file);
    return name;
}

int LastPlanetFile() {
    int last = 0;
    for (const auto& p : PlanetaryPlan()) last = std::max(last, p.file);
    return last;
}

std::vector<EphemerisEntryData> BodyEntries(const BodyPlan& plan, bool refine,
                                            const Progress& progress) {
    std::vector<EphemerisEntryData> entries;
    // Only apparent places of bodies seen past the Sun need refining; the Moon, the Sun and the
    // node never pass behind it, and heliocentric places are smooth. (Refining the node would
    // chase the library's isolated glitches of a few hundredths of an arcsecond.)
    const bool deflected = plan.libraryBody != SE_SUN && plan.libraryBody != SE_MOON &&
                           plan.libraryBody != SE_TRUE_NODE;
    if (!AddFrameEntries(entries, plan, LibraryFrame::Geocentric, plan.geoStep, refine && deflected,
                         progress) ||
        !AddFrameEntries(entries, plan, LibraryFrame::Heliocentric, plan.helioStep, false,
                         progress))
        return {};
    return entries;
}

std::string WritePlanetFile(const std::filesystem::path& folder, int file,
                            const Progress& progress) {
    std::vector<EphemerisEntryData> entries;
    std::string names;
    for (const auto& plan : PlanetaryPlan()) {
        if (plan.file != file) continue;
        auto body = BodyEntries(plan, true, progress);
        if (body.empty()) return "Operation stopped by user";
        std::move(body.begin(), body.end(), std::back_inserter(entries));
        names += " " + std::string(EphemerisCodeNames[plan.code]);
    }
    if (entries.empty()) return "no body is planned for " + PlanetFileName(file);
    const std::string text =
        "Quintaro planetary ephemeris:" + names +
        ". UT from JD 2360112.5 (1749-09-01). Components 0/1 apparent geocentric ecliptic "
        "longitude/latitude of date, 4/5 heliocentric longitude/latitude; degrees.";
    const std::string bytes =
        SerializeEphemerisFile(CoverageFirstJD, CoverageLastJD, text, entries);
    return WriteFileAtomically(folder / PlanetFileName(file), bytes);
}

}  // namespace quintaro::ephemgen
