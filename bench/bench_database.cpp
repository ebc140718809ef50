// SPDX-License-Identifier: AGPL-3.0-or-later
// Person databases at research size: importing a list of 10 000 players (goal 2 s), opening that
// database and listing every name alphabetically (goal 300 ms), and a search (goal 100 ms), both
// on an open database and including reading the file. The list is generated here.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

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

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(BenchFolder());
    return 0;
}
