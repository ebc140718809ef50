// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/planet_groups.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/atomic_file.h"
#include "recording_messages.h"
#include "setup/group_files.h"
#include "setup/priority_file.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::RecordingMessages;
using test::TempFolder;

std::string Lines(const std::vector<std::string>& keys, const std::string& suffix) {
    std::string text;
    for (const std::string& key : keys) text += key + suffix + "\n";
    return text;
}

const std::vector<std::string> kSixteen = {
    "sun",     "mercury", "venus", "moon",   "mars",  "jupiter", "saturn", "uranus",
    "neptune", "pluto",   "earth", "chiron", "ceres", "pallas",  "vesta",  "juno"};

std::string FileText(const std::filesystem::path& file) {
    std::string text;
    EXPECT_TRUE(ReadWholeFile(file, text)) << file;
    return text;
}

TEST(DefaultGroups, FilesHoldTheDefaultEntries) {
    TempFolder folder;
    RecordingMessages messages;
    ASSERT_TRUE(WriteDefaultGroups(folder.path(), nullptr, messages));

    EXPECT_EQ(FileText(folder.path() / "group1.sel"),
              Lines(kSixteen, "-n") + Lines(kSixteen, "-t"));
    std::vector<std::string> withoutMoon = kSixteen;
    withoutMoon.erase(withoutMoon.begin() + 3);
    EXPECT_EQ(FileText(folder.path() / "group1.syn"),
              Lines(withoutMoon, "-n") + Lines(withoutMoon, "-t"));
    EXPECT_EQ(FileText(folder.path() / "group1.cru"),
              "venus-n\nneptune-n\npluto-n\nchiron-n\nvenus-t\nneptune-t\npluto-t\nchiron-t\n");
    EXPECT_EQ(FileText(folder.path() / "GeneralUse.ord"),
              "n. sun=70\nn. mercury=15\nn. venus=85\nn. moon=40\nn. mars=35\nn. jupiter=95\n"
              "n. saturn=99\nn. uranus=40\nn. neptune=65\nn. pluto=60\nn. earth=65\n"
              "n. chiron=93\nn. node=45\nn. ceres=30\nn. pallas=25\nn. vesta=30\nn. juno=50\n"
              "n. ascendant=65\nn. mc =10\nn. partf=40\n"
              "t. sun=80\nt. mercury=15\nt. venus=90\nt. moon=40\nt. mars=35\nt. jupiter=99\n"
              "t. saturn=55\nt. uranus=60\nt. neptune=78\nt. pluto=60\nt. earth=75\n"
              "t. chiron=98\nt. node=0\nt. ceres=70\nt. pallas=15\nt. vesta=15\nt. juno=50\n"
              "t. ascendant=0\nt. mc =0\nt. partf=0\n");
    EXPECT_TRUE(messages.shown.empty());
}

Settings SettingsWithGroups(const std::filesystem::path& home, int geo, int crucial, int synch) {
    Settings settings = DefaultSettings(home, {2026, 1, 1});
    settings.geoGroup = static_cast<int16_t>(geo);
    settings.crucialGroup = static_cast<int16_t>(crucial);
    settings.synchGroup = static_cast<int16_t>(synch);
    return settings;
}

struct RecordedProgress {
    std::vector<std::string> texts;
    Progress progress() {
        return [this](std::string_view text, long, long) {
            texts.emplace_back(text);
            return true;
        };
    }
};

TEST(StartUpGroups, GroupOneIsRewrittenAndBecomesTheLiveSelection) {
    TempFolder folder;
    RecordingMessages messages;
    ASSERT_EQ(WriteFileAtomically(folder.path() / "group1.sel", "moon-n\n"), "");
    RecordedProgress progress;
    PlanetGroups groups =
        StartUpGroups(folder.path(), MakeBodyCatalogue(),
                      SettingsWithGroups(folder.path(), 1, 1, 1), progress.progress(), messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(
        progress.texts,
        (std::vector<std::string>{
            "Setting up select planet group #1 data", "Setting up crucial planet group #1 data",
            "Setting up synch planet group #1 data",
            "Setting up synch planet priority group #1 data", "Reading select planet groups data",
            "Reading crucial planet groups data", "Reading synch planet groups data",
            "Reading synch planet priority groups data"}));
    SelectionFlags sixteen;
    for (int slot : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17}) {
        sixteen.setNatal(slot, true);
        sixteen.setTransit(slot, true);
    }
    EXPECT_EQ(groups.select.groups[1], sixteen);
    EXPECT_EQ(groups.select.live, sixteen);
    EXPECT_EQ(groups.select.current, 1);
    EXPECT_FALSE(groups.synch.live.natal(4));
    EXPECT_TRUE(groups.crucial.live.transit(12));
    EXPECT_EQ(groups.priorities.natal(19), 10);
    EXPECT_EQ(groups.priorities.transit(6), 99);
}

TEST(StartUpGroups, TheCurrentGroupFromTheSettingsIsRead) {
    TempFolder folder;
    RecordingMessages messages;
    ASSERT_EQ(WriteFileAtomically(folder.path() / "group3.sel", "eros-t\nsun-n\n"), "");
    BodyCatalogue catalogue = MakeBodyCatalogue();
    AddFreeSlotBody(catalogue, "eros");
    PlanetGroups groups = StartUpGroups(
        folder.path(), catalogue, SettingsWithGroups(folder.path(), 3, 12, 4), nullptr, messages);
    EXPECT_EQ(groups.select.current, 3);
    EXPECT_TRUE(groups.select.live.transit(21));
    EXPECT_TRUE(groups.select.live.natal(1));
    EXPECT_FALSE(groups.select.live.natal(2));
    EXPECT_TRUE(groups.select.groups[1].natal(2));
    EXPECT_EQ(groups.crucial.current, 1);  // 12 is no group
    EXPECT_EQ(groups.synch.current, 1);    // group4.syn does not exist
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "File not found");
}

TEST(StartUpGroups, UnknownBodiesStopTheRemainingGroupReads) {
    TempFolder folder;
    RecordingMessages messages;
    ASSERT_EQ(WriteFileAtomically(folder.path() / "group2.cru", "pluto-n\nbogus-t\n"), "");
    Settings settings = SettingsWithGroups(folder.path(), 1, 2, 1);
    settings.synchOpts = "1";
    RecordedProgress progress;
    PlanetGroups groups =
        StartUpGroups(folder.path(), MakeBodyCatalogue(), settings, progress.progress(), messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Missing ephemeris files");
    EXPECT_NE(messages.shown[0].text.find("bogus-t for group2.cru"), std::string::npos);
    EXPECT_EQ(progress.texts.back(), "Reading crucial planet groups data");
    EXPECT_TRUE(groups.crucial.live.natal(10));
    // Not read: the synchronization selection stays as the settings gave it, no priorities.
    EXPECT_EQ(groups.synch.live, SelectionFlags::FromText("1"));
    EXPECT_EQ(groups.priorities, Priorities());
}

TEST(StartUpGroups, LiveSelectionsGoBackIntoTheSettings) {
    PlanetGroups groups;
    groups.select.live.setNatal(5, true);
    groups.blue.setTransit(1, true);
    Settings settings = DefaultSettings("/h", {2026, 1, 1});
    StoreSelections(groups, settings);
    EXPECT_EQ(settings.geoOpts, "0000100" + std::string(99, '0'));
    EXPECT_EQ(settings.blueOpts, std::string(53, '0') + "1" + std::string(52, '0'));
    EXPECT_EQ(settings.synchOpts, std::string(106, '0'));
}

TEST(GroupButtons, SaveAndLoadTheCurrentGroup) {
    TempFolder folder;
    RecordingMessages messages;
    BodyCatalogue catalogue = MakeBodyCatalogue();
    SelectionGroups groups;
    ASSERT_TRUE(MakeGroupCurrent(groups, 6));
    EXPECT_FALSE(LoadCurrentGroup(folder.path(), GroupKind::Synch, groups, catalogue, messages));
    SelectionFlags flags;
    flags.setNatal(7, true);
    ASSERT_TRUE(
        SaveCurrentGroup(folder.path(), GroupKind::Synch, groups, flags, catalogue, messages));
    EXPECT_EQ(FileText(folder.path() / "group6.syn"), "saturn-n\n");
    groups.groups[6] = SelectionFlags();
    ASSERT_TRUE(LoadCurrentGroup(folder.path(), GroupKind::Synch, groups, catalogue, messages));
    EXPECT_EQ(groups.groups[6], flags);
    ASSERT_TRUE(MakeGroupCurrent(groups, 10));
    EXPECT_FALSE(
        SaveCurrentGroup(folder.path(), GroupKind::Synch, groups, flags, catalogue, messages));
}

struct PriorityCase {
    std::string line;
    int index;  // 1..106, 0 when nothing is set
    int value;
    std::string unrecognised;
};

TEST(PriorityFile, EachLineSetsOneWeight) {
    const std::vector<PriorityCase> cases = {
        {"n. sun=70", 1, 70, ""},
        {"t. SUN=5", 54, 5, ""},
        {"n. mc =10", 19, 10, ""},
        {"n. mc=10", 0, 0, "mc - GeneralUse.ord"},
        {"x. venus=3", 53 + 3, 3, ""},  // anything but "n" is transit
        {"n. sun=70abc", 1, 70, ""},
        {"n. sun=99999", 1, 32767, ""},
        {"n. sun=-99999", 1, -32768, ""},
        {"n. sun=2.5", 1, 2, ""},
        {"n. sun=", 1, 0, ""},
        {"n. sun=x=4", 1, 0, ""},
        {"garbage", 0, 0, "garbage - GeneralUse.ord"},
        {"n.sun=4", 0, 0, "n.sun=4 - GeneralUse.ord"},
        {"n. sun", 0, 0, "n. sun - GeneralUse.ord"},
        {"", 0, 0, ""},
    };
    BodyCatalogue catalogue = MakeBodyCatalogue();
    for (const PriorityCase& c : cases) {
        PriorityFileContents contents = ReadPriorityText(c.line, "GeneralUse.ord", catalogue);
        Priorities expected;
        if (c.index) expected.values[c.index] = static_cast<int16_t>(c.value);
        EXPECT_EQ(contents.priorities, expected) << c.line;
        if (c.unrecognised.empty())
            EXPECT_TRUE(contents.unrecognised.empty()) << c.line;
        else
            EXPECT_EQ(contents.unrecognised, std::vector<std::string>{c.unrecognised}) << c.line;
    }
}

TEST(PriorityFile, WriteReadWriteGivesIdenticalBytes) {
    TempFolder folder;
    RecordingMessages messages;
    BodyCatalogue catalogue = MakeBodyCatalogue();
    AddFreeSlotBody(catalogue, "hygiea");
    Priorities priorities;
    for (int index = 1; index <= SelectionFlagCount; ++index)
        priorities.values[index] = static_cast<int16_t>(index * 311 - 16000);
    std::filesystem::path file = folder.path() / "RomanceTransits.ord";
    ASSERT_TRUE(WritePriorityFile(file, priorities, catalogue, messages));
    auto read = ReadPriorityFile(file, catalogue, messages);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->priorities.natal(21), 21 * 311 - 16000);
    EXPECT_EQ(read->priorities.transit(20), (53 + 20) * 311 - 16000);
    EXPECT_EQ(PriorityText(read->priorities, catalogue), FileText(file));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(PriorityFile, UnknownKeysAreShownWithTheFileName) {
    TempFolder folder;
    RecordingMessages messages;
    std::filesystem::path file = folder.path() / "RomanceTransits.ord";
    ASSERT_EQ(WriteFileAtomically(file, "n. venus=3\nt. lilith=4\n"), "");
    auto read = ReadPriorityFile(file, MakeBodyCatalogue(), messages);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->priorities.natal(3), 3);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "You are missing the following ephemeris files. Please add them.\n"
              "lilith - RomanceTransits.ord\n");
}

}  // namespace
}  // namespace quintaro
