// SPDX-License-Identifier: AGPL-3.0-or-later
// What the session shows when a chart cannot be computed: nothing of an earlier chart under a
// moment outside the ephemeris, and bodies without data left out everywhere.
#include <gtest/gtest.h>

#include "app/session.h"
#include "app/wheel_input_builder.h"
#include "core/ephemeris_loader.h"
#include "setup/chart_computation.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

struct ChartFailures : ::testing::Test {
    test::TempFolder home;
    SilentMessages messages;
    Session session{home.path(), messages};
    Workstation& ws = session.workstation;

    void SetUp() override {
        if (!std::filesystem::exists(GeneratedEphemerisSource() / "ephem000.dat"))
            GTEST_SKIP() << "no generated ephemeris files";
        ws.clock = [] { return DateTimeParts{2000, 1, 1, 17, 0, 0}; };
        ASSERT_TRUE(StartSession(session));
        ASSERT_TRUE(ws.chartsComputed);
    }
    void setYear(EntrySection& section, const char* year) {
        section.year = year;
        ComputeCharts(session);
    }
    bool anyAspect() const {
        for (const AspectList& list : session.lists.lists)
            if (!list.entries.empty()) return true;
        return false;
    }
};

TEST_F(ChartFailures, ANatalMomentOutsideTheEphemerisLeavesNoChartOnShow) {
    int told = 0;
    session.displays.add([&told] { ++told; });
    setYear(ws.entry.natal, "2100");
    EXPECT_FALSE(ws.chartsComputed);
    EXPECT_FALSE(ws.natal.computed);
    EXPECT_EQ(told, 1);  // the windows hear that there is nothing to show
    EXPECT_FALSE(anyAspect());
    for (int slot = 1; slot <= BodyCount; ++slot) {
        EXPECT_TRUE(ws.record.Natal.GeoMissing[slot] && ws.record.Transit.GeoMissing[slot]);
        EXPECT_TRUE(ws.record.Natal.HelioMissing[slot] && ws.record.Transit.HelioMissing[slot]);
        for (size_t column = 2; column < 6; ++column)
            EXPECT_EQ(ws.grid.rows[static_cast<size_t>(slot)][column], "") << slot;
    }
    EXPECT_TRUE(BuildWheelInput(session, {true, false}, {}).selection == SelectionFlags());

    setYear(ws.entry.natal, "2000");
    EXPECT_TRUE(ws.chartsComputed);
    EXPECT_FALSE(ws.record.Natal.GeoMissing[SlotSun]);
}

// Mercury without data: no house, no midpoint, no aspect, no glyph; the part of fortune is
// unknown without the Sun.
TEST_F(ChartFailures, BodiesWithoutDataTakePartInNothing) {
    ws.ephemeris.CloseAll();  // every planetary file gone at once
    ComputeCharts(session);
    EXPECT_TRUE(ws.chartsComputed);
    for (int slot : {SlotSun, SlotMercury, SlotMoon})
        EXPECT_EQ(ws.natal.houses.HouseOfSlot[slot], 0) << slot;
    EXPECT_FALSE(ws.natal.partOfFortuneKnown);
    for (const Midpoint& m : ws.natal.midpoints)
        EXPECT_TRUE(m.first >= SlotAscendant && m.second >= SlotAscendant) << m.first;
    for (const AspectList& list : session.lists.lists)
        for (const AspectEntry& e : list.entries)
            EXPECT_TRUE(e.body1 >= SlotAscendant && e.body2 >= SlotAscendant) << e.body1;
    const SelectionFlags drawn = BuildWheelInput(session, {true, false}, {}).selection;
    EXPECT_FALSE(drawn.natal(SlotMercury) || drawn.transit(SlotMercury));
    EXPECT_EQ(UnavailableBodies(ws, ChartSide::Natal).front(), SlotSun);
}

}  // namespace
}  // namespace quintaro
