// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/chart_stages.h"
#include "app/wheel_input_builder.h"
#include "core/ephemeris_loader.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

// A session started in a fresh installation folder, at a fixed "Now".
struct StartedSession : ::testing::Test {
    test::TempFolder home;
    SilentMessages messages;
    Session session{home.path(), messages};

    void SetUp() override {
        if (!std::filesystem::exists(GeneratedEphemerisSource() / "ephem000.dat"))
            GTEST_SKIP() << "no generated ephemeris files";
        session.workstation.clock = [] { return DateTimeParts{2000, 1, 1, 12, 0, 0}; };
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const ChartStage& stage : session.stages) names.push_back(stage.name);
        return names;
    }
};

TEST_F(StartedSession, TheStagesRunInTheirFixedOrder) {
    const std::vector<std::string> expected = {"start",  "entry",       "positions",
                                               "houses", "midpoints",   "aspects",
                                               "grid",   "exact times", "displays"};
    EXPECT_EQ(Names(), expected);
    std::vector<std::string> ran;
    for (ChartStage& stage : session.stages) {
        stage.run = [&ran, name = stage.name, run = stage.run](Session& s) {
            ran.push_back(name);
            return run(s);
        };
    }
    ASSERT_TRUE(StartSession(session));
    EXPECT_EQ(ran, expected);
    EXPECT_TRUE(session.workstation.chartsComputed);
}

// A subsystem's stage put before "grid" runs after the aspects are found and sees them; the
// stages after it still run.
TEST_F(StartedSession, AnAddedStageRunsInItsPlace) {
    std::vector<std::string> ran;
    size_t aspectsSeen = 0;
    for (ChartStage& stage : session.stages) {
        stage.run = [&ran, name = stage.name, run = stage.run](Session& s) {
            ran.push_back(name);
            return run(s);
        };
    }
    InsertStageBefore(session.stages, "grid", {"patterns", [&](Session& s) {
                                                   ran.push_back("patterns");
                                                   for (const AspectList& list : s.lists.lists)
                                                       aspectsSeen += list.entries.size();
                                                   return true;
                                               }});
    ASSERT_TRUE(StartSession(session));
    const std::vector<std::string> expected = {"start",       "entry",   "positions", "houses",
                                               "midpoints",   "aspects", "patterns",  "grid",
                                               "exact times", "displays"};
    EXPECT_EQ(ran, expected);
    size_t found = 0;
    for (const AspectList& list : session.lists.lists) found += list.entries.size();
    EXPECT_GT(found, 0u);
    EXPECT_EQ(aspectsSeen, found);

    // A stage of an unknown name before which to go is added at the end.
    InsertStageBefore(session.stages, "nowhere", {"last", [](Session&) { return true; }});
    EXPECT_EQ(session.stages.back().name, "last");
}

// A stage that ends the run keeps the later stages (and the displays) from running.
TEST_F(StartedSession, AStageThatStopsEndsTheRun) {
    ASSERT_TRUE(StartSession(session));
    int told = 0;
    const int id = session.displays.add([&told] { ++told; });
    EXPECT_TRUE(ComputeCharts(session));
    EXPECT_EQ(told, 1);

    InsertStageBefore(session.stages, "aspects", {"stop", [](Session&) { return false; }});
    EXPECT_FALSE(ComputeCharts(session));
    EXPECT_EQ(told, 1);
    EXPECT_FALSE(session.workstation.chartsComputed);
    for (const AspectList& list : session.lists.lists) EXPECT_TRUE(list.entries.empty());

    session.displays.remove(id);
    session.stages = StandardChartStages();
    ComputeCharts(session);
    EXPECT_EQ(told, 1);  // no longer listening
}

// The Sun of 2000-01-01 12:00 UT stands at 280.37 degrees (published almanac value); the
// session's stages put it into the record, the grid and the houses. "Now" is that instant, shown
// on the clock of the home zone (5 hours west): 7:00 A.M.
TEST_F(StartedSession, TheComputationFillsTheRecordGridAndHouses) {
    ASSERT_TRUE(StartUp(session.workstation));
    const EntrySection& natal = session.workstation.entry.natal;
    EXPECT_EQ(natal.hour, "7");
    EXPECT_FALSE(natal.pm);
    EXPECT_EQ(natal.zone, "5");
    ASSERT_TRUE(ComputeCharts(session));
    const Workstation& ws = session.workstation;
    EXPECT_NEAR(ws.record.Natal.GeoLong[SlotSun], 280.37, 0.01);
    EXPECT_FALSE(ws.record.Natal.GeoMissing[SlotSun]);
    EXPECT_NEAR(ws.natal.houses.ChartJD, 2451545.0, 1e-9);
    EXPECT_EQ(ws.grid.rows.size(), 54u);
    for (int slot = 1; slot <= BodyCount; ++slot) {
        const int house = ws.natal.houses.HouseOfSlot[slot];
        if (ws.flags().either(slot))
            EXPECT_TRUE(house >= 1 && house <= 12) << slot;
        else
            EXPECT_EQ(house, 0) << slot;
    }
    // The wheel takes each selected body's house as its sector.
    WheelInput wheel = BuildWheelInput(session, {true, false}, {});
    EXPECT_EQ(wheel.natal.sector, ws.natal.houses.HouseOfSlot);
    EXPECT_EQ(wheel.selection, ws.flags());
}

TEST(DisplayListeners, EveryListenerHearsEachNotice) {
    DisplayListeners listeners;
    std::string heard;
    const int a = listeners.add([&heard] { heard += "a"; });
    listeners.add([&heard] { heard += "b"; });
    listeners.notify();
    listeners.remove(a);
    listeners.notify();
    listeners.remove(12345);  // an unknown id changes nothing
    listeners.notify();
    EXPECT_EQ(heard, "abbb");
}

}  // namespace
}  // namespace quintaro
