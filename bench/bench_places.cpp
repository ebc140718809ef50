// SPDX-License-Identifier: AGPL-3.0-or-later
// Places and zones: atlas start-up (goal under 100 ms) from the cache file and, for comparison,
// from libgeonames; a search as the Place field runs it at each key (goal under 5 ms); a zone
// lookup of a local time (goal under 5 µs), with the date library's own local lookup, which it
// builds on, beside it.
#include <benchmark/benchmark.h>
#include <date/tz.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "places/atlas_cache.h"
#include "places/geonames_cities.h"
#include "places/zone_database.h"

namespace {

using namespace quintaro;

std::filesystem::path CacheFile() {
    static const std::filesystem::path file = [] {
        auto folder = std::filesystem::temp_directory_path() /
                      ("quintaro-bench-places-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        auto path = folder / "atlas.cache";
        LoadAtlasCities(path);  // writes the cache
        return path;
    }();
    return file;
}

const Atlas& SharedAtlas() {
    static const Atlas atlas(LoadAtlasCities(CacheFile()), {});
    return atlas;
}

void BM_AtlasStartUpFromCache(benchmark::State& state) {
    const auto file = CacheFile();
    for (auto _ : state) {
        Atlas atlas(LoadAtlasCities(file), {});
        benchmark::DoNotOptimize(atlas.size());
    }
}
BENCHMARK(BM_AtlasStartUpFromCache)->Unit(benchmark::kMillisecond);

void BM_AtlasStartUpFromLibrary(benchmark::State& state) {
    for (auto _ : state) {
        Atlas atlas(LoadGeonamesCities(), {});
        benchmark::DoNotOptimize(atlas.size());
    }
}
BENCHMARK(BM_AtlasStartUpFromLibrary)->Unit(benchmark::kMillisecond);

// What a user types, key by key: short beginnings match thousands of places.
const char* const kTyped[] = {"s",      "sa",      "san",          "new y",    "london",
                              "zürich", "kolkata", "paris, texas", "nwe yrok", "york"};

void BM_Search(benchmark::State& state) {
    const Atlas& atlas = SharedAtlas();
    const char* typed = kTyped[state.range(0)];
    for (auto _ : state) benchmark::DoNotOptimize(atlas.search(typed, 10));
    state.SetLabel(typed);
}
BENCHMARK(BM_Search)->DenseRange(0, 9)->Unit(benchmark::kMicrosecond);

void BM_ClosestForAnUnknownPlace(benchmark::State& state) {
    const Atlas& atlas = SharedAtlas();
    for (auto _ : state) benchmark::DoNotOptimize(atlas.closest("Nwe Yrok", 5));
}
BENCHMARK(BM_ClosestForAnUnknownPlace)->Unit(benchmark::kMillisecond);

// Random cities of the atlas at random local times of 1900 to 2050.
struct Lookup {
    const GeoPlace* city;
    LocalDateTime local;
};
const std::vector<Lookup>& Lookups() {
    static const std::vector<Lookup> lookups = [] {
        std::mt19937 engine(11);
        const auto& places = SharedAtlas().places();
        std::uniform_int_distribution<size_t> city(0, places.size() - 1);
        std::uniform_int_distribution<int> year(1900, 2050), month(1, 12), day(1, 28), hour(0, 23),
            minute(0, 59);
        std::vector<Lookup> made;
        for (int k = 0; k < 4096; ++k)
            made.push_back(
                {&places[city(engine)],
                 {year(engine), month(engine), day(engine), hour(engine), minute(engine), 0}});
        return made;
    }();
    return lookups;
}

void BM_ZoneLookup(benchmark::State& state) {
    static const ZoneDatabase zones;
    const auto& lookups = Lookups();
    for (const Lookup& l : lookups) zones.atLocalTime(l.city->zoneName, l.local);  // files read
    size_t k = 0;
    for (auto _ : state) {
        const Lookup& l = lookups[k++ & 4095];
        benchmark::DoNotOptimize(zones.atLocalTime(l.city->zoneName, l.local, l.city->longitude));
    }
}
BENCHMARK(BM_ZoneLookup);

void BM_ZoneAtInstant(benchmark::State& state) {
    static const ZoneDatabase zones;
    const auto& lookups = Lookups();
    size_t k = 0;
    for (auto _ : state) {
        const Lookup& l = lookups[k++ & 4095];
        const std::int64_t ut = (l.local.year - 1970) * 31556952LL + l.local.hour * 3600;
        benchmark::DoNotOptimize(zones.atInstant(l.city->zoneName, ut, l.city->longitude));
    }
}
BENCHMARK(BM_ZoneAtInstant);

// The date library's own lookup of a local time by zone name, without the closing rules and
// local mean time: what the lookup above builds on.
void BM_DateLibraryLocalInfo(benchmark::State& state) {
    const auto& lookups = Lookups();
    size_t k = 0;
    for (auto _ : state) {
        const Lookup& l = lookups[k++ & 4095];
        const auto* zone = date::locate_zone(l.city->zoneName);
        const auto local =
            date::local_days{date::year{l.local.year} / static_cast<unsigned>(l.local.month) /
                             static_cast<unsigned>(l.local.day)} +
            std::chrono::hours{l.local.hour} + std::chrono::minutes{l.local.minute};
        benchmark::DoNotOptimize(zone->get_info(local));
    }
}
BENCHMARK(BM_DateLibraryLocalInfo);

}  // namespace

BENCHMARK_MAIN();
