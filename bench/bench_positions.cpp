// SPDX-License-Identifier: AGPL-3.0-or-later
// Positions at a moment over every slot (geocentric plus heliocentric), one body at a time
// through PositionAt, and the load time of one free-slot body's four 1900 day tables (goal:
// 25 ms for the 219 152 numbers).
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "core/bodies.h"
#include "core/day_tables.h"
#include "core/ephemeris.h"
#include "core/ephemeris_loader.h"
#include "core/positions.h"

namespace {

using namespace quintaro;

const std::filesystem::path GeneratedFolder =
    std::filesystem::path(QUINTARO_BINARY_DIR) / "ephemeris";

// Where the four 1900 tables of "pholus" are: the generated ones, else written here once with
// six decimals, the way the production tool writes them.
std::filesystem::path DayTableFolder(bool& synthetic) {
    synthetic = !std::filesystem::exists(GeneratedFolder / "pholus1900l.eph");
    if (!synthetic) return GeneratedFolder;
    auto folder =
        std::filesystem::temp_directory_path() / ("quintaro-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::mt19937 random(1);
    std::uniform_real_distribution<double> value(-30, 359.999);
    for (DayKind kind : AllDayKinds) {
        std::ofstream out(folder / DayTableFileName("pholus", kind, DayPeriod::From1900));
        char number[32];
        for (int k = 0; k < Count1900; ++k) {
            std::snprintf(number, sizeof number, "%.6f\n", value(random));
            out << number;
        }
    }
    return folder;
}

void BM_LoadOneBody1900Tables(benchmark::State& state) {
    bool synthetic = false;
    const auto folder = DayTableFolder(synthetic);
    for (auto _ : state) {
        DayTables tables;
        std::string error = LoadBodyDayTables(folder, "pholus", 21, DayPeriod::From1900, tables);
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
        benchmark::DoNotOptimize(tables.Row(21, DayKind::GeoLong));
    }
    state.SetLabel(synthetic ? "synthetic files" : "generated files");
    state.counters["numbers"] = 4.0 * Count1900;
    if (synthetic) std::filesystem::remove_all(folder);
}
BENCHMARK(BM_LoadOneBody1900Tables)->Unit(benchmark::kMillisecond);

// The workstation's ephemeris state as at start-up, over a private installation folder.
struct Loaded {
    std::filesystem::path home = std::filesystem::temp_directory_path() /
                                 ("quintaro-bench-home-" + std::to_string(::getpid()));
    SilentMessages messages;
    BodyCatalogue catalogue = MakeBodyCatalogue();
    Ephemeris ephemeris{messages};
    DayTables tables;
    int planetFiles = 0;

    Loaded() {
        InstallEphemerisFrom(GeneratedFolder, home, messages);
        SelectLoadFiles(home, catalogue, messages);
        planetFiles = OpenPlanetFiles(home, ephemeris);
        LoadDayTables(home, catalogue, SelectionFlags::All(), tables, messages, {});
    }
    ~Loaded() { std::filesystem::remove_all(home); }
};

Loaded& State() {
    static Loaded loaded;
    return loaded;
}

std::vector<double> Moments() {
    std::mt19937 random(2);
    std::uniform_real_distribution<double> jd(2415020.5, 2469807.5);
    std::vector<double> moments(1024);
    for (double& m : moments) m = jd(random);
    return moments;
}

void BM_GeoAndHelioAllSlots(benchmark::State& state) {
    Loaded& loaded = State();
    if (loaded.planetFiles == 0) {
        state.SkipWithError("no generated planetary files in the build's ephemeris folder");
        return;
    }
    Positions positions(loaded.ephemeris, loaded.tables, loaded.messages);
    const auto moments = Moments();
    WorkingPositions geo, helio;
    std::size_t k = 0;
    for (auto _ : state) {
        double jd = moments[k++ % moments.size()];
        positions.ComputeGeoPositions(jd, 0, geo);
        positions.ComputeHelioPositions(jd, 0, helio);
        benchmark::DoNotOptimize(geo.WorkLong.data());
        benchmark::DoNotOptimize(helio.WorkLong.data());
    }
    state.counters["free slots"] = loaded.catalogue.NextFreeSlot - FirstFreeSlot;
}
BENCHMARK(BM_GeoAndHelioAllSlots)->Unit(benchmark::kMicrosecond);

void BM_PositionAtOneBody(benchmark::State& state) {
    Loaded& loaded = State();
    const int slot = static_cast<int>(state.range(0));
    if (slot <= SlotJuno && loaded.planetFiles == 0) {
        state.SkipWithError("no generated planetary files in the build's ephemeris folder");
        return;
    }
    if (slot > SlotJuno && !loaded.tables.Loaded(slot)) {
        state.SkipWithError("no day tables loaded for this slot");
        return;
    }
    Positions positions(loaded.ephemeris, loaded.tables, loaded.messages);
    const auto moments = Moments();
    std::size_t k = 0;
    for (auto _ : state) {
        double jd = moments[k++ % moments.size()];
        benchmark::DoNotOptimize(positions.PositionAt(jd, slot, Frame::Geocentric));
    }
}
BENCHMARK(BM_PositionAtOneBody)->Arg(SlotSun)->Arg(SlotMoon)->Arg(SlotMars)->Arg(21);

}  // namespace

BENCHMARK_MAIN();
