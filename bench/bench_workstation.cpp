// SPDX-License-Identifier: AGPL-3.0-or-later
// The workstation as a user meets it: start-up to the first computed "Now" chart in a prepared
// installation folder (goal 0.3 s), the same with 33 free-slot bodies selected (goal 1 s), and one
// run of the chart computation without the exact-time search (goal 1 ms).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>

#include "app/session.h"
#include "core/ephemeris_loader.h"

namespace {

using namespace quintaro;

std::filesystem::path PreparedHome(const char* name) {
    auto home = std::filesystem::temp_directory_path() /
                ("quintaro-bench-" + std::string(name) + "-" + std::to_string(::getpid()));
    std::filesystem::create_directories(home);
    SilentMessages messages;
    Session first(home, messages);
    StartSession(first);  // the first start installs the default and generated files
    return home;
}

// 33 free-slot bodies: copies of one body's 1900 tables under 33 names, all selected.
std::filesystem::path HomeWith33Bodies() {
    auto home = PreparedHome("33");
    auto folder = LoadFolderPath(home);
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".eph") std::filesystem::remove(entry.path());
    auto source = GeneratedEphemerisSource();
    for (int body = 1; body <= 33; ++body) {
        std::string name = "body" + std::to_string(body);
        for (DayKind kind : AllDayKinds)
            std::filesystem::copy_file(
                source / DayTableFileName("pholus", kind, DayPeriod::From1900),
                folder / DayTableFileName(name, kind, DayPeriod::From1900),
                std::filesystem::copy_options::overwrite_existing);
    }
    return home;
}

void BM_StartUpToFirstChart(benchmark::State& state) {
    auto home = PreparedHome("startup");
    SilentMessages messages;
    for (auto _ : state) {
        Session session(home, messages);
        StartSession(session);
        benchmark::DoNotOptimize(session.workstation.chartsComputed);
    }
    std::filesystem::remove_all(home);
}
BENCHMARK(BM_StartUpToFirstChart)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StartUpWith33FreeBodies(benchmark::State& state) {
    auto home = HomeWith33Bodies();
    SilentMessages messages;
    for (auto _ : state) {
        Session session(home, messages);
        StartSession(session);
        // The default groups leave the free slots off: switch all 33 on as the body options
        // window would, which loads their tables and recomputes.
        SelectionFlags flags = session.workstation.flags();
        for (int slot = FirstFreeSlot; slot <= BodyCount; ++slot) flags.setNatal(slot, true);
        ApplySelection(session, flags);
        if (!session.workstation.tables.Loaded(BodyCount)) state.SkipWithError("not loaded");
    }
    std::filesystem::remove_all(home);
}
BENCHMARK(BM_StartUpWith33FreeBodies)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ComputeCharts(benchmark::State& state) {
    auto home = PreparedHome("pipeline");
    SilentMessages messages;
    Session session(home, messages);
    StartSession(session);
    for (auto _ : state) {
        ComputeCharts(session);
        benchmark::DoNotOptimize(session.lists);
    }
    std::filesystem::remove_all(home);
}
BENCHMARK(BM_ComputeCharts)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
