// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/apd_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "sample_records.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::FileBytes;
using test::WriteDatabase;

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

TEST(ApdFile, RecordCountIsTheLengthDividedByTheRecordSize) {
    test::TempFolder folder;
    struct Case {
        size_t length;
        long records, leftover;
    };
    for (const Case& c : {Case{0, 0, 0}, Case{9348, 0, 9348}, Case{9349, 1, 0},
                          Case{2 * 9349, 2, 0}, Case{2 * 9349 + 5, 2, 5}}) {
        auto file = folder.path() / "size.apd";
        WriteBytes(file, std::string(c.length, ' '));
        std::string error;
        auto size = ReadApdSize(file, error);
        ASSERT_TRUE(size) << error;
        EXPECT_EQ(size->records, c.records) << c.length;
        EXPECT_EQ(size->leftoverBytes, c.leftover) << c.length;
    }
}

TEST(ApdFile, MissingFilesAndFoldersAreNamed) {
    test::TempFolder folder;
    std::string error;
    EXPECT_FALSE(ReadApdSize(folder.path() / "none.apd", error));
    EXPECT_EQ(error, (folder.path() / "none.apd").string() + " does not exist");
    EXPECT_FALSE(ReadApdSize(folder.path(), error));
    EXPECT_EQ(error, folder.path().string() + " is not a file");
}

TEST(ApdFile, LoadsOnlyRecordsThatExist) {
    test::TempFolder folder;
    auto file = folder.path() / "people.apd";
    WriteDatabase(file, {{"Dree, Caspian", "1995-01-02"}, {"Vail, Teodor", ""}});
    std::string error;
    auto second = LoadRecord(file, 2, error);
    ASSERT_TRUE(second) << error;
    EXPECT_EQ(second->primaryName, "Vail, Teodor");
    for (long bad : {0L, 3L, -1L}) {
        EXPECT_FALSE(LoadRecord(file, bad, error));
        EXPECT_EQ(error, file.string() + ": record " + std::to_string(bad) +
                             " is not in 1 to 2 (the file holds 2 records)");
    }
}

TEST(ApdFile, SavingARecordLeavesEveryOtherByteAsItWas) {
    test::TempFolder folder;
    auto file = folder.path() / "people.apd";
    WriteDatabase(
        file,
        {{"Dree, Caspian", "1995-01-02"}, {"Vail, Teodor", ""}, {"Kray, Desmond", "1990-05-17"}});
    // A damaged tail and a reserved area with bytes of its own must both survive.
    std::string bytes = FileBytes(file) + "tail";
    bytes[2 * RecordSize - 100] = '\x07';  // inside record 2's last data comment
    bytes[RecordSize + 400] = '\x5A';      // inside record 2's reserved block
    WriteBytes(file, bytes);

    std::string error;
    auto record = LoadRecord(file, 2, error);
    ASSERT_TRUE(record) << error;
    record->primaryName = "Vail, Teodor Jr.";
    record->birthPlace = "Sandhill";
    ASSERT_EQ(SaveRecordInPlace(file, 2, *record), "");

    std::string after = FileBytes(file);
    ASSERT_EQ(after.size(), bytes.size());
    EXPECT_EQ(after.substr(0, RecordSize), bytes.substr(0, RecordSize));
    EXPECT_EQ(after.substr(2 * RecordSize), bytes.substr(2 * RecordSize));
    std::string expected = bytes.substr(RecordSize, RecordSize);
    expected.replace(16, 16, "Vail, Teodor Jr.");
    expected.replace(315, 8, "Sandhill");
    EXPECT_EQ(after.substr(RecordSize, RecordSize), expected);
}

TEST(ApdFile, SavingOutsideTheFileWritesNothing) {
    test::TempFolder folder;
    auto file = folder.path() / "people.apd";
    std::string bytes = WriteDatabase(file, {{"Dree, Caspian", ""}});
    PersonRecord r;
    EXPECT_NE(SaveRecordInPlace(file, 2, r), "");
    EXPECT_NE(SaveRecordInPlace(file, 0, r), "");
    EXPECT_NE(SaveRecordInPlace(folder.path() / "none.apd", 1, r), "");
    EXPECT_EQ(FileBytes(file), bytes);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "none.apd"));
}

RandomUnit Fixed() {
    return [] { return 0.5; };  // every key "LLLLLLLLLLLLLLLL"
}

TEST(ApdFile, BlankDatabaseOfOneToNinetyNineThousandRecords) {
    test::TempFolder folder;
    auto file = folder.path() / "blank.apd";
    WriteBytes(file, "an older file of that name");
    ASSERT_TRUE(CreateBlankDatabase(file, 3, SystemRandomUnit()).done());
    std::string bytes = FileBytes(file);
    ASSERT_EQ(bytes.size(), 3 * RecordSize);
    std::vector<std::string> keys;
    for (long n = 1; n <= 3; ++n) {
        std::string error;
        auto r = LoadRecord(file, n, error);
        ASSERT_TRUE(r) << error;
        keys.push_back(r->recordKey);
        r->recordKey.clear();
        EXPECT_EQ(*r, BlankRecord());
    }
    EXPECT_NE(keys[0], keys[1]);
    EXPECT_EQ(keys[0].size(), 16u);

    for (long bad : {0L, 100000L, -5L}) {
        WriteOutcome outcome = CreateBlankDatabase(file, bad, Fixed());
        EXPECT_EQ(outcome.error, "the number of blank records must be 1 to 99999");
    }
    EXPECT_EQ(FileBytes(file), bytes);
}

TEST(ApdFile, CancelledBlankDatabaseLeavesTheOldFile) {
    test::TempFolder folder;
    auto file = folder.path() / "blank.apd";
    WriteBytes(file, "keep me");
    std::vector<long> seen;
    Progress progress = [&](std::string_view, long done, long total) {
        seen.push_back(done);
        EXPECT_EQ(total, 5);
        return done < 2;
    };
    WriteOutcome outcome = CreateBlankDatabase(file, 5, Fixed(), progress);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(seen, (std::vector<long>{1, 2}));
    EXPECT_EQ(FileBytes(file), "keep me");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(ApdFile, SuggestedNamesCountUpFromOne) {
    test::TempFolder folder;
    EXPECT_EQ(SuggestedDatabaseName(folder.path(), "athletes"),
              folder.path() / "athletes_0001.apd");
    WriteBytes(folder.path() / "athletes_0001.apd", "");
    WriteBytes(folder.path() / "athletes_0002.apd", "");
    EXPECT_EQ(SuggestedDatabaseName(folder.path(), "athletes"),
              folder.path() / "athletes_0003.apd");
}

}  // namespace
}  // namespace quintaro
