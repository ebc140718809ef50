// SPDX-License-Identifier: AGPL-3.0-or-later
// The exact-time search and the applying test over the generated ephemeris files, against the
// Swiss Ephemeris: its crossing functions for the moment the transit Sun or Moon reaches a
// longitude, and its positions an hour ahead for the change of an aspect's orb.
#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>
#include <filesystem>
#include <random>

#include "aspects/aspect_catalogue.h"
#include "aspects/aspect_finder.h"
#include "aspects/exact_time.h"
#include "core/day_tables.h"
#include "core/degrees.h"
#include "core/ephemeris.h"
#include "core/ephemeris_loader.h"
#include "core/positions.h"
#include "day_parts.h"
#include "recording_messages.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::kMinute;

constexpr int kAngles[] = {0, 30, 60, 72, 90, 120, 144, 150, 180};
constexpr int kNatalPoint = 2;  // any natal slot: its chart value is set by hand

struct ExactVsSwissEphemeris : ::testing::Test {
    test::TempFolder home;
    test::RecordingMessages messages;
    BodyCatalogue catalogue = MakeBodyCatalogue();
    Ephemeris ephemeris{messages};
    DayTables tables;
    Positions positions{ephemeris, tables, messages};

    void SetUp() override {
        const auto source = GeneratedEphemerisSource();
        if (!std::filesystem::exists(source / "ephem000.dat")) {
            GTEST_SKIP() << "no generated ephemeris files in " << source;
        }
        InstallEphemerisFrom(source, home.path(), messages);
        ASSERT_GT(OpenPlanetFiles(home.path(), ephemeris), 0);
        swe_set_ephe_path(const_cast<char*>("/usr/share/libswe/ephe"));
    }
    void TearDown() override { swe_close(); }

    // A transit chart at `jd` with the natal point at `natalLongitude`.
    AspectInputs Inputs(double jd, double natalLongitude) {
        AspectInputs in;
        in.transitJD = jd;
        in.natalJD = jd - 12000;
        in.positionAt = positions.AsFunction();
        for (int slot : {1, 4}) {
            BodyPoint p = positions.PositionAt(jd, slot, Frame::Geocentric);
            in.chart.Transit.GeoLong[static_cast<size_t>(slot)] = p.longitude;
        }
        in.chart.Natal.GeoLong[kNatalPoint] = natalLongitude;
        return in;
    }

    // For random moments, natal points and aspects: the moment our search finds against the
    // library's next crossing of the aspect point the body reached, within a minute.
    void CompareCrossings(int slot, double (*cross)(double, double, int32, char*)) {
        std::mt19937 random(slot * 101);
        std::uniform_real_distribution<double> moment(2416000.5, 2469000.5), longitude(0, 360);
        std::uniform_int_distribution<int> angle(0, 8), direction(0, 1);
        int found = 0;
        for (int k = 0; k < 120; ++k) {
            const double jd = moment(random), natal = longitude(random);
            const int a = kAngles[angle(random)];
            AspectInputs in = Inputs(jd, natal);
            auto dir = direction(random) ? SearchDirection::Forward : SearchDirection::Backward;
            ExactTime t =
                FindExactTime(in, slot, kNatalPoint, false, a, CoordinateKind::GeoLongitude, dir);
            if (!t.found) continue;
            ++found;
            // The body stands at natal ± angle; the library says when it crosses each of the two.
            double best = 1e9;
            char error[256] = "";
            for (double target : {Norm360(natal + a), Norm360(natal - a)}) {
                double crossing = cross(target, t.jd - 0.5, SEFLG_SWIEPH, error);
                ASSERT_GT(crossing, 0) << error;
                best = std::min(best, std::abs(crossing - t.jd));
            }
            EXPECT_LT(best, kMinute) << "slot " << slot << " jd " << jd << " natal " << natal
                                     << " angle " << a << " found " << t.jd;
        }
        // The Sun covers 250 degrees each way and the Moon many rounds: a crossing is always
        // within reach.
        EXPECT_EQ(found, 120);
    }
};

TEST_F(ExactVsSwissEphemeris, TransitSunToNatalPoints) {
    CompareCrossings(1, swe_solcross_ut);
}

TEST_F(ExactVsSwissEphemeris, TransitMoonToNatalPoints) {
    CompareCrossings(4, swe_mooncross_ut);
}

// Transit bodies 1..10 against random natal points: applying when the orb from the aspect's
// angle, from library positions now and an hour later, shrinks. Pairs that pass exactness or
// leave the orb within the hour, or whose body passes 0 degrees, are left out.
TEST_F(ExactVsSwissEphemeris, ApplyingAgreesWithTheLibraryAnHourAhead) {
    const int libraryBody[] = {0,          SE_SUN,    SE_MERCURY, SE_VENUS,   SE_MOON, SE_MARS,
                               SE_JUPITER, SE_SATURN, SE_URANUS,  SE_NEPTUNE, SE_PLUTO};
    auto libraryLongitude = [&](int slot, double jd) {
        double x[6];
        char error[256] = "";
        swe_calc_ut(jd, libraryBody[slot], SEFLG_SWIEPH, x, error);
        return x[0];
    };
    std::mt19937 random(5);
    std::uniform_real_distribution<double> moment(2416000.5, 2469000.5), longitude(0, 360);
    int compared = 0;
    for (int chart = 0; chart < 60; ++chart) {
        AspectInputs in;
        in.transitJD = moment(random);
        in.natalJD = in.transitJD - 10000;
        in.positionAt = positions.AsFunction();
        in.selection = SelectionFlags();
        for (int slot = 1; slot <= 10; ++slot) {
            in.selection.setBoth(slot, true);
            in.chart.Transit.GeoLong[static_cast<size_t>(slot)] =
                positions.PositionAt(in.transitJD, slot, Frame::Geocentric).longitude;
            in.chart.Natal.GeoLong[static_cast<size_t>(slot)] = longitude(random);
        }
        AspectList list = BuildAspectList(in, Pairing::TransitNatal, CoordinateKind::GeoLongitude);
        for (const AspectEntry& e : list.entries) {
            const double angle = AspectAngle(e.code);
            const double natal = in.chart.Natal.GeoLong[static_cast<size_t>(e.body2)];
            const double now = libraryLongitude(e.body1, in.transitJD);
            const double later = libraryLongitude(e.body1, in.transitJD + 1.0 / 24);
            auto signedDifference = [](double a, double b) { return Norm360(a - b + 180) - 180; };
            const double eNow = signedDifference(now, natal),
                         eLater = signedDifference(later, natal);
            const double orbNow = std::abs(std::abs(eNow) - angle);
            const double orbLater = std::abs(std::abs(eLater) - angle);
            const bool passed = (std::abs(eNow) - angle) * (std::abs(eLater) - angle) <= 0 ||
                                eNow * eLater <= 0 || std::abs(later - now) > 180 || orbLater > 3.0;
            if (passed) continue;
            EXPECT_EQ(e.orb >= 0, orbLater <= orbNow)
                << "transit " << e.body1 << " natal " << e.body2 << " jd " << in.transitJD;
            ++compared;
        }
    }
    EXPECT_GT(compared, 300);
}

}  // namespace
}  // namespace quintaro
