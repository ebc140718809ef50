// SPDX-License-Identifier: AGPL-3.0-or-later
// Ten years of aspectarian for the ten classical bodies, transits to transits, every aspect and
// every event kind, both passes: fed by our ephemeris files, and the same run fed by the reference
// library computing the same quantities (geocentric ecliptic longitude with speed, declination with
// speed, heliocentric longitude and latitude with speeds). Prints the ratio at the end.
#include <benchmark/benchmark.h>
#include <swephexp.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "aspects/aspectarian_engine.h"
#include "core/bodies.h"
#include "core/day_tables.h"
#include "core/ephemeris.h"
#include "core/positions.h"

namespace {

using namespace quintaro;

AspectarianInput TenYears() {
    AspectarianInput input;
    input.from = {2000, 1, 1};
    input.to = {2009, 12, 31};
    for (int slot = SlotSun; slot <= SlotPluto; ++slot) input.transitBodies.push_back(slot);
    input.pairing = AspectarianPairing::TransitTransit;
    for (int key = FirstKey; key <= LastKey; ++key) input.aspects[static_cast<size_t>(key)] = true;
    input.events = {true, true, true, true, true};
    input.passes = AspectarianPasses::Both;
    return input;
}

Positions& OurPositions() {
    static SilentMessages quiet;
    static Ephemeris ephemeris(quiet);
    static DayTables tables;
    static Positions positions = [] {
        for (int f = 0; f < PlanetFileCount; ++f) {
            char name[64];
            std::snprintf(name, sizeof name, QUINTARO_BINARY_DIR "/ephemeris/ephem%03d.dat", f);
            ephemeris.OpenFile(name, f);
        }
        return Positions(ephemeris, tables, quiet);
    }();
    return positions;
}

int LibraryBody(int slot) {
    static const std::map<int, int> bodies = {
        {SlotSun, SE_SUN},       {SlotMercury, SE_MERCURY}, {SlotVenus, SE_VENUS},
        {SlotMoon, SE_MOON},     {SlotMars, SE_MARS},       {SlotJupiter, SE_JUPITER},
        {SlotSaturn, SE_SATURN}, {SlotUranus, SE_URANUS},   {SlotNeptune, SE_NEPTUNE},
        {SlotPluto, SE_PLUTO},   {SlotEarth, SE_EARTH}};
    auto it = bodies.find(slot);
    return it == bodies.end() ? -1 : it->second;
}

// The positions function over the reference library, as our own gives it.
BodyPoint LibraryPosition(double jd, int slot, Frame frame) {
    BodyPoint p;
    const int body = LibraryBody(slot);
    if (body < 0) return p;
    double x[6];
    char error[AS_MAXCH];
    if (frame == Frame::Geocentric) {
        if (swe_calc_ut(jd, body, SEFLG_SWIEPH | SEFLG_SPEED, x, error) < 0) return p;
        p.longitude = x[0];
        p.longitudeSpeed = x[3];
        if (swe_calc_ut(jd, body, SEFLG_SWIEPH | SEFLG_SPEED | SEFLG_EQUATORIAL, x, error) < 0)
            return p;
        p.second = x[1];
        p.secondSpeed = x[4];
    } else {
        if (swe_calc_ut(jd, body, SEFLG_SWIEPH | SEFLG_SPEED | SEFLG_HELCTR, x, error) < 0)
            return p;
        p.longitude = x[0];
        p.second = x[1];
        p.longitudeSpeed = x[3];
        p.secondSpeed = x[4];
    }
    p.valid = true;
    return p;
}

void Report(benchmark::State& state, const AspectarianResult& r) {
    state.counters["events"] =
        static_cast<double>(r.geocentric.events.size() + r.heliocentric.events.size());
    state.counters["days"] = static_cast<double>(r.days);
}

void BM_OurTenYears(benchmark::State& state) {
    Positions& positions = OurPositions();
    if (!positions.PositionAt(2451545.0, SlotSun, Frame::Geocentric).valid) {
        state.SkipWithError("generated ephemeris files not found (build target ephemeris_data)");
        return;
    }
    const AspectarianInput input = TenYears();
    const PositionAtMoment positionAt = positions.AsFunction();
    SilentMessages quiet;
    AspectarianResult r;
    for (auto _ : state) {
        r = RunAspectarian(input, positionAt, quiet);
        if (r.outcome != AspectarianOutcome::Complete) state.SkipWithError("the run did not end");
    }
    Report(state, r);
}
BENCHMARK(BM_OurTenYears)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_LibraryTenYears(benchmark::State& state) {
    swe_set_ephe_path(const_cast<char*>("/usr/share/libswe/ephe"));
    const AspectarianInput input = TenYears();
    SilentMessages quiet;
    AspectarianResult r;
    for (auto _ : state) {
        r = RunAspectarian(input, LibraryPosition, quiet);
        if (r.outcome != AspectarianOutcome::Complete) state.SkipWithError("the run did not end");
    }
    Report(state, r);
}
BENCHMARK(BM_LibraryTenYears)->Unit(benchmark::kMillisecond)->Iterations(1);

// Keeps each benchmark's processor time per iteration (wall time suffers on a shared machine) and
// prints the library/ours ratio at the end.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (!run.error_occurred) times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const std::string ours = "BM_OurTenYears/iterations:5";
        const std::string library = "BM_LibraryTenYears/iterations:1";
        if (times_.count(ours))
            std::printf("ten years, both passes: %.0f ms of processor time (goal: under 1000)\n",
                        times_[ours]);
        if (times_.count(ours) && times_.count(library) && times_[ours] > 0)
            std::printf("fed by the library instead: ours is %.1f times faster (goal: 20)\n",
                        times_[library] / times_[ours]);
    }

  private:
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
