// SPDX-License-Identifier: AGPL-3.0-or-later
// Start-up with a damaged ephemeris file: the user is asked whether to put back the installed
// copy (the window's question; the command line answers no).
#include "setup/ephemeris_restore.h"

#include <gtest/gtest.h>

#include "core/ephemeris_loader.h"
#include "recording_messages.h"
#include "setup/chart_computation.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

struct DamagedAtStartUp : ::testing::Test {
    test::TempFolder home;
    test::RecordingMessages messages;
    std::filesystem::path planetFile;

    void SetUp() override {
        if (!std::filesystem::exists(GeneratedEphemerisSource() / "ephem001.dat"))
            GTEST_SKIP() << "no generated ephemeris files";
        InstallEphemerisFrom(GeneratedEphemerisSource(), home.path(), messages);
        planetFile = LoadFolderPath(home.path()) / "ephem001.dat";
        std::filesystem::resize_file(planetFile, 4096);
    }
};

TEST_F(DamagedAtStartUp, YesPutsTheCopyBackAndTheBodiesReturn) {
    messages.answer = true;
    Workstation ws(home.path(), messages);
    ASSERT_TRUE(StartUp(ws));
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_NE(messages.questions[0].find("ephem001.dat is damaged"), std::string::npos)
        << messages.questions[0];
    EXPECT_NE(messages.questions[0].find("Put back the copies the workstation installs, from " +
                                         GeneratedEphemerisSource().string()),
              std::string::npos);
    EXPECT_TRUE(ws.ephemerisProblems.empty());
    EXPECT_EQ(std::filesystem::file_size(planetFile),
              std::filesystem::file_size(GeneratedEphemerisSource() / "ephem001.dat"));
    ReadChartEntry(ws);
    ASSERT_TRUE(ComputeChartPositions(ws));
    EXPECT_TRUE(UnavailableBodies(ws, ChartSide::Natal).empty());
}

TEST_F(DamagedAtStartUp, NoLeavesTheFileAndItsBodiesUnavailable) {
    Workstation ws(home.path(), messages);
    ASSERT_TRUE(StartUp(ws));
    EXPECT_EQ(messages.questions.size(), 1u);
    ASSERT_EQ(ws.ephemerisProblems.size(), 1u);
    EXPECT_EQ(ws.ephemerisProblems[0].file, "ephem001.dat");
    EXPECT_EQ(std::filesystem::file_size(planetFile), 4096u);
    ReadChartEntry(ws);
    ASSERT_TRUE(ComputeChartPositions(ws));
    const std::vector<int> missing = UnavailableBodies(ws, ChartSide::Natal);
    EXPECT_EQ(missing, (std::vector<int>{SlotMercury, SlotVenus, SlotMars, SlotEarth}));
}

}  // namespace
}  // namespace quintaro
