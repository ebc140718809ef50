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

// Without a copy to put back there is nothing to ask: a message says which files and how to
// get them.
TEST_F(DamagedAtStartUp, WithoutACopyTheMessageSaysHowToGetTheFiles) {
    test::TempFolder empty;
    ::setenv("QUINTARO_EPHEMERIS_SOURCE", empty.path().c_str(), 1);
    Workstation ws(home.path(), messages);
    const bool started = StartUp(ws);
    ::unsetenv("QUINTARO_EPHEMERIS_SOURCE");
    ASSERT_TRUE(started);
    EXPECT_TRUE(messages.questions.empty());
    const auto shown = std::find_if(messages.shown.begin(), messages.shown.end(),
                                    [](const auto& m) { return m.title == "Ephemeris files"; });
    ASSERT_NE(shown, messages.shown.end());
    EXPECT_EQ(shown->icon, MessageIcon::Critical);
    EXPECT_NE(shown->text.find("ephem001.dat is damaged"), std::string::npos);
    EXPECT_NE(shown->text.find("quintaro-cli ephemeris install --from FOLDER"), std::string::npos);
}

}  // namespace
}  // namespace quintaro
