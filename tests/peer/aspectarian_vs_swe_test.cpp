// SPDX-License-Identifier: AGPL-3.0-or-later
// The aspectarian over the generated ephemeris files, 2000 to 2030, against the Swiss Ephemeris:
// its Moon and Sun crossing functions for the lunar phases and the solar ingresses, and the sign
// change of its longitude speed for Mercury's stations. Every event of one side must have its
// partner on the other.
#include <gtest/gtest.h>
#include <swephexp.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "aspects/aspectarian_engine.h"
#include "aspects/aspectarian_lines.h"
#include "core/day_tables.h"
#include "core/degrees.h"
#include "core/ephemeris.h"
#include "core/ephemeris_loader.h"
#include "core/positions.h"
#include "day_parts.h"
#include "library_positions.h"
#include "recording_messages.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::kLibraryFlags;
using test::LibraryLongitude;

using test::kMinute;

constexpr CivilDate kFrom{2000, 1, 1}, kTo{2030, 12, 31};

// The next moment after `after` at which the Moon stands `elongation` degrees ahead of the Sun:
// a first guess from the mean synodic motion, then the Moon's crossing of the Sun's longitude plus
// the elongation, searched from a little before the guess and repeated as the Sun moves on.
double LibraryLunarPhase(double after, double elongation) {
    char error[AS_MAXCH] = "";
    const double now = Norm360(LibraryLongitude(after, SE_MOON) - LibraryLongitude(after, SE_SUN));
    double t = after + Norm360(elongation - now) / 12.19;
    for (int i = 0; i < 30; ++i) {
        const double target = Norm360(LibraryLongitude(t, SE_SUN) + elongation);
        const double next =
            swe_mooncross_ut(target, std::max(after, t - 1.5), kLibraryFlags, error);
        if (std::abs(next - t) < 1e-9) break;
        t = next;
    }
    return t;
}

// Moments, in order, at which Mercury's longitude speed changes sign; each to about a second.
std::vector<std::pair<double, bool>> LibraryMercuryStations(double from, double to) {
    auto speed = [](double jd) {
        return LibraryLongitude(jd, SE_MERCURY, kLibraryFlags | SEFLG_SPEED);
    };
    std::vector<std::pair<double, bool>> stations;
    double previous = speed(from);
    for (double jd = from + 0.25; jd <= to; jd += 0.25) {
        const double now = speed(jd);
        if ((previous < 0) != (now < 0)) {
            double lo = jd - 0.25, hi = jd;
            while (hi - lo > 1.0 / 86400) {
                const double mid = 0.5 * (lo + hi);
                ((speed(mid) < 0) == (previous < 0) ? lo : hi) = mid;
            }
            stations.push_back({0.5 * (lo + hi), now < 0});
        }
        previous = now;
    }
    return stations;
}

struct AspectarianVsSwissEphemeris : ::testing::Test {
    test::TempFolder home;
    test::RecordingMessages messages;
    Ephemeris ephemeris{messages};
    DayTables tables;
    Positions positions{ephemeris, tables, messages};
    double start = LocalMidnightJD(kFrom, 0);
    double end = LocalMidnightJD(kTo, 0) + 1;

    void SetUp() override {
        const auto source = GeneratedEphemerisSource();
        if (!std::filesystem::exists(source / "ephem000.dat"))
            GTEST_SKIP() << "no generated ephemeris files in " << source;
        InstallEphemerisFrom(source, home.path(), messages);
        ASSERT_GT(OpenPlanetFiles(home.path(), ephemeris), 0);
        swe_set_ephe_path(const_cast<char*>("/usr/share/libswe/ephe"));
    }
    void TearDown() override { swe_close(); }

    std::vector<AspectarianEvent> Run(std::vector<int> bodies, AspectarianEventKinds kinds,
                                      std::initializer_list<int> keys = {}) {
        AspectarianInput input;
        input.from = kFrom;
        input.to = kTo;
        input.transitBodies = std::move(bodies);
        input.events = kinds;
        input.passes = AspectarianPasses::Geocentric;
        for (int k : keys) input.aspects[static_cast<size_t>(k)] = true;
        AspectarianResult r = RunAspectarian(input, positions.AsFunction(), messages);
        EXPECT_EQ(r.outcome, AspectarianOutcome::Complete);
        return r.geocentric.events;
    }

    // How far, in minutes, an event's moment and its stamp (rounded to the minute) lie from the
    // library's moment.
    static double StampMinutesOff(const AspectarianEvent& e, double library) {
        const LocalStamp s = StampOf(e.jd, 0);
        const double stamped = DayNumber(s.date.year, s.date.month, s.date.day) - 0.5 +
                               (s.hour * 60 + s.minute) * kMinute;
        return std::abs(stamped - library) / kMinute;
    }
};

TEST_F(AspectarianVsSwissEphemeris, LunarConjunctionsSquaresAndOppositions) {
    AspectarianEventKinds kinds;
    kinds.longitudeAspects = true;
    const auto ours = Run({SlotSun, SlotMoon}, kinds, {1, 4, 7});  // "000", "090", "180"
    std::vector<double> library;
    for (double elongation : {0.0, 90.0, 180.0, 270.0}) {
        for (double t = start;;) {
            t = LibraryLunarPhase(t, elongation);
            if (t >= end) break;
            library.push_back(t);
            t += 1;
        }
    }
    std::sort(library.begin(), library.end());
    ASSERT_EQ(ours.size(), library.size());
    double worstMoment = 0, worstStamp = 0;
    for (size_t i = 0; i < ours.size(); ++i) {
        const double off = std::abs(ours[i].jd - library[i]) / kMinute;
        worstMoment = std::max(worstMoment, off);
        worstStamp = std::max(worstStamp, StampMinutesOff(ours[i], library[i]));
        EXPECT_LT(off, 1.0) << "library " << library[i] << " ours " << ours[i].jd;
        EXPECT_LE(StampMinutesOff(ours[i], library[i]), 1.0) << "library " << library[i];
    }
    std::printf("%zu lunar phases: worst moment %.3f min, worst stamp %.3f min\n", ours.size(),
                worstMoment, worstStamp);
}

TEST_F(AspectarianVsSwissEphemeris, SolarIngresses) {
    AspectarianEventKinds kinds;
    kinds.signChanges = true;
    std::vector<AspectarianEvent> ours;
    for (const auto& e : Run({SlotSun, SlotMars}, kinds))
        if (e.body1 == SlotSun) ours.push_back(e);
    std::vector<std::pair<double, int>> library;
    char error[AS_MAXCH] = "";
    for (int sign = 1; sign <= 12; ++sign) {
        for (double t = start;;) {
            t = swe_solcross_ut(30.0 * (sign - 1), t, kLibraryFlags, error);
            if (t >= end) break;
            library.push_back({t, sign});
            t += 1;
        }
    }
    std::sort(library.begin(), library.end());
    ASSERT_EQ(ours.size(), library.size());
    double worstMoment = 0, worstStamp = 0;
    for (size_t i = 0; i < ours.size(); ++i) {
        const double off = std::abs(ours[i].jd - library[i].first) / kMinute;
        worstMoment = std::max(worstMoment, off);
        worstStamp = std::max(worstStamp, StampMinutesOff(ours[i], library[i].first));
        EXPECT_EQ(ours[i].sign, library[i].second);
        EXPECT_LT(off, 1.0) << "library " << library[i].first << " ours " << ours[i].jd;
        EXPECT_LE(StampMinutesOff(ours[i], library[i].first), 1.0);
    }
    std::printf("%zu solar ingresses: worst moment %.3f min, worst stamp %.3f min\n", ours.size(),
                worstMoment, worstStamp);
}

TEST_F(AspectarianVsSwissEphemeris, MercuryStations) {
    AspectarianEventKinds kinds;
    kinds.directionChanges = true;
    std::vector<AspectarianEvent> ours;
    for (const auto& e : Run({SlotSun, SlotMercury}, kinds))
        if (e.body1 == SlotMercury) ours.push_back(e);
    const auto library = LibraryMercuryStations(start, end);
    ASSERT_EQ(ours.size(), library.size());
    double worst = 0;
    for (size_t i = 0; i < ours.size(); ++i) {
        const double off = std::abs(ours[i].jd - library[i].first) / kMinute;
        worst = std::max(worst, off);
        EXPECT_EQ(ours[i].retrograde, library[i].second);
        EXPECT_LT(off, 10.0) << "library " << library[i].first << " ours " << ours[i].jd;
    }
    std::printf("%zu Mercury stations: worst %.2f min\n", ours.size(), worst);
}

}  // namespace
}  // namespace quintaro
