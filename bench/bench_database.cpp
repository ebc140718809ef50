// SPDX-License-Identifier: AGPL-3.0-or-later
// Person databases at research size: importing a list of 10 000 players (goal 2 s), opening that
// database and listing every name alphabetically (goal 300 ms), a search (goal 100 ms), both
// on an open database and including reading the file, and the natal positions of every record
// (goal 2 s, as `db positions` computes them). The list is generated here.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "app/record_positions.h"
#include "app/session.h"
#include "core/messages.h"
#include "database/list_import.h"
#include "database/person_listing.h"

namespace {

using namespace quintaro;

constexpr int kPlayers = 10000;

std::filesystem::path BenchFolder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() /
                    ("quintaro-bench-database-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

// Made-up players from syllables, birth dates spread over 40 years.
std::filesystem::path PlayerList() {
    auto list = BenchFolder() / "players.csv";
    if (std::filesystem::exists(list)) return list;
    static const char* const kSyllables[] = {"an",  "bel", "cor",  "dra", "el",  "fen", "gar",
                                             "hol", "ist", "jor",  "kel", "lun", "mar", "nor",
                                             "ost", "pel", "quin", "ros", "sel", "tor"};
    std::mt19937 engine(7);
    std::uniform_int_distribution<int> syllable(0, 19), day(1, 28), month(1, 12), year(1960, 1999);
    auto word = [&](int length) {
        std::string w;
        for (int i = 0; i < length; ++i) w += kSyllables[syllable(engine)];
        w[0] = static_cast<char>(w[0] - 'a' + 'A');
        return w;
    };
    std::ofstream out(list);
    out << "Name,Birth date,Team,Number,Position,Weight,Bats/Throws\n";
    for (int i = 0; i < kPlayers; ++i) {
        out << word(2) << ' ' << word(3) << ',' << month(engine) << '/' << day(engine) << '/'
            << year(engine) << ",Team " << word(2) << ',' << i % 100 << ",P," << 170 + i % 80
            << ",R/R\n";
    }
    return list;
}

std::filesystem::path ImportedDatabase() {
    auto database = BenchFolder() / "players.apd";
    if (!std::filesystem::exists(database)) {
        SilentMessages messages;
        ImportList(ListKind::Mlb, PlayerList(), database, messages, SystemRandomUnit());
    }
    return database;
}

void BM_ImportTenThousandPlayers(benchmark::State& state) {
    auto list = PlayerList();
    auto database = BenchFolder() / "import.apd";
    SilentMessages messages;
    RandomUnit random = SystemRandomUnit();
    for (auto _ : state) {
        ImportOutcome outcome = ImportList(ListKind::Mlb, list, database, messages, random);
        if (outcome.records != kPlayers) state.SkipWithError("the import did not finish");
    }
}
BENCHMARK(BM_ImportTenThousandPlayers)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OpenAndListAlphabetically(benchmark::State& state) {
    auto database = ImportedDatabase();
    for (auto _ : state) {
        std::string error;
        auto listing = ReadListing(database, error);
        if (!listing || listing->people.size() != kPlayers) state.SkipWithError("no listing");
        SortListing(listing->people, ListingOrder::Name);
        benchmark::DoNotOptimize(listing->people.front().primaryName);
    }
}
BENCHMARK(BM_OpenAndListAlphabetically)->Unit(benchmark::kMillisecond);

void BM_SearchOpenDatabase(benchmark::State& state) {
    std::string error;
    auto listing = ReadListing(ImportedDatabase(), error);
    for (auto _ : state) benchmark::DoNotOptimize(SearchListing(listing->people, "Quinmar"));
}
BENCHMARK(BM_SearchOpenDatabase)->Unit(benchmark::kMillisecond);

void BM_SearchReadingTheFile(benchmark::State& state) {
    auto database = ImportedDatabase();
    for (auto _ : state) {
        std::string error;
        auto listing = ReadListing(database, error);
        benchmark::DoNotOptimize(SearchListing(listing->people, "Quinmar"));
    }
}
BENCHMARK(BM_SearchReadingTheFile)->Unit(benchmark::kMillisecond);

// `db positions`: the file read, then every record's geocentric longitudes of the natal
// selection (the players are charted at noon in their list's zone).
void BM_PositionsOfEveryRecord(benchmark::State& state) {
    auto database = ImportedDatabase();
    SilentMessages messages;
    Session session(BenchFolder() / "home", messages);
    if (!StartSession(session)) state.SkipWithError("the session did not start");
    Workstation& ws = session.workstation;
    const auto slots = PositionSlots(ws.flags(), PositionKind::GeoLong);
    for (auto _ : state) {
        std::string error;
        auto listing = ReadListing(database, error);
        const PositionsTable table = NatalPositionsTable(
            ws.positions, listing->people, slots, PositionKind::GeoLong, ws.homeLocation.zone);
        if (table.rows.size() != kPlayers) state.SkipWithError("records were skipped");
        benchmark::DoNotOptimize(table.rows.back().values);
    }
    state.counters["bodies"] = static_cast<double>(slots.size());
}
BENCHMARK(BM_PositionsOfEveryRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(BenchFolder());
    return 0;
}
