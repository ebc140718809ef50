// SPDX-License-Identifier: AGPL-3.0-or-later
#include "tools/ephemgen/accuracy.h"

#include <swephexp.h>
#include <unistd.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <random>
#include <thread>

#include "core/atomic_file.h"
#include "core/bodies.h"
#include "core/calendar.h"
#include "core/day_tables.h"
#include "core/degrees.h"
#include "core/ephemeris_file_format.h"
#include "core/ephemeris_loader.h"
#include "core/positions.h"
#include "tools/ephemgen/day_tables.h"
#include "tools/ephemgen/generate.h"
#include "tools/ephemgen/library_source.h"
#include "tools/ephemgen/planet_files.h"

namespace quintaro::ephemgen {

namespace {

constexpr const char* Names[QuantityCount] = {
    "geo longitude",     "geo latitude",    "geo longitude speed", "geo latitude speed",
    "declination",       "decl. speed",     "helio longitude",     "helio latitude",
    "helio long. speed", "helio lat. speed"};

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

// `ours` is not a number when our side could give no value.
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
        case HelioLongitudeSpeed:
        case HelioLatitudeSpeed:
            return true;
        default:
            return false;
    }
}

namespace {

// A value as the positions keep what they read from the planetary files: in single precision.
// (Kept in a float, not rounded and widened again in place, a pattern that GCC 12's vectorizer
// turns into a plain copy of the doubles.)
struct SinglePoint {
    float longitude, second, longitudeSpeed, secondSpeed;
};

// The four quantities of a frame: longitude, its speed, the second coordinate, its speed.
struct FrameQuantities {
    int longitude, longitudeSpeed, second, secondSpeed;
};
constexpr FrameQuantities GeoQuantities = {GeoLongitude, GeoLongitudeSpeed, Declination,
                                           DeclinationSpeed};
constexpr FrameQuantities HelioQuantities = {HelioLongitude, HelioLongitudeSpeed, HelioLatitude,
                                             HelioLatitudeSpeed};

// `ours` holds no value when it is not a number.
template <typename Point>
void KeepFrame(BodyErrors& errors, const FrameQuantities& q, const Point& ours,
               const LibraryPoint& lib, double jd) {
    Keep(errors, q.longitude, ours.longitude, lib.longitude, jd);
    Keep(errors, q.longitudeSpeed, ours.longitudeSpeed, lib.longitudeSpeed, jd);
    Keep(errors, q.second, ours.second, lib.latitude, jd);
    Keep(errors, q.secondSpeed, ours.secondSpeed, lib.latitudeSpeed, jd);
}

EphemerisPoint NoPoint() {
    const double none = std::nan("");
    return {none, none, none, none};
}

template <typename Point>
Point PointOrNone(const std::optional<Point>& p) {
    const auto none = std::nanf("");
    return p ? *p : Point{none, none, none, none};
}

std::optional<SinglePoint> AsPositionsKeepIt(const std::optional<EphemerisPoint>& p) {
    if (!p) return std::nullopt;
    return SinglePoint{static_cast<float>(p->longitude), static_cast<float>(p->second),
                       static_cast<float>(p->longitudeSpeed), static_cast<float>(p->secondSpeed)};
}

}  // namespace

void CompareBody(const Ephemeris& e, EphemerisCursor& cursor, const BodyPlan& plan, double jd,
                 BodyErrors& errors) {
    if (plan.geoStep > 0) {
        const LibraryPoint lib =
            LibraryCompute(jd, plan.libraryBody, LibraryFrame::Geocentric, true);
        const LibraryPoint equ =
            LibraryCompute(jd, plan.libraryBody, LibraryFrame::Equatorial, true);
        const auto ours = e.Read(jd, plan.code, Frame::Geocentric, cursor);
        KeepFrame(errors, GeoQuantities, PointOrNone(AsPositionsKeepIt(ours)),
                  {lib.longitude, equ.latitude, lib.longitudeSpeed, equ.latitudeSpeed}, jd);
        const float latitude = static_cast<float>(e.Value(jd, plan.code, 1));
        const float latitudeSpeed = static_cast<float>(e.Value(jd, plan.code, 1 + SpeedKind));
        Keep(errors, GeoLatitude, latitude, lib.latitude, jd);
        Keep(errors, GeoLatitudeSpeed, latitudeSpeed, lib.latitudeSpeed, jd);
    }
    if (plan.helioStep > 0) {
        const LibraryPoint lib =
            LibraryCompute(jd, plan.libraryBody, LibraryFrame::Heliocentric, true);
        KeepFrame(
            errors, HelioQuantities,
            PointOrNone(AsPositionsKeepIt(e.Read(jd, plan.code, Frame::Heliocentric, cursor))), lib,
            jd);
    }
}

std::vector<TableBody> TableBodies() {
    std::vector<TableBody> bodies = {{"pholus", *LibraryBodyOf("pholus"), -1}};
    for (const MidpointRequest& m : DefaultMidpoints())
        bodies.push_back({m.name, *LibraryBodyOf(m.first), *LibraryBodyOf(m.second)});
    return bodies;
}

namespace {

// What the library says a table body is at a moment: geocentric longitude and declination,
// heliocentric longitude and latitude, with speeds. A midpoint body is built by the rule the
// generator follows: the midpoint rule for longitudes, means for the rest.
struct TableTruth {
    LibraryPoint geo;  // latitude: the declination
    LibraryPoint helio;
};

TableTruth TruthOf(int body, double jd) {
    const LibraryPoint ecl = LibraryCompute(jd, body, LibraryFrame::Geocentric, true);
    const LibraryPoint equ = LibraryCompute(jd, body, LibraryFrame::Equatorial, true);
    return {{ecl.longitude, equ.latitude, ecl.longitudeSpeed, equ.latitudeSpeed},
            LibraryCompute(jd, body, LibraryFrame::Heliocentric, true)};
}

LibraryPoint MidpointOf(const LibraryPoint& a, const LibraryPoint& b) {
    return {MidpointLongitude(a.longitude, b.longitude), (a.latitude + b.latitude) / 2,
            (a.longitudeSpeed + b.longitudeSpeed) / 2, (a.latitudeSpeed + b.latitudeSpeed) / 2};
}

TableTruth TruthOf(const TableBody& body, double jd) {
    const TableTruth first = TruthOf(body.first, jd);
    if (body.second < 0) return first;
    const TableTruth second = TruthOf(body.second, jd);
    return {MidpointOf(first.geo, second.geo), MidpointOf(first.helio, second.helio)};
}

EphemerisPoint PointOf(const BodyPoint& p) {
    if (!p.valid) return NoPoint();
    return {p.longitude, p.second, p.longitudeSpeed, p.secondSpeed};
}

// Light passing close to the Sun is bent, by up to 1.75" at its limb, and the bending changes
// within hours; a table of one value a day cannot follow that. So the moments at which a single
// table body stands within NearSunDegrees of the Sun are kept apart (in `nearSun`) and shown
// without a goal. Midpoint bodies are rebuilt from the planetary files and have no such limit.
constexpr double NearSunDegrees = 2.0;

double Elongation(const LibraryPoint& a, const LibraryPoint& b) {
    const double c = std::sin(a.latitude * kDegToRad) * std::sin(b.latitude * kDegToRad) +
                     std::cos(a.latitude * kDegToRad) * std::cos(b.latitude * kDegToRad) *
                         std::cos((a.longitude - b.longitude) * kDegToRad);
    return std::acos(std::clamp(c, -1.0, 1.0)) * kRadToDeg;
}

void CompareTableBody(const Positions& positions, EphemerisCursor& cursor, const TableBody& body,
                      int slot, double jd, BodyErrors& errors, BodyErrors& nearSun) {
    const TableTruth truth = TruthOf(body, jd);
    const bool close =
        body.second < 0 &&
        Elongation(LibraryCompute(jd, body.first, LibraryFrame::Geocentric, false),
                   LibraryCompute(jd, SE_SUN, LibraryFrame::Geocentric, false)) < NearSunDegrees;
    KeepFrame(close ? nearSun : errors, GeoQuantities,
              PointOf(positions.PositionAt(jd, slot, Frame::Geocentric, cursor)), truth.geo, jd);
    KeepFrame(errors, HelioQuantities,
              PointOf(positions.PositionAt(jd, slot, Frame::Heliocentric, cursor)), truth.helio,
              jd);
}

// Opens the planetary files and loads both periods of the day tables of `bodies` into free slots
// from 21 on. Empty on success, else why.
std::string LoadEverything(const std::filesystem::path& folder,
                           const std::vector<TableBody>& bodies, Ephemeris& ephemeris,
                           BodyCatalogue& catalogue, DayTables& tables, std::vector<int>& slots) {
    for (int f = 0; f <= LastPlanetFile(); ++f)
        if (!ephemeris.OpenFile(folder / PlanetFileName(f), f))
            return "cannot open " + (folder / PlanetFileName(f)).string();
    for (const TableBody& body : bodies) {
        const int slot = AddFreeSlotBody(catalogue, body.name);
        for (DayPeriod period : {DayPeriod::From1900, DayPeriod::From1750})
            if (std::string why = LoadBodyDayTables(folder, body.name, slot, period, tables);
                !why.empty())
                return why;
        slots.push_back(slot);
    }
    AssignMidpointPairs(catalogue, tables);
    return {};
}

void PrintRow(const std::string& name, int quantity, const WorstError& w, bool hasGoal,
              bool& pass) {
    const double goal = IsSpeed(quantity) ? SpeedGoalDegPerDay : PositionGoalArcsec;
    const bool met = w.error <= goal;
    if (hasGoal) pass = pass && met;
    std::printf("%-8s %-20s %13.6f%s %16.6f %12s  %s\n", name.c_str(), QuantityName(quantity),
                w.error, IsSpeed(quantity) ? " " : "\"", w.jd, DateOf(w.jd).c_str(),
                !hasGoal ? "(no goal)"
                : met    ? "ok"
                         : "EXCEEDED");
}

}  // namespace

bool RunVerify(const VerifyOptions& options) {
    // Everything is loaded once and read from every thread, each with its own cursor.
    UseLibraryData(options.libraryData);
    CountingMessages said;
    Ephemeris ephemeris(said);
    BodyCatalogue catalogue = MakeBodyCatalogue();
    DayTables tables;
    const auto tableBodies = TableBodies();
    std::vector<int> slots;
    if (std::string why =
            LoadEverything(options.folder, tableBodies, ephemeris, catalogue, tables, slots);
        !why.empty()) {
        std::fprintf(stderr, "%s\n", why.c_str());
        return false;
    }
    Positions positions(ephemeris, tables, said);
    positions.Use1750 = true;

    const auto plans = PlanetaryPlan();
    // Planetary bodies, table bodies, table bodies near the Sun.
    std::vector<BodyErrors> total(plans.size() + 2 * tableBodies.size());
    std::mutex lock;
    Parallel(options.threads, options.samples, [&](int thread, long first, long end) {
        UseLibraryData(options.libraryData);
        EphemerisCursor cursor;
        std::mt19937_64 rng(options.seed + 7919u * static_cast<unsigned>(thread));
        std::vector<BodyErrors> errors(total.size());
        for (long i = first; i < end; ++i) {
            const double jd = RandomMoment(rng);
            for (std::size_t b = 0; b < plans.size(); ++b)
                CompareBody(ephemeris, cursor, plans[b], jd, errors[b]);
            for (std::size_t t = 0; t < tableBodies.size(); ++t)
                CompareTableBody(positions, cursor, tableBodies[t], slots[t], jd,
                                 errors[plans.size() + t],
                                 errors[plans.size() + tableBodies.size() + t]);
        }
        std::lock_guard guard(lock);
        for (std::size_t b = 0; b < total.size(); ++b) Merge(total[b], errors[b]);
    });
    bool pass = said.count == 0;
    std::printf(
        "%ld random moments 1750-01-01 .. 2050-01-01 UT; positions in arcseconds, "
        "speeds in degrees per day; declinations with the true obliquity\n",
        options.samples);
    std::printf("%-8s %-20s %14s %16s %12s  %s\n", "body", "quantity", "largest error",
                "at JD (UT)", "date", "goal");
    for (std::size_t b = 0; b < total.size(); ++b) {
        const std::size_t t = (b - plans.size()) % tableBodies.size();
        const bool nearSun = b >= plans.size() + tableBodies.size();
        const std::string name = b < plans.size() ? std::string(plans[b].name)
                                                  : tableBodies[t].name + (nearSun ? "*" : "");
        for (int q = 0; q < QuantityCount; ++q)
            if (total[b][q].compared > 0) PrintRow(name, q, total[b][q], !nearSun, pass);
    }
    std::printf(
        "* within %g degrees of the Sun, where a daily table cannot follow the bending of "
        "light\n",
        NearSunDegrees);
    if (said.count > 0)
        std::printf("%ld reader messages, the last: %s\n", said.count, said.last.c_str());
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
                EphemerisCursor cursor;
                std::mt19937_64 rng(options.samples + i);
                for (long k = 0; k < options.samples; ++k)
                    CompareBody(ephemeris, cursor, trial, RandomMoment(rng), task.errors);
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
