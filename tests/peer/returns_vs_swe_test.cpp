// SPDX-License-Identifier: AGPL-3.0-or-later
// Solar and lunar returns of 200 random natal charts (1900 to 2049) over the generated ephemeris
// files, against the Swiss Ephemeris: the natal longitude from its swe_calc_ut, the crossing from
// its swe_solcross_ut / swe_mooncross_ut over the same days. Goal: within 10 seconds of time.
#include <gtest/gtest.h>
#include <swephexp.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>

#include "core/bodies.h"
#include "core/day_tables.h"
#include "core/ephemeris.h"
#include "core/ephemeris_loader.h"
#include "core/positions.h"
#include "day_parts.h"
#include "library_positions.h"
#include "predictive/return_search.h"
#include "recording_messages.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::kLibraryFlags;
using test::LibraryLongitude;

using test::kSecond;

constexpr double kFirstNatal = 2415020.5;   // 1900-01-01 0h UT
constexpr double kEndNatal = 2469807.5;     // 2050-01-01 0h UT
constexpr double kFirstTarget = 2415416.5;  // 1901-02-01: a solar search starts inside 1900
constexpr double kLastTarget = 2469502.5;   // 2049-03-01: a solar search ends inside 2049

// The library's last crossing of `longitude` inside the span, as our search defines it.
double LibraryReturn(ReturnBody body, double longitude, SearchSpan span) {
    char error[AS_MAXCH] = "";
    auto next = [&](double after) {
        return body == ReturnBody::Sun ? swe_solcross_ut(longitude, after, kLibraryFlags, error)
                                       : swe_mooncross_ut(longitude, after, kLibraryFlags, error);
    };
    const double end = span.from + span.days;
    double found = next(span.from);
    for (double later = next(found + 1); later <= end; later = next(later + 1)) found = later;
    return found;
}

struct ReturnsVsSwissEphemeris : ::testing::Test {
    test::TempFolder home;
    test::RecordingMessages messages;
    Ephemeris ephemeris{messages};
    DayTables tables;
    Positions positions{ephemeris, tables, messages};

    void SetUp() override {
        const auto source = GeneratedEphemerisSource();
        if (!std::filesystem::exists(source / "ephem000.dat"))
            GTEST_SKIP() << "no generated ephemeris files in " << source;
        InstallEphemerisFrom(source, home.path(), messages);
        ASSERT_GT(OpenPlanetFiles(home.path(), ephemeris), 0);
        swe_set_ephe_path(const_cast<char*>("/usr/share/libswe/ephe"));
    }
    void TearDown() override { swe_close(); }

    // Worst difference in seconds over 200 random natal moments and targets.
    double WorstSeconds(ReturnBody body) {
        std::mt19937_64 random(body == ReturnBody::Sun ? 19 : 20);
        std::uniform_real_distribution<double> natalMoment(kFirstNatal, kEndNatal);
        std::uniform_int_distribution<int> targetDay(0, int(kLastTarget - kFirstTarget));
        const int slot = ReturnSlot(body);
        const int libraryBody = body == ReturnBody::Sun ? SE_SUN : SE_MOON;
        double worst = 0;
        for (int chart = 0; chart < 200; ++chart) {
            const double natal = natalMoment(random);
            const double target = kFirstTarget + targetDay(random);
            const BodyPoint ours = positions.PositionAt(natal, slot, Frame::Geocentric);
            EXPECT_TRUE(ours.valid) << natal;
            const SearchSpan span = ReturnSpan(body, natal, target);
            const CrossingResult found =
                FindLongitudeCrossing(positions.AsFunction(), slot, ours.longitude, span);
            if (found.outcome != CrossingResult::Outcome::Found) {
                ADD_FAILURE() << "no return: natal " << natal << " target " << target;
                continue;
            }
            const double library = LibraryReturn(body, LibraryLongitude(natal, libraryBody), span);
            const double off = std::abs(found.jd - library) / kSecond;
            worst = std::max(worst, off);
            EXPECT_LT(off, 10.0) << "natal " << natal << " target " << target << " library "
                                 << library << " ours " << found.jd;
        }
        return worst;
    }
};

TEST_F(ReturnsVsSwissEphemeris, SolarReturns) {
    std::printf("200 solar returns: worst %.3f s\n", WorstSeconds(ReturnBody::Sun));
}

TEST_F(ReturnsVsSwissEphemeris, LunarReturns) {
    std::printf("200 lunar returns: worst %.3f s\n", WorstSeconds(ReturnBody::Moon));
}

}  // namespace
}  // namespace quintaro
