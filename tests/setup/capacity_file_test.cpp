// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/capacity_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/atomic_file.h"
#include "recording_messages.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::RecordingMessages;
using test::TempFolder;

TEST(CapacityFile, AMissingFileIsCreatedWithTheDefaults) {
    TempFolder folder;
    RecordingMessages messages;
    Capacities capacities = ReadCapacities(folder.path(), messages);
    EXPECT_EQ(capacities.numAspects, 1500);
    EXPECT_EQ(capacities.numSynchsSymsAllowedInArray, 1000);
    std::string text;
    ASSERT_TRUE(ReadWholeFile(folder.path() / "arrays.txt", text));
    EXPECT_EQ(text, "Num_Aspects=1500\nnum_synchs_syms_allowed_in_array=1000\n");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(CapacityFile, LinesAreRecognisedByTheirTrimmedBeginning) {
    struct Case {
        std::string text;
        int aspects;
        int synchs;
    };
    const std::vector<Case> cases = {
        {"  Num_Aspects= 2000  \n", 2000, 1000},
        {"Num_AspectsX=5\n", 5, 1000},    // the first 11 characters decide
        {"num_aspects=5\n", 1500, 1000},  // case matters
        {"Num_Aspects=abc\n", 0, 1000},
        {"Num_Aspects=12.5x\n", 12, 1000},
        {"Num_Aspects 77\n", 0, 1000},  // no "=": the whole line is the value
        {"num_synchs_syms_allowed_in_array=250\r\n", 1500, 250},
        {"num_synchs_syms_allowed_in_arra=250\n", 1500, 1000},
        {"Num_Aspects=10\nNum_Aspects=20\n", 20, 1000},
        {std::string("\x00\x01garbage\nNum_Aspects=9", 23), 9, 1000},
    };
    for (const Case& c : cases) {
        RecordingMessages messages;
        Capacities capacities;
        ReadCapacityText(c.text, capacities, messages);
        EXPECT_EQ(capacities.numAspects, c.aspects) << c.text;
        EXPECT_EQ(capacities.numSynchsSymsAllowedInArray, c.synchs) << c.text;
        EXPECT_TRUE(messages.shown.empty()) << c.text;
    }
}

TEST(CapacityFile, NegativeOrTooLargeCapacitiesKeepTheirValueAndWarn) {
    RecordingMessages messages;
    Capacities capacities;
    ReadCapacityText("Num_Aspects=-1\nnum_synchs_syms_allowed_in_array=40000\n", capacities,
                     messages);
    EXPECT_EQ(capacities.numAspects, 1500);
    EXPECT_EQ(capacities.numSynchsSymsAllowedInArray, 1000);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Warning!");
    EXPECT_NE(messages.shown[0].text.find("Num_Aspects=-1"), std::string::npos);
}

TEST(CapacityFile, WriteReadWriteGivesIdenticalBytes) {
    TempFolder folder;
    RecordingMessages messages;
    std::filesystem::path file = folder.path() / "arrays.txt";
    ASSERT_TRUE(WriteCapacityFile(file, {32767, 0}, messages));
    Capacities read = ReadCapacities(folder.path(), messages);
    EXPECT_EQ(read.numAspects, 32767);
    EXPECT_EQ(read.numSynchsSymsAllowedInArray, 0);
    std::string first;
    ASSERT_TRUE(ReadWholeFile(file, first));
    EXPECT_EQ(CapacityText(read), first);
}

}  // namespace
}  // namespace quintaro
