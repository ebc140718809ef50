// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/person_listing.h"

#include <gtest/gtest.h>

#include <fstream>

#include "sample_records.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::FileBytes;
using test::WriteDatabase;

const std::vector<test::Person> kPeople = {
    {"Quenby, Tavish", "1991-11-03"},  // 1
    {"dree, Caspian", ""},             // 2
    {"Achterberg, Jorun", "1993-01-02"},
    {"Vail, Teodor", "1991-11-03"},  // same day as record 1
    {"Brennholt, Aksel", "1889-02-08"},
};

std::vector<long> Numbers(const std::vector<PersonSummary>& people) {
    std::vector<long> numbers;
    for (const auto& p : people) numbers.push_back(p.number);
    return numbers;
}

class Listing : public ::testing::Test {
  protected:
    void SetUp() override { bytes = WriteDatabase(file, kPeople); }
    std::vector<PersonSummary> Read() {
        std::string error;
        auto listing = ReadListing(file, error);
        EXPECT_TRUE(listing) << error;
        return listing ? listing->people : std::vector<PersonSummary>{};
    }
    test::TempFolder folder;
    std::filesystem::path file = folder.path() / "people.apd";
    std::string bytes;
};

TEST_F(Listing, ReadsTheHeadOfEveryRecord) {
    auto people = Read();
    ASSERT_EQ(people.size(), 5u);
    EXPECT_EQ(people[2].number, 3);
    EXPECT_EQ(people[2].primaryName, "Achterberg, Jorun");
    EXPECT_EQ(people[2].birthDateForSorting, "1993-01-02");
    EXPECT_EQ(people[1].birthDate, MissingDateSerial);
    for (const auto& p : people) EXPECT_TRUE(p.problems.empty()) << p.problems.front();
}

TEST_F(Listing, SortsByNameDateOrNumber) {
    auto people = Read();
    SortListing(people, ListingOrder::Name);  // letter case does not count
    EXPECT_EQ(Numbers(people), (std::vector<long>{3, 5, 2, 1, 4}));
    SortListing(people, ListingOrder::BirthDate);  // equal days keep record order; none last
    EXPECT_EQ(Numbers(people), (std::vector<long>{5, 1, 4, 3, 2}));
    SortListing(people, ListingOrder::Number);
    EXPECT_EQ(Numbers(people), (std::vector<long>{1, 2, 3, 4, 5}));
}

TEST_F(Listing, SearchesEveryNameIgnoringLetterCase) {
    auto people = Read();
    EXPECT_EQ(SearchListing(people, "DREE"), (std::vector<long>{2}));
    EXPECT_EQ(SearchListing(people, "EN"), (std::vector<long>{1, 5}));
    EXPECT_EQ(SearchListing(people, ", "), (std::vector<long>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(SearchListing(people, "Zawadell").empty());
    EXPECT_TRUE(SearchListing(people, "  ").empty());
    EXPECT_EQ(SearchResultText(2), "Search found 2 items");
    EXPECT_EQ(SearchResultText(0), "No items found.");
}

TEST_F(Listing, SearchFindsAlternateAndPartNames) {
    PersonRecord r = test::PersonNamed({"Kray, Desmond", ""});
    r.alternateNames[1].text = "Desi Okafor";
    r.middleName = "Ulrich";
    ApdWriter writer(file);
    writer.add(r);
    writer.commit();
    auto people = Read();
    EXPECT_EQ(SearchListing(people, "okafor").size(), 1u);
    EXPECT_EQ(SearchListing(people, "ulrich").size(), 1u);
}

TEST_F(Listing, SubsetCopiesTheChosenRecordsByteForByte) {
    auto subset = folder.path() / "subset.apd";
    ASSERT_EQ(WriteSubset(file, {4, 1, 4}, subset), "");
    EXPECT_EQ(FileBytes(subset), bytes.substr(3 * RecordSize, RecordSize) +
                                     bytes.substr(0, RecordSize) +
                                     bytes.substr(3 * RecordSize, RecordSize));
}

TEST_F(Listing, SubsetRefusalsWriteNothing) {
    auto subset = folder.path() / "subset.apd";
    std::ofstream(subset) << "older";
    EXPECT_EQ(WriteSubset(file, {1, 6}, subset), file.string() + ": record 6 is not in 1 to 5");
    EXPECT_NE(WriteSubset(file, {0}, subset), "");
    EXPECT_NE(WriteSubset(file, {}, subset), "");
    EXPECT_EQ(FileBytes(subset), "older");
    EXPECT_NE(WriteSubset(file, {1}, folder.path() / "." / "people.apd"), "");
    EXPECT_EQ(FileBytes(file), bytes);
}

TEST(ListingOfForeignFiles, DamagedRecordsAreNamed) {
    test::TempFolder folder;
    auto file = folder.path() / "foreign.apd";
    std::string text;
    while (text.size() < RecordSize) text += "{\"this\": \"is not a database\"}\n";
    std::ofstream(file, std::ios::binary)
        << text.substr(0, RecordSize) << std::string(RecordSize, '\0');
    std::string error;
    auto listing = ReadListing(file, error);
    ASSERT_TRUE(listing) << error;
    ASSERT_EQ(listing->people.size(), 2u);
    for (const auto& p : listing->people) EXPECT_FALSE(p.problems.empty());
    EXPECT_EQ(listing->people[1].problems.front(), "the record key holds control characters");
}

TEST(ListingOfForeignFiles, ABlankDatabaseIsSound) {
    test::TempFolder folder;
    auto file = folder.path() / "blank.apd";
    ASSERT_TRUE(CreateBlankDatabase(file, 2, SystemRandomUnit()).done());
    std::string error;
    auto listing = ReadListing(file, error);
    ASSERT_TRUE(listing);
    for (const auto& p : listing->people) EXPECT_TRUE(p.problems.empty());
}

TEST(ListingOfForeignFiles, CancelStopsTheReading) {
    test::TempFolder folder;
    auto file = folder.path() / "blank.apd";
    ASSERT_TRUE(CreateBlankDatabase(file, 300, SystemRandomUnit()).done());
    std::string error;
    EXPECT_FALSE(ReadListing(file, error, [](std::string_view, long, long) { return false; }));
    EXPECT_EQ(error, "Operation stopped by user");
}

}  // namespace
}  // namespace quintaro
