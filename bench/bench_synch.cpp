// SPDX-License-Identifier: AGPL-3.0-or-later
// Synchronization and symmetry with every body taking part: an installation whose 33 free slots
// hold bodies (copies of one body's tables under 33 names), all 53 natal and 53 transit bodies
// selected and listed in one synchronization file. The day-by-day run recomputes the charts of
// the installation as they are; the searches alone run on those charts with the free-slot bodies
// spread around the circle.
//   one-day synchronization, four kinds            goal   1 ms
//   symmetrical patterns, both kinds, four passes  goal  50 ms
//   a month day by day (charts recomputed daily)   goal 0.5 s
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "app/synch_runs.h"
#include "core/ephemeris_loader.h"
#include "synch/symmetry.h"
#include "synch/synch_day.h"

namespace {

using namespace quintaro;

// A started session with all 106 body sides selected and the file "all.syn" listing them all.
struct EveryBody {
    std::filesystem::path home;
    SilentMessages messages;
    std::unique_ptr<Session> session;
    std::filesystem::path file;

    EveryBody() {
        home = std::filesystem::temp_directory_path() /
               ("quintaro-bench-synch-" + std::to_string(::getpid()));
        std::filesystem::create_directories(home);
        {
            Session first(home, messages);
            StartSession(first);  // installs the default and generated files
        }
        const auto folder = LoadFolderPath(home);
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().extension() == ".eph") std::filesystem::remove(entry.path());
        const auto source = GeneratedEphemerisSource();
        for (int body = 1; body <= FreeSlotCount; ++body) {
            const std::string name = "b" + std::string(body < 10 ? "0" : "") + std::to_string(body);
            for (DayKind kind : AllDayKinds)
                std::filesystem::copy_file(
                    source / DayTableFileName("pholus", kind, DayPeriod::From1900),
                    folder / DayTableFileName(name, kind, DayPeriod::From1900),
                    std::filesystem::copy_options::overwrite_existing);
        }
        session = std::make_unique<Session>(home, messages);
        session->workstation.clock = [] { return DateTimeParts{2024, 3, 14, 9, 30, 0}; };
        StartSession(*session);
        ApplySelection(*session, SelectionFlags::All());
        file = home / "all.syn";
        std::ofstream(file) << MemberTextOfSelection(SelectionFlags::All(),
                                                     session->workstation.catalogue);
        LoadSynchFiles(*session, {file});
    }
    ~EveryBody() {
        session.reset();
        std::filesystem::remove_all(home);
    }
    std::vector<SynchSource> sources() { return *ReadSynchSources(*session); }

    // The computed charts with the free-slot bodies spread around the circle: they all share
    // one body's tables here, and 33 bodies on one point would make every triple a pattern.
    ChartPositions spreadRecord() const {
        ChartPositions record = session->workstation.record;
        for (ChartKinds* chart : {&record.Natal, &record.Transit})
            for (int slot = FirstFreeSlot; slot <= BodyCount; ++slot) {
                const double turn = 137.508 * slot + (chart == &record.Transit ? 61.8 : 0);
                chart->GeoLong[slot] = std::fmod(chart->GeoLong[slot] + turn, 360.0);
                chart->HelioLong[slot] = std::fmod(chart->HelioLong[slot] + turn, 360.0);
                chart->GeoDecl[slot] = 25 * std::sin(turn);
                chart->HelioLat[slot] = 6 * std::cos(turn);
            }
        return record;
    }
};

EveryBody& Installation() {
    static EveryBody every;
    return every;
}

void BM_SynchOneDay(benchmark::State& state) {
    EveryBody& every = Installation();
    const Workstation& ws = every.session->workstation;
    const std::vector<SynchSource> sources = every.sources();
    if (sources.front().members.members.size() != 106) state.SkipWithError("not 106 members");
    const ChartPositions record = every.spreadRecord();
    size_t found = 0;
    for (auto _ : state) {
        SynchDayResult day = RunSynchDay({record, ws.flags(), ws.catalogue}, sources,
                                         DefaultSynchOrbs, ws.groups.priorities);
        found = 0;
        for (const SynchKindResult& kind : day.kinds) found += kind.records.size();
        benchmark::DoNotOptimize(day);
    }
    state.counters["synchronizations"] = static_cast<double>(found);
}
BENCHMARK(BM_SynchOneDay)->Unit(benchmark::kMicrosecond);

// The whole command as the window runs it on the computed charts: the file read again, the
// search, the four listing files written (each flushed to the disk).
void BM_SynchOneDayCommand(benchmark::State& state) {
    EveryBody& every = Installation();
    for (auto _ : state) CalculateSynchOneDay(*every.session, DefaultSynchOrbs);
}
BENCHMARK(BM_SynchOneDayCommand)->Unit(benchmark::kMicrosecond);

// Orb and capacity: with the orb of the first argument (hundredths of a degree) and the largest
// capacity nothing is cut short, so every test of every pass is made; the second run is what a
// user gets by default (orb 3, capacity 1000: the passes stop at the limit).
void BM_SymmetryAllPasses(benchmark::State& state) {
    EveryBody& every = Installation();
    const Workstation& ws = every.session->workstation;
    const std::vector<SynchSource> sources = every.sources();
    const ChartPositions record = every.spreadRecord();
    SymmetryInputs in{record, ws.flags(), ws.groups.synch.live, ws.catalogue};
    const double orb = static_cast<double>(state.range(0)) / 100;
    in.orbs = {orb, orb};
    in.capacity = static_cast<int>(state.range(1));
    size_t patterns = 0;
    bool cut = false;
    for (auto _ : state) {
        SymmetryResult result;
        FindSymmetricalPatterns(in, sources.front().members, result, every.messages);
        patterns = result.kinds[0].patterns.size() + result.kinds[1].patterns.size();
        cut = false;
        for (const auto& kind : result.kinds)
            for (bool reached : kind.limitReached) cut = cut || reached;
        benchmark::DoNotOptimize(result);
    }
    state.counters["patterns"] = static_cast<double>(patterns);
    state.counters["cut_short"] = cut ? 1 : 0;
}
BENCHMARK(BM_SymmetryAllPasses)
    ->Args({50, 32767})
    ->Args({300, 1000})
    ->Unit(benchmark::kMillisecond);

void BM_SynchMonthDayByDay(benchmark::State& state) {
    EveryBody& every = Installation();
    const auto out = every.home / "reports" / "month.sbd";
    for (auto _ : state)
        if (CalculateSynchForDays(*every.session, 2024, 3, DefaultSynchOrbs, out, {}) !=
            SynchMonthOutcome::Written)
            state.SkipWithError("the month was not written");
}
BENCHMARK(BM_SynchMonthDayByDay)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
