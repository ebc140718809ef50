// SPDX-License-Identifier: AGPL-3.0-or-later
// The return searches over 200 random natal charts (1900 to 2049), one search per iteration
// (goal: under 1 ms each), beside the Swiss Ephemeris' own crossing functions over the same days.
// The natal longitude is taken once per chart beforehand on both sides.
#include <benchmark/benchmark.h>
#include <swephexp.h>

#include <unistd.h>
#include <filesystem>
#include <random>
#include <vector>

#include "core/bodies.h"
#include "core/day_tables.h"
#include "core/ephemeris.h"
#include "core/ephemeris_loader.h"
#include "core/positions.h"
#include "predictive/return_search.h"

namespace {

using namespace quintaro;

const std::filesystem::path GeneratedFolder =
    std::filesystem::path(QUINTARO_BINARY_DIR) / "ephemeris";

struct Loaded {
    std::filesystem::path home = std::filesystem::temp_directory_path() /
                                 ("quintaro-bench-home-" + std::to_string(::getpid()));
    SilentMessages messages;
    Ephemeris ephemeris{messages};
    DayTables tables;
    Positions positions{ephemeris, tables, messages};
    int planetFiles = 0;

    Loaded() {
        InstallEphemerisFrom(GeneratedFolder, home, messages);
        planetFiles = OpenPlanetFiles(home, ephemeris);
        swe_set_ephe_path(const_cast<char*>("/usr/share/libswe/ephe"));
    }
    ~Loaded() {
        swe_close();
        std::filesystem::remove_all(home);
    }
};

Loaded& State() {
    static Loaded loaded;
    return loaded;
}

struct Chart {
    double natal, target, ours, library;  // moments, and the natal longitude of each side
    SearchSpan span;
};

std::vector<Chart> Charts(ReturnBody body) {
    Loaded& loaded = State();
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> natal(2415020.5, 2469807.5);
    std::uniform_int_distribution<int> day(0, 2469502 - 2415416);
    std::vector<Chart> charts(200);
    const int slot = ReturnSlot(body);
    for (Chart& c : charts) {
        c.natal = natal(random);
        c.target = 2415416.5 + day(random);
        c.ours = loaded.positions.PositionAt(c.natal, slot, Frame::Geocentric).longitude;
        double x[6];
        char error[AS_MAXCH] = "";
        swe_calc_ut(c.natal, body == ReturnBody::Sun ? SE_SUN : SE_MOON, SEFLG_SWIEPH, x, error);
        c.library = x[0];
        c.span = ReturnSpan(body, c.natal, c.target);
    }
    return charts;
}

void BM_ReturnSearch(benchmark::State& state) {
    Loaded& loaded = State();
    if (loaded.planetFiles == 0) {
        state.SkipWithError("no generated planetary files in the build's ephemeris folder");
        return;
    }
    const auto body = static_cast<ReturnBody>(state.range(0));
    const auto charts = Charts(body);
    const PositionAtMoment positionAt = loaded.positions.AsFunction();
    std::size_t k = 0;
    for (auto _ : state) {
        const Chart& c = charts[k++ % charts.size()];
        benchmark::DoNotOptimize(
            FindLongitudeCrossing(positionAt, ReturnSlot(body), c.ours, c.span));
    }
    state.SetLabel(body == ReturnBody::Sun ? "solar" : "lunar");
}
BENCHMARK(BM_ReturnSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_LibraryCrossing(benchmark::State& state) {
    State();
    const auto body = static_cast<ReturnBody>(state.range(0));
    const auto charts = Charts(body);
    char error[AS_MAXCH] = "";
    std::size_t k = 0;
    for (auto _ : state) {
        const Chart& c = charts[k++ % charts.size()];
        // The last crossing of the span, as the search takes it.
        const double end = c.span.from + c.span.days;
        auto next = [&](double after) {
            return body == ReturnBody::Sun
                       ? swe_solcross_ut(c.library, after, SEFLG_SWIEPH, error)
                       : swe_mooncross_ut(c.library, after, SEFLG_SWIEPH, error);
        };
        double found = next(c.span.from);
        for (double later = next(found + 1); later <= end; later = next(later + 1)) found = later;
        benchmark::DoNotOptimize(found);
    }
    state.SetLabel(body == ReturnBody::Sun ? "swe_solcross_ut" : "swe_mooncross_ut");
}
BENCHMARK(BM_LibraryCrossing)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
