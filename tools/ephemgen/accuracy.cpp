// SPDX-License-Identifier: AGPL-3.0-or-later
#include "tools/ephemgen/accuracy.h"

#include <unistd.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <random>
#include <thread>

#include "core/atomic_file.h"
#include "core/calendar.h"
#include "core/ephemeris_file_format.h"
#include "tools/ephemgen/library_source.h"
#include "tools/ephemgen/planet_files.h"

namespace quintaro::ephemgen {

namespace {

constexpr const char* Names[QuantityCount] = {
    "geo longitude",   "geo latitude",      "geo longitude speed", "geo latitude speed",
    "declination",     "declination speed", "declination (true)",  "decl. speed (true)",
    "helio longitude", "helio latitude",    "helio long. speed",   "helio lat. speed"};

// Messages during a comparison are failures of the files; count them.
class CountingMessages final : public Messages {
  public:
    long count = 0;
    std::string last;
    void show(const std::string&, const std::string& text, MessageIcon) override {
        ++count;
        last = text;
    }
    bool ask(const std::string&, const std::string&) override { return false; }
};

double AngleDifference(double a, double b) {
    double d = std::fmod(a - b, 360.0);
    if (d > 180.0) d -= 360.0;
    if (d < -180.0) d += 360.0;
    return d;
}

void Keep(BodyErrors& errors, int quantity, double ours, double theirs, double jd) {
    double error = IsSpeed(quantity) ? std::fabs(ours - theirs)
                                     : std::fabs(AngleDifference(ours, theirs)) * 3600.0;
    if (ours == NoValue || !std::isfinite(ours)) error = INFINITY;
    WorstError& w = errors[quantity];
    ++w.compared;
    if (error > w.error || (std::isinf(error) && !std::isinf(w.error))) {
        w.error = error;
        w.jd = jd;
    }
}

void Merge(BodyErrors& into, const BodyErrors& from) {
    for (int q = 0; q < QuantityCount; ++q) {
        into[q].compared += from[q].compared;
        if (from[q].error > into[q].error) {
            into[q].error = from[q].error;
            into[q].jd = from[q].jd;
        }
    }
}

std::string DateOf(double jd) {
    if (jd == 0) return "";
    const CivilDate d = JDToCalendar(jd);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

// Runs `work(thread, first, end)` over [0, total) split into `threads` parts.
template <typename Work>
void Parallel(int threads, long total, Work work) {
    threads = std::max(1, threads);
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) {
        const long first = total * t / threads, end = total * (t + 1) / threads;
        pool.emplace_back([=, &work] { work(t, first, end); });
    }
    for (auto& th : pool) th.join();
}

double RandomMoment(std::mt19937_64& rng) {
    std::uniform_real_distribution<double> moment(DayTableFirstJD, DayTableFirstJD + DayTableDays);
    return moment(rng);
}

}  // namespace

const char* QuantityName(int quantity) {
    return Names[quantity];
}

bool IsSpeed(int quantity) {
    switch (quantity) {
        case GeoLongitudeSpeed:
        case GeoLatitudeSpeed:
        case DeclinationSpeed:
        case TrueDeclinationSpeed:
        case HelioLongitudeSpeed:
        case HelioLatitudeSpeed:
            return true;
        default:
            return false;
    }
}

bool HasGoal(int quantity) {
    return quantity != TrueDeclination;
}

void CompareBody(Ephemeris& e, const BodyPlan& plan, double jd, BodyErrors& errors) {
    if (plan.geoStep > 0) {
        const LibraryPoint lib =
            LibraryCompute(jd, plan.libraryBody, LibraryFrame::Geocentric, true);
        Keep(errors, GeoLongitude, e.GetValue(jd, plan.code, KindGeoLongitude), lib.longitude, jd);
        Keep(errors, GeoLatitude, e.GetValue(jd, plan.code, 1), lib.latitude, jd);
        Keep(errors, GeoLongitudeSpeed, e.GetValue(jd, plan.code, KindGeoLongitude + SpeedKind),
             lib.longitudeSpeed, jd);
        Keep(errors, GeoLatitudeSpeed, e.GetValue(jd, plan.code, 1 + SpeedKind), lib.latitudeSpeed,
             jd);
        const float decl = e.GetValue(jd, plan.code, KindDeclination);
        const float declSpeed = e.GetValue(jd, plan.code, KindDeclination + SpeedKind);
        const LibraryPoint mean = LibraryEclipticToEquatorial(lib, MeanObliquity(jd));
        Keep(errors, Declination, decl, mean.latitude, jd);
        Keep(errors, DeclinationSpeed, declSpeed, mean.latitudeSpeed, jd);
        const LibraryPoint equ =
            LibraryCompute(jd, plan.libraryBody, LibraryFrame::Equatorial, true);
        Keep(errors, TrueDeclination, decl, equ.latitude, jd);
        Keep(errors, TrueDeclinationSpeed, declSpeed, equ.latitudeSpeed, jd);
    }
    if (plan.helioStep > 0) {
        const LibraryPoint lib =
            LibraryCompute(jd, plan.libraryBody, LibraryFrame::Heliocentric, true);
        Keep(errors, HelioLongitude, e.GetValue(jd, plan.code, KindHelioLongitude), lib.longitude,
             jd);
        Keep(errors, HelioLatitude, e.GetValue(jd, plan.code, KindHelioLatitude), lib.latitude, jd);
        Keep(errors, HelioLongitudeSpeed, e.GetValue(jd, plan.code, KindHelioLongitude + SpeedKind),
             lib.longitudeSpeed, jd);
        Keep(errors, HelioLatitudeSpeed, e.GetValue(jd, plan.code, KindHelioLatitude + SpeedKind),
             lib.latitudeSpeed, jd);
    }
}

bool RunVerify(const VerifyOptions& options) {
    const auto plans = PlanetaryPlan();
    std::vector<BodyErrors> total(plans.size());
    std::mutex lock;
    long messages = 0;
    std::string lastMessage;
    bool opened = true;
    Parallel(options.threads, options.samples, [&](int thread, long first, long end) {
        UseLibraryData(options.libraryData);
        CountingMessages said;
        Ephemeris ephemeris(said);
        bool ok = true;
        for (int f = 0; f <= LastPlanetFile(); ++f)
            ok = ephemeris.OpenFile(options.folder / PlanetFileName(f), f) && ok;
        std::mt19937_64 rng(options.seed + 7919u * static_cast<unsigned>(thread));
        std::vector<BodyErrors> errors(plans.size());
        for (long i = first; i < end && ok; ++i) {
            const double jd = RandomMoment(rng);
            for (std::size_t b = 0; b < plans.size(); ++b)
                CompareBody(ephemeris, plans[b], jd, errors[b]);
        }
        std::lock_guard guard(lock);
        opened = opened && ok;
        messages += said.count;
        if (!said.last.empty()) lastMessage = said.last;
        for (std::size_t b = 0; b < plans.size(); ++b) Merge(total[b], errors[b]);
    });
    if (!opened) {
        std::fprintf(stderr, "cannot open the planetary files in %s\n", options.folder.c_str());
        return false;
    }
    bool pass = messages == 0;
    std::printf(
        "%ld random moments 1750-01-01 .. 2050-01-01 UT; positions in arcseconds, "
        "speeds in degrees per day\n",
        options.samples);
    std::printf("%-8s %-20s %14s %16s %12s  %s\n", "body", "quantity", "largest error",
                "at JD (UT)", "date", "goal");
    for (std::size_t b = 0; b < plans.size(); ++b) {
        for (int q = 0; q < QuantityCount; ++q) {
            const WorstError& w = total[b][q];
            if (w.compared == 0) continue;
            const double goal = IsSpeed(q) ? SpeedGoalDegPerDay : PositionGoalArcsec;
            const bool met = !HasGoal(q) || w.error <= goal;
            pass = pass && met;
            std::printf("%-8s %-20s %13.6f%s %16.6f %12s  %s\n", std::string(plans[b].name).c_str(),
                        QuantityName(q), w.error, IsSpeed(q) ? " " : "\"", w.jd,
                        DateOf(w.jd).c_str(),
                        !HasGoal(q) ? "(convention)"
                        : met       ? "ok"
                                    : "EXCEEDED");
        }
    }
    if (messages > 0)
        std::printf("%ld reader messages, the last: %s\n", messages, lastMessage.c_str());
    std::printf(pass ? "every goal met\n" : "GOAL EXCEEDED\n");
    return pass;
}

void RunSteps(const StepsOptions& options) {
    struct Task {
        const BodyPlan* plan;
        bool helio;
        double step;
        BodyErrors errors{};
    };
    std::vector<Task> tasks;
    for (const auto& plan : PlanetaryPlan()) {
        if (!options.bodies.empty() && std::find(options.bodies.begin(), options.bodies.end(),
                                                 plan.name) == options.bodies.end())
            continue;
        for (bool helio : {false, true}) {
            if ((helio ? plan.helioStep : plan.geoStep) <= 0) continue;
            for (double step : options.steps) tasks.push_back({&plan, helio, step});
        }
    }
    std::mutex lock;
    Parallel(
        options.threads, static_cast<long>(tasks.size()), [&](int thread, long first, long end) {
            UseLibraryData(options.libraryData);
            const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                               ("quintaro-steps-" + std::to_string(::getpid()) +
                                                "-" + std::to_string(thread) + ".dat");
            for (long i = first; i < end; ++i) {
                Task& task = tasks[i];
                BodyPlan trial = *task.plan;
                trial.geoStep = task.helio ? 0 : task.step;
                trial.helioStep = task.helio ? task.step : 0;
                const auto entries = BodyEntries(trial, false, {});
                WriteFileAtomically(file, SerializeEphemerisFile(CoverageFirstJD, CoverageLastJD,
                                                                 "step trial", entries));
                SilentMessages quiet;
                Ephemeris ephemeris(quiet);
                ephemeris.OpenFile(file, 0);
                std::mt19937_64 rng(options.samples + i);
                for (long k = 0; k < options.samples; ++k)
                    CompareBody(ephemeris, trial, RandomMoment(rng), task.errors);
                std::lock_guard guard(lock);
                std::fprintf(stderr, "measured %s %s step %g\n",
                             std::string(task.plan->name).c_str(), task.helio ? "helio" : "geo",
                             task.step);
            }
            std::filesystem::remove(file);
        });
    std::printf("%ld random moments per line; positions in arcseconds, speeds in degrees per day\n",
                options.samples);
    std::printf("%-8s %-5s %6s %10s %10s %10s %10s %10s %10s\n", "body", "frame", "step", "long",
                "lat", "long/day", "lat/day", "decl", "decl/day");
    for (const Task& t : tasks) {
        const int base = t.helio ? HelioLongitude : GeoLongitude;
        const auto& e = t.errors;
        std::printf("%-8s %-5s %6g %10.5f %10.5f %10.7f %10.7f", std::string(t.plan->name).c_str(),
                    t.helio ? "helio" : "geo", t.step, e[base].error, e[base + 1].error,
                    e[base + 2].error, e[base + 3].error);
        if (!t.helio)
            std::printf(" %10.5f %10.7f", e[Declination].error, e[DeclinationSpeed].error);
        std::printf("\n");
    }
}

}  // namespace quintaro::ephemgen
