// SPDX-License-Identifier: AGPL-3.0-or-later
// The production tool: the midpoint rule, the day-table text, and the generated files against the
// reference library (the files come from the build's ephemeris_data target).
#include <gtest/gtest.h>
#include <swephexp.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/atomic_file.h"
#include "core/bodies.h"
#include "core/day_tables.h"
#include "core/ephemeris.h"
#include "core/ephemeris_file_format.h"
#include "core/ephemeris_loader.h"
#include "core/positions.h"
#include "tools/ephemgen/body_plan.h"
#include "tools/ephemgen/day_tables.h"
#include "tools/ephemgen/generate.h"
#include "tools/ephemgen/library_source.h"

namespace quintaro::ephemgen {
namespace {

const std::filesystem::path Generated = std::filesystem::path(QUINTARO_BINARY_DIR) / "ephemeris";

TEST(Midpoint, TheNearerMidpointOfTwoLongitudes) {
    const struct {
        double a, b, midpoint;
    } cases[] = {
        {350, 10, 0},  // (350 + 10) / 2 = 180 lies more than 90° from both
        {10, 50, 30},    {10, 350, 0},
        {0, 180, 90},    // exactly 90° from both: not more, so it stays
        {100, 300, 20},  // 200 is 100° from both: the other side
        {359, 359, 359}, {200, 359.5, 279.75},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(MidpointLongitude(c.a, c.b), c.midpoint) << c.a << " " << c.b;
}

TEST(Midpoint, SeriesTakeMeansOfDeclinationsAndLatitudes) {
    const DaySeries a{{350, 10}, {-20, 5}, {100, 40}, {1, -2}};
    const DaySeries b{{10, 50}, {10, 6}, {300, 60}, {-3, 1}};
    const DaySeries m = MidpointSeries(a, b);
    EXPECT_EQ(m.geoLongitude, (std::vector<double>{0, 30}));
    EXPECT_EQ(m.geoDeclination, (std::vector<double>{-5, 5.5}));
    EXPECT_EQ(m.helioLongitude, (std::vector<double>{20, 50}));
    EXPECT_EQ(m.helioLatitude, (std::vector<double>{-1, -0.5}));
}

TEST(DayTables, OneNumberPerLineWithFiveDecimals) {
    const std::vector<double> v = {1.0, 359.999999, -0.000001, 12.345678, -12.345671, 7.5};
    EXPECT_EQ(DayTableText(v, 0, 5, true), "1.00000\n0.00000\n0.00000\n12.34568\n-12.34567\n");
    EXPECT_EQ(DayTableText(v, 1, 2, false), "360.00000\n0.00000\n");
    EXPECT_EQ(DayTableFileNames("hjp"),
              (std::vector<std::string>{"hjp1900l.eph", "hjp1900d.eph", "hjp1900h.eph",
                                        "hjp1900lat.eph", "hjp1750l.eph", "hjp1750d.eph",
                                        "hjp1750h.eph", "hjp1750lat.eph"}));
}

std::vector<double> ReadNumbers(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::vector<double> numbers;
    for (double x; in >> x;) numbers.push_back(x);
    return numbers;
}

class GeneratedFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(Generated / "ephem000.dat"))
            GTEST_SKIP() << "build the ephemeris_data target first";
        UseLibraryData("/usr/share/libswe/ephe");
    }
};

TEST_F(GeneratedFiles, DayTablesStartOnTheirFirstDays) {
    // 1900-01-01 0h UT is JD 2415020.5 and 1750-01-01 0h UT is JD 2360234.5.
    const auto pholus1900 = ReadNumbers(Generated / "pholus1900l.eph");
    const auto pholus1750 = ReadNumbers(Generated / "pholus1750lat.eph");
    ASSERT_EQ(pholus1900.size(), 54788u);
    ASSERT_EQ(pholus1750.size(), 54786u);
    EXPECT_NEAR(pholus1900.front(),
                LibraryCompute(2415020.5, SE_PHOLUS, LibraryFrame::Geocentric, false).longitude,
                1e-5);
    EXPECT_NEAR(
        pholus1900.back(),
        LibraryCompute(2415020.5 + 54787, SE_PHOLUS, LibraryFrame::Geocentric, false).longitude,
        1e-5);
    EXPECT_NEAR(pholus1750.front(),
                LibraryCompute(2360234.5, SE_PHOLUS, LibraryFrame::Heliocentric, false).latitude,
                1e-5);

    const auto hjp = ReadNumbers(Generated / "hjp1750l.eph");
    ASSERT_EQ(hjp.size(), 54786u);
    const double day = 2360234.5 + 1000;
    const double saturn = LibraryCompute(day, SE_SATURN, LibraryFrame::Geocentric, false).longitude;
    const double jupiter =
        LibraryCompute(day, SE_JUPITER, LibraryFrame::Geocentric, false).longitude;
    EXPECT_NEAR(hjp[1000], MidpointLongitude(saturn, jupiter), 1e-5);
}

TEST_F(GeneratedFiles, PlanetaryFilesCoverTheRequiredSpan) {
    SilentMessages quiet;
    Ephemeris e(quiet);
    for (int f = 0; f < PlanetFileCount; ++f) {
        char name[16];
        std::snprintf(name, sizeof name, "ephem%03d.dat", f);
        e.OpenFile(Generated / name, f);
    }
    const double from = 2360203.5, to = 2469838.5;  // 1749-12-01 and 2050-02-01, 0h UT
    for (const BodyPlan& p : PlanetaryPlan()) {
        for (int kind :
             {KindGeoLongitude, KindDeclination, KindHelioLongitude, KindHelioLatitude}) {
            const bool planned = kind < KindHelioLongitude ? p.geoStep > 0 : p.helioStep > 0;
            for (double jd : {from, to})
                EXPECT_EQ(e.Covers(jd, p.code, kind), planned)
                    << p.name << " kind " << kind << " " << jd;
        }
    }
}

// The midpoint bodies as the positions give them, through every day on which their tables jump
// to the other end of the axis (an opposition of the pair), against the library.
TEST_F(GeneratedFiles, MidpointBodiesThroughEveryOppositionOfTheirPair) {
    SilentMessages quiet;
    Ephemeris ephemeris(quiet);
    for (int f = 0; f < PlanetFileCount; ++f) {
        char name[16];
        std::snprintf(name, sizeof name, "ephem%03d.dat", f);
        ephemeris.OpenFile(Generated / name, f);
    }
    BodyCatalogue catalogue = MakeBodyCatalogue();
    DayTables tables;
    for (const MidpointRequest& m : DefaultMidpoints()) {
        const int slot = AddFreeSlotBody(catalogue, m.name);
        for (DayPeriod period : {DayPeriod::From1900, DayPeriod::From1750})
            ASSERT_EQ(LoadBodyDayTables(Generated, m.name, slot, period, tables), "");
    }
    AssignMidpointPairs(catalogue, tables);
    Positions positions(ephemeris, tables, quiet);
    positions.Use1750 = true;

    // The moment of the report: hjp read 55.2161 there instead of 114.5426.
    EXPECT_NEAR(positions.PositionAt(2375697.261276, FirstFreeSlot, Frame::Geocentric).longitude,
                114.5426, 1e-4);

    int oppositions = 0;
    double worst = 0;
    const auto midpoints = DefaultMidpoints();
    for (std::size_t m = 0; m < midpoints.size(); ++m) {
        const MidpointRequest& request = midpoints[m];
        const int slot = FirstFreeSlot + static_cast<int>(m);
        const int a = *LibraryBodyOf(request.first), b = *LibraryBodyOf(request.second);
        for (auto [frame, kind, libraryFrame] :
             {std::tuple{Frame::Geocentric, DayKind::GeoLong, LibraryFrame::Geocentric},
              std::tuple{Frame::Heliocentric, DayKind::HelioLong, LibraryFrame::Heliocentric}}) {
            const float* row = tables.Row(slot, kind);
            for (int day = 1; day + 1 < DayTableLength; ++day) {
                if (std::fabs(std::remainder(row[day + 1] - row[day], 360.0)) < 90) continue;
                ++oppositions;
                for (double t = -1; t <= 2; t += 1.0 / 24) {
                    const double jd = DayTableFirstJD + day + t;
                    const double expected =
                        MidpointLongitude(LibraryCompute(jd, a, libraryFrame, false).longitude,
                                          LibraryCompute(jd, b, libraryFrame, false).longitude);
                    const double error = std::fabs(std::remainder(
                        positions.PositionAt(jd, slot, frame).longitude - expected, 360.0));
                    worst = std::max(worst, error);
                    EXPECT_LT(error * 3600, 0.5) << request.name << " at " << jd;
                }
            }
        }
    }
    std::printf("%d oppositions, worst %.3f\"\n", oppositions, worst * 3600);
    EXPECT_GT(oppositions, 20);
}

}  // namespace
}  // namespace quintaro::ephemgen
