// SPDX-License-Identifier: AGPL-3.0-or-later
// All thirteen house systems for one chart (goal: under 20 microseconds), beside the Swiss
// Ephemeris house function for the nine systems both define.
#include <benchmark/benchmark.h>
#include <swephexp.h>

#include "core/houses.h"

namespace {

using namespace quintaro;

ChartData SampleChart() {
    ChartData data;
    data.year = 1987;
    data.month = 4;
    data.day = 10;
    data.time = {{7, 21}, Meridiem::PM};
    data.zone = 5;
    data.longitude = {{87, 38}, EastWest::West};
    data.latitude = {{41, 52}, NorthSouth::North};
    return data;
}

void BM_ThirteenSystemsForOneChart(benchmark::State& state) {
    ChartData data = SampleChart();
    SilentMessages messages;
    NatalReference natal{123.4, 20.5};
    ChartHouses houses;
    for (auto _ : state) {
        for (std::string_view name : HouseSystemNames) {
            ComputeHouseCusps(data, *FindHouseSystem(name), natal, houses, messages);
            benchmark::DoNotOptimize(houses.HouseCusps);
        }
    }
}
BENCHMARK(BM_ThirteenSystemsForOneChart);

void BM_ThirteenSystemsFromRamc(benchmark::State& state) {
    NatalReference natal{123.4, 20.5};
    for (auto _ : state) {
        for (std::string_view name : HouseSystemNames) {
            HouseCuspResult r = CuspsFromRamc(*FindHouseSystem(name), 128.74, 41.87, 23.44, natal);
            benchmark::DoNotOptimize(r);
        }
    }
}
BENCHMARK(BM_ThirteenSystemsFromRamc);

void BM_SwissEphemerisNineSystems(benchmark::State& state) {
    double cusps[13], ascmc[10];
    for (auto _ : state) {
        for (char letter : {'P', 'K', 'C', 'R', 'O', 'A', 'D', 'X', 'M'}) {
            swe_houses_armc(128.74, 41.87, 23.44, letter, cusps, ascmc);
            benchmark::DoNotOptimize(cusps);
        }
    }
}
BENCHMARK(BM_SwissEphemerisNineSystems);

}  // namespace

BENCHMARK_MAIN();
