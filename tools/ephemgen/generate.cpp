// SPDX-License-Identifier: AGPL-3.0-or-later
#include "tools/ephemgen/generate.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>

#include "tools/ephemgen/body_plan.h"
#include "tools/ephemgen/day_tables.h"
#include "tools/ephemgen/library_source.h"
#include "tools/ephemgen/planet_files.h"

namespace quintaro::ephemgen {

namespace {

using Clock = std::chrono::steady_clock;

struct Job {
    std::string label;
    std::function<std::string(const Progress&)> run;  // empty string on success
};

// Runs jobs on `threads` threads; each reports its progress in steps of a fifth.
std::string RunJobs(std::vector<Job>& jobs, int threads, const std::string& libraryData) {
    std::atomic<std::size_t> next{0};
    std::mutex lock;
    std::string failure;
    const auto started = Clock::now();
    auto say = [&](const std::string& text) {
        const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
        std::lock_guard guard(lock);
        std::fprintf(stderr, "[%6.1fs] %s\n", seconds, text.c_str());
    };
    auto worker = [&] {
        UseLibraryData(libraryData);
        for (std::size_t i = next++; i < jobs.size(); i = next++) {
            const Job& job = jobs[i];
            std::string lastText;
            long lastFifth = -1;
            Progress progress = [&](std::string_view text, long done, long total) {
                const long fifth = total > 0 ? done * 5 / total : 0;
                if (text != lastText || fifth != lastFifth) {
                    lastText = std::string(text);
                    lastFifth = fifth;
                    say(job.label + ": " + lastText + " " + std::to_string(fifth * 20) + "%");
                }
                return true;
            };
            std::string why;
            try {
                why = job.run(progress);
            } catch (const std::exception& e) {
                why = e.what();
            }
            say(job.label + (why.empty() ? ": done" : ": FAILED: " + why));
            if (!why.empty()) {
                std::lock_guard guard(lock);
                if (failure.empty()) failure = job.label + ": " + why;
            }
        }
    };
    std::vector<std::thread> pool;
    for (int t = 0; t < std::max(1, threads); ++t) pool.emplace_back(worker);
    for (auto& t : pool) t.join();
    return failure;
}

}  // namespace

std::vector<MidpointRequest> DefaultMidpoints() {
    return {
        {"saturn", "jupiter", "hjp"}, {"saturn", "chiron", "hki"}, {"jupiter", "chiron", "jki"}};
}

std::string Generate(const GenerateOptions& options) {
    std::error_code ec;
    std::filesystem::create_directories(options.folder, ec);
    if (ec) return "cannot create " + options.folder.string() + ": " + ec.message();

    // Every body whose day series is needed, computed once.
    std::map<std::string, std::optional<DaySeries>> series;
    for (const auto& b : options.bodies) series[b];
    for (const auto& m : options.midpoints) {
        series[m.first];
        series[m.second];
    }
    for (const auto& [name, unused] : series)
        if (!LibraryBodyOf(name)) return "unknown body name \"" + name + "\"";

    std::vector<Job> jobs;
    if (options.planets) {
        for (int f = 0; f <= LastPlanetFile(); ++f)
            jobs.push_back({PlanetFileName(f), [&options, f](const Progress& p) {
                                return WritePlanetFile(options.folder, f, p);
                            }});
    }
    for (auto& [name, slot] : series) {
        jobs.push_back({name + " days", [&, name = name, slotPtr = &slot](const Progress& p) {
                            *slotPtr = BodyDaySeries(*LibraryBodyOf(name), p);
                            return *slotPtr ? std::string()
                                            : std::string("Operation stopped by user");
                        }});
    }
    if (std::string why = RunJobs(jobs, options.threads, options.libraryData); !why.empty())
        return why;

    for (const auto& b : options.bodies)
        if (std::string why = WriteDayTables(options.folder, b, *series[b]); !why.empty())
            return why;
    for (const auto& m : options.midpoints) {
        const DaySeries mid = MidpointSeries(*series[m.first], *series[m.second]);
        if (std::string why = WriteDayTables(options.folder, m.name, mid); !why.empty()) return why;
    }
    return {};
}

}  // namespace quintaro::ephemgen
