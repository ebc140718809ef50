// SPDX-License-Identifier: AGPL-3.0-or-later
// One full geocentric + heliocentric run over the 17 ephemeris slots: our planetary reader
// against the reference library computing the same quantities (geocentric ecliptic with speeds,
// declination with its speed (true obliquity on both sides), heliocentric with speeds). Ours reads
// all bodies of a frame together through one cursor, as the positions do; the per-quantity
// variant asks for one quantity at a time without a cursor. Prints the ratios at the end.
#include <benchmark/benchmark.h>
#include <swephexp.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/bodies.h"
#include "core/ephemeris.h"

namespace {

using namespace quintaro;

constexpr int MomentCount = 4096;

const std::vector<double>& RandomMoments() {
    static const std::vector<double> moments = [] {
        std::mt19937_64 rng(1750);
        std::uniform_real_distribution<double> jd(2360234.5, 2469807.5);
        std::vector<double> m(MomentCount);
        for (double& x : m) x = jd(rng);
        return m;
    }();
    return moments;
}

// The body codes of slots 1..17 and the library's numbers for them.
struct Body {
    int code;
    int library;
};
const std::vector<Body>& Bodies() {
    static const std::vector<Body> bodies = [] {
        const std::map<int, int> library = {
            {0, SE_SUN},    {1, SE_MOON},    {2, SE_MERCURY},    {3, SE_VENUS},  {4, SE_EARTH},
            {5, SE_MARS},   {6, SE_JUPITER}, {7, SE_SATURN},     {8, SE_URANUS}, {9, SE_NEPTUNE},
            {10, SE_PLUTO}, {11, SE_CHIRON}, {15, SE_TRUE_NODE}, {16, SE_CERES}, {17, SE_PALLAS},
            {18, SE_JUNO},  {19, SE_VESTA}};
        std::vector<Body> b;
        for (int slot = 1; slot <= 17; ++slot) {
            const int code = EphemerisCodeOfSlot(slot);
            b.push_back({code, library.at(code)});
        }
        return b;
    }();
    return bodies;
}

bool HasGeo(int code) {
    return code != 4;
}
bool HasHelio(int code) {
    return code != 0 && code != 1;
}

Ephemeris& OurReader() {
    static SilentMessages quiet;
    static Ephemeris ephemeris = [] {
        Ephemeris e(quiet);
        for (int f = 0; f < PlanetFileCount; ++f) {
            char name[64];
            std::snprintf(name, sizeof name, QUINTARO_BINARY_DIR "/ephemeris/ephem%03d.dat", f);
            e.OpenFile(name, f);
        }
        return e;
    }();
    return ephemeris;
}

// The codes read in each frame.
struct Codes {
    std::vector<int> geo, helio;
};
const Codes& FrameCodes() {
    static const Codes codes = [] {
        Codes c;
        for (const Body& b : Bodies()) {
            if (HasGeo(b.code)) c.geo.push_back(b.code);
            if (HasHelio(b.code)) c.helio.push_back(b.code);
        }
        return c;
    }();
    return codes;
}

double OurRun(const Ephemeris& e, EphemerisCursor& cursor, double jd) {
    std::optional<EphemerisPoint> points[EphemerisCodeCount];
    double sum = 0;
    for (Frame frame : {Frame::Geocentric, Frame::Heliocentric}) {
        const auto& codes = frame == Frame::Geocentric ? FrameCodes().geo : FrameCodes().helio;
        e.ReadBodies(jd, frame, codes, {points, codes.size()}, cursor);
        for (std::size_t i = 0; i < codes.size(); ++i)
            if (points[i])
                sum += points[i]->longitude + points[i]->longitudeSpeed + points[i]->second +
                       points[i]->secondSpeed;
    }
    return sum;
}

double OurRunByQuantity(const Ephemeris& e, double jd) {
    double sum = 0;
    for (const Body& b : Bodies()) {
        if (HasGeo(b.code)) {
            sum += e.Value(jd, b.code, KindGeoLongitude) +
                   e.Value(jd, b.code, KindGeoLongitude + SpeedKind) +
                   e.Value(jd, b.code, KindDeclination) +
                   e.Value(jd, b.code, KindDeclination + SpeedKind);
        }
        if (HasHelio(b.code)) {
            sum += e.Value(jd, b.code, KindHelioLongitude) +
                   e.Value(jd, b.code, KindHelioLongitude + SpeedKind) +
                   e.Value(jd, b.code, KindHelioLatitude) +
                   e.Value(jd, b.code, KindHelioLatitude + SpeedKind);
        }
    }
    return sum;
}

double LibraryRun(double jd) {
    double sum = 0, x[6];
    char error[AS_MAXCH];
    for (const Body& b : Bodies()) {
        if (HasGeo(b.code)) {
            swe_calc_ut(jd, b.library, SEFLG_SWIEPH | SEFLG_SPEED, x, error);
            sum += x[0] + x[3];
            swe_calc_ut(jd, b.library, SEFLG_SWIEPH | SEFLG_SPEED | SEFLG_EQUATORIAL, x, error);
            sum += x[1] + x[4];
        }
        if (HasHelio(b.code)) {
            swe_calc_ut(jd, b.library, SEFLG_SWIEPH | SEFLG_SPEED | SEFLG_HELCTR, x, error);
            sum += x[0] + x[1] + x[3] + x[4];
        }
    }
    return sum;
}

int QuantitiesPerRun() {
    int n = 0;
    for (const Body& b : Bodies()) n += (HasGeo(b.code) ? 4 : 0) + (HasHelio(b.code) ? 4 : 0);
    return n;
}

void SetQuantityRate(benchmark::State& state) {
    state.counters["ns_per_quantity"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * QuantitiesPerRun(),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Random moments over 1750..2050: every run lands in new sample windows.
void BM_OurFullRun(benchmark::State& state) {
    const Ephemeris& e = OurReader();
    if (e.Value(2451545.0, 0, 0) == NoValue) {
        state.SkipWithError("generated ephemeris files not found (build target ephemeris_data)");
        return;
    }
    EphemerisCursor cursor;
    const auto& moments = RandomMoments();
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(OurRun(e, cursor, moments[i++ % MomentCount]));
    SetQuantityRate(state);
}
BENCHMARK(BM_OurFullRun)->Unit(benchmark::kMicrosecond);

void BM_OurFullRunByQuantity(benchmark::State& state) {
    const Ephemeris& e = OurReader();
    const auto& moments = RandomMoments();
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(OurRunByQuantity(e, moments[i++ % MomentCount]));
    SetQuantityRate(state);
}
BENCHMARK(BM_OurFullRunByQuantity)->Unit(benchmark::kMicrosecond);

void BM_LibraryFullRun(benchmark::State& state) {
    swe_set_ephe_path(const_cast<char*>("/usr/share/libswe/ephe"));
    const auto& moments = RandomMoments();
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(LibraryRun(moments[i++ % MomentCount]));
}
BENCHMARK(BM_LibraryFullRun)->Unit(benchmark::kMicrosecond);

// Moments `stepDays` apart from 2000-01-01, wrapping before 2050.
template <typename Run>
void Stepping(benchmark::State& state, double stepDays, Run run) {
    double jd = 2451545.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(run(jd));
        jd += stepDays;
        if (jd > 2469000.0) jd = 2451545.0;
    }
}

// What a search does: moments a quarter hour apart, so most windows are already cached.
void BM_OurFullRunStepping(benchmark::State& state) {
    const Ephemeris& e = OurReader();
    EphemerisCursor cursor;
    Stepping(state, 1.0 / 96, [&](double jd) { return OurRun(e, cursor, jd); });
    SetQuantityRate(state);
}
BENCHMARK(BM_OurFullRunStepping)->Unit(benchmark::kMicrosecond);

void BM_LibraryFullRunStepping(benchmark::State& state) {
    swe_set_ephe_path(const_cast<char*>("/usr/share/libswe/ephe"));
    Stepping(state, 1.0 / 96, LibraryRun);
}
BENCHMARK(BM_LibraryFullRunStepping)->Unit(benchmark::kMicrosecond);

// What a day-by-day listing does: one run per day.
void BM_OurFullRunDaily(benchmark::State& state) {
    const Ephemeris& e = OurReader();
    EphemerisCursor cursor;
    Stepping(state, 1.0, [&](double jd) { return OurRun(e, cursor, jd); });
    SetQuantityRate(state);
}
BENCHMARK(BM_OurFullRunDaily)->Unit(benchmark::kMicrosecond);

void BM_LibraryFullRunDaily(benchmark::State& state) {
    swe_set_ephe_path(const_cast<char*>("/usr/share/libswe/ephe"));
    Stepping(state, 1.0, LibraryRun);
}
BENCHMARK(BM_LibraryFullRunDaily)->Unit(benchmark::kMicrosecond);

// What start-up pays for the planetary files: opening (mapping) and indexing all of them.
void BM_OpenPlanetFiles(benchmark::State& state) {
    SilentMessages quiet;
    std::vector<std::filesystem::path> paths;
    for (int f = 0; f < PlanetFileCount; ++f) {
        char name[64];
        std::snprintf(name, sizeof name, QUINTARO_BINARY_DIR "/ephemeris/ephem%03d.dat", f);
        paths.push_back(std::filesystem::exists(name) ? name : "");
    }
    for (auto _ : state) {
        Ephemeris e(quiet);
        e.OpenFiles(paths);
        benchmark::DoNotOptimize(e.Value(2451545.0, 0, 0));
    }
}
BENCHMARK(BM_OpenPlanetFiles)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's processor time per iteration (wall time suffers on a shared machine) and
// prints the library/ours ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (!run.error_occurred) times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        Ratio("random moments", "BM_LibraryFullRun", "BM_OurFullRun", 25);
        Ratio("random moments, one quantity at a time", "BM_LibraryFullRun",
              "BM_OurFullRunByQuantity", 0);
        Ratio("quarter-hour steps", "BM_LibraryFullRunStepping", "BM_OurFullRunStepping", 40);
        Ratio("daily steps", "BM_LibraryFullRunDaily", "BM_OurFullRunDaily", 0);
    }

  private:
    void Ratio(const char* what, const std::string& library, const std::string& ours, int goal) {
        if (!times_.count(library) || !times_.count(ours) || times_[ours] <= 0) return;
        std::printf("full run, %s: ours is %.1f times faster than the library", what,
                    times_[library] / times_[ours]);
        if (goal > 0) std::printf(" (goal: %d)", goal);
        std::printf("\n");
    }
    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
