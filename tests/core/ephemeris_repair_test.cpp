// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/ephemeris_repair.h"

#include <gtest/gtest.h>

#include "core/atomic_file.h"
#include "core/ephemeris.h"
#include "core/ephemeris_loader.h"
#include "day_table_files.h"
#include "recording_messages.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::RecordingMessages;
using test::TempFolder;

// A source folder with the generated ephemeris files, and an installation folder filled from it.
struct Repair : ::testing::Test {
    TempFolder home;
    std::filesystem::path source = GeneratedEphemerisSource();
    std::filesystem::path folder;
    RecordingMessages messages;

    void SetUp() override {
        if (!std::filesystem::exists(source / "ephem001.dat"))
            GTEST_SKIP() << "no generated ephemeris files";
        InstallEphemerisFrom(source, home.path(), messages);
        folder = LoadFolderPath(home.path());
    }
    void cut(const char* name, std::uintmax_t size) {
        std::filesystem::resize_file(folder / name, size);
    }
};

TEST_F(Repair, DamageIsFoundInPlanetFilesAndDayTables) {
    EXPECT_EQ(EphemerisFileDamage(folder / "ephem001.dat"), "");
    EXPECT_EQ(EphemerisFileDamage(folder / "pholus1900l.eph"), "");
    EXPECT_EQ(EphemerisFileDamage(folder / "pholus1750lat.eph"), "");
    EXPECT_EQ(EphemerisFileDamage(folder / "ephem009.dat"), "is missing");
    cut("ephem001.dat", 300000);
    cut("pholus1900l.eph", 1000);
    EXPECT_TRUE(EphemerisFileDamage(folder / "ephem001.dat").starts_with("is damaged: Unable"));
    EXPECT_TRUE(
        EphemerisFileDamage(folder / "pholus1900l.eph").starts_with("is damaged: holds only"))
        << EphemerisFileDamage(folder / "pholus1900l.eph");
}

TEST_F(Repair, OpeningListsMissingAndUnusableInstalledFiles) {
    cut("ephem001.dat", 100);
    std::filesystem::remove(folder / "ephem003.dat");
    Ephemeris ephemeris(messages);
    const auto problems = OpenPlanetFilesChecked(home.path(), ephemeris);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].file, "ephem001.dat");
    EXPECT_EQ(problems[0].what, "is damaged (the reader could not use it)");
    EXPECT_EQ(problems[1].file, "ephem003.dat");
    EXPECT_EQ(problems[1].what, "is missing");
    EXPECT_EQ(ProblemLines(problems),
              "ephem001.dat is damaged (the reader could not use it)\nephem003.dat is missing\n");
    EXPECT_TRUE(SourceCovers(source, problems));
    EXPECT_FALSE(SourceCovers(home.path(), problems));
    EXPECT_FALSE(SourceCovers(source, {}));
}

TEST_F(Repair, DayTablesThatDidNotLoadAreNamedFileByFile) {
    cut("pholus1900h.eph", 10);
    BodyCatalogue catalogue = MakeBodyCatalogue();
    SelectLoadFiles(home.path(), catalogue, messages);
    DayTables tables;
    LoadDayTables(home.path(), catalogue, SelectionFlags::All(), tables, messages, {});
    const auto problems = UnloadedDayTables(home.path(), catalogue, SelectionFlags::All(), tables);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].file, "pholus1900h.eph");
    EXPECT_TRUE(problems[0].what.starts_with("is damaged: ")) << problems[0].what;
    // A body nobody selected is no problem.
    EXPECT_TRUE(UnloadedDayTables(home.path(), catalogue, SelectionFlags(), tables).empty());
}

TEST_F(Repair, RestoringPutsBackDamagedAndMissingFilesOnly) {
    cut("ephem000.dat", 50);
    std::filesystem::remove(folder / "hjp1900d.eph");
    // A sound file of the user's own, unlike the generated one, stays.
    test::WriteBodyTables(folder, "pholus", DayPeriod::From1900,
                          [](DayKind, int record) { return record % 360; });
    const std::string mine = [&] {
        std::string text;
        ReadWholeFile(folder / "pholus1900l.eph", text);
        return text;
    }();

    EXPECT_EQ(RestoreEphemerisFiles(source, home.path(), messages),
              (std::vector<std::string>{"ephem000.dat", "hjp1900d.eph"}));
    for (const EphemerisFileStatus& status : CheckEphemerisFiles(home.path(), source))
        EXPECT_EQ(status.problem, "") << status.file;
    std::string after;
    ASSERT_TRUE(ReadWholeFile(folder / "pholus1900l.eph", after));
    EXPECT_EQ(after, mine);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(RestoreEphemerisFiles(source, home.path(), messages).empty());
}

}  // namespace
}  // namespace quintaro
