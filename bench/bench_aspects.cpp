// SPDX-License-Identifier: AGPL-3.0-or-later
// The aspect finders on a chart like the default one: the sixteen bodies of the default
// selection on both sides, default orbs. Positions at other moments come from a made-up sky of
// steadily moving bodies (a few sines per call, like a cheap series), and, when the generated
// ephemeris files are found, from the real positions as well.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <filesystem>

#include "aspects/aspect_finder.h"
#include "aspects/timed_aspects.h"
#include "core/day_tables.h"
#include "core/degrees.h"
#include "core/ephemeris.h"
#include "core/ephemeris_loader.h"
#include "core/positions.h"

namespace quintaro {
namespace {

constexpr double kNatalJD = 2444239.1;    // 1980
constexpr double kTransitJD = 2460650.3;  // 2024
constexpr int kDefaultBodies[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17};

// Daily motion of slots 1..17 (degrees), roughly as in the sky.
constexpr std::array<double, 18> kRates = {0,     0.9856, 1.2,   1.1,   13.18, 0.524,
                                           0.083, 0.033,  0.012, 0.006, 0.004, 0.9856,
                                           0.02,  -0.053, 0.21,  0.2,   0.27,  0.22};

BodyPoint SyntheticPosition(double jd, int slot, Frame frame) {
    BodyPoint p;
    if (slot < 1 || slot > 17) return p;
    double days = jd - 2451545.0;
    double phase = slot * 37.0 + (frame == Frame::Heliocentric ? 11.0 : 0.0);
    double wobble = frame == Frame::Geocentric ? 2.0 * SinD(days * 0.9856 + slot * 50.0) : 0.0;
    p.longitude = Norm360(phase + kRates[static_cast<size_t>(slot)] * days + wobble);
    p.second = frame == Frame::Geocentric ? 23.44 * SinD(p.longitude)
                                          : (slot % 7) * 0.4 * SinD(p.longitude + slot * 20.0);
    p.longitudeSpeed = kRates[static_cast<size_t>(slot)];
    p.valid = true;
    return p;
}

// A default-like chart built from a positions function at the two chart moments.
AspectInputs DefaultLikeInputs(const PositionAtMoment& positionAt) {
    AspectInputs in;
    in.natalJD = kNatalJD;
    in.transitJD = kTransitJD;
    in.positionAt = positionAt;
    in.exactOn = true;
    for (int body : kDefaultBodies) {
        in.selection.setBoth(body, true);
        for (auto [chart, jd] :
             {std::pair{&in.chart.Natal, kNatalJD}, std::pair{&in.chart.Transit, kTransitJD}}) {
            BodyPoint geo = positionAt(jd, body, Frame::Geocentric);
            BodyPoint helio = positionAt(jd, body, Frame::Heliocentric);
            chart->GeoLong[static_cast<size_t>(body)] = geo.longitude;
            chart->GeoDecl[static_cast<size_t>(body)] = geo.second;
            chart->HelioLong[static_cast<size_t>(body)] = helio.longitude;
            chart->HelioLat[static_cast<size_t>(body)] = helio.second;
        }
    }
    return in;
}

void CountEntries(benchmark::State& state, const AspectLists& lists) {
    size_t entries = 0;
    for (const auto& list : lists.lists) entries += list.entries.size();
    state.counters["aspects"] = static_cast<double>(entries);
}

void BM_BuildAspectLists_Synthetic(benchmark::State& state) {
    AspectInputs in = DefaultLikeInputs(SyntheticPosition);
    for (auto _ : state) benchmark::DoNotOptimize(BuildAspectLists(in));
    CountEntries(state, BuildAspectLists(in));
}
BENCHMARK(BM_BuildAspectLists_Synthetic)->Unit(benchmark::kMicrosecond);

void BM_BuildTimedAspectLists_Synthetic(benchmark::State& state) {
    AspectInputs in = DefaultLikeInputs(SyntheticPosition);
    AspectLists lists = BuildAspectLists(in);
    for (auto _ : state) benchmark::DoNotOptimize(BuildTimedAspectLists(in, lists));
    CountEntries(state, lists);
}
BENCHMARK(BM_BuildTimedAspectLists_Synthetic)->Unit(benchmark::kMillisecond);

// The real positions over the generated planetary files.
struct RealPositions {
    SilentMessages messages;
    Ephemeris ephemeris{messages};
    DayTables tables;
    Positions positions{ephemeris, tables, messages};
    bool ready = false;
    RealPositions() {
        std::filesystem::path source = GeneratedEphemerisSource();
        int opened = 0;
        for (int k = 0; k <= 6; ++k) {
            auto file = source / ("ephem00" + std::to_string(k) + ".dat");
            if (!source.empty() && std::filesystem::exists(file))
                opened += ephemeris.OpenFile(file, k) ? 1 : 0;
        }
        ready = opened > 0;
    }
};

RealPositions& Real() {
    static RealPositions real;
    return real;
}

void BM_BuildAspectLists_Real(benchmark::State& state) {
    if (!Real().ready) {
        state.SkipWithError("no generated ephemeris files");
        return;
    }
    AspectInputs in = DefaultLikeInputs(Real().positions.AsFunction());
    for (auto _ : state) benchmark::DoNotOptimize(BuildAspectLists(in));
    CountEntries(state, BuildAspectLists(in));
}
BENCHMARK(BM_BuildAspectLists_Real)->Unit(benchmark::kMicrosecond);

void BM_BuildTimedAspectLists_Real(benchmark::State& state) {
    if (!Real().ready) {
        state.SkipWithError("no generated ephemeris files");
        return;
    }
    AspectInputs in = DefaultLikeInputs(Real().positions.AsFunction());
    AspectLists lists = BuildAspectLists(in);
    for (auto _ : state) benchmark::DoNotOptimize(BuildTimedAspectLists(in, lists));
    CountEntries(state, lists);
}
BENCHMARK(BM_BuildTimedAspectLists_Real)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quintaro

BENCHMARK_MAIN();
