// SPDX-License-Identifier: AGPL-3.0-or-later
// The database grid's rows, a copy of a database with one record changed, and a record's birth
// moment.
#include <gtest/gtest.h>

#include "database/birth_transfer.h"
#include "database/database_grid.h"
#include "sample_records.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

PersonSummary Summary(long number, const char* name, const char* born) {
    const PersonRecord r = test::PersonNamed({name, born});
    PersonSummary s;
    s.number = number;
    s.primaryName = r.primaryName;
    s.recordKey = r.recordKey;
    s.birthDate = r.birthDate;
    s.birthDateForSorting = r.birthDateForSorting;
    s.birthHour = r.birthHour;
    s.birthMinute = r.birthMinute;
    s.amPm = r.amPm;
    s.timeZone = r.timeZone;
    return s;
}

TEST(DatabaseGrid, RowsByNumberAndByDateWithDamagedRecordsShownAsSuch) {
    std::vector<PersonSummary> people = {
        Summary(1, "Wendt, Ilse", "1990-03-01"), Summary(2, "Kary, Odo", ""),
        Summary(3, "Brill, Asa", "1950-11-30"), Summary(4, "Ferro, Lin", "1950-11-30")};
    people[3].timeZone = 5.5f;
    people[3].birthMinute = 7;
    people[3].birthPlace = "Harbour Town";

    const DatabaseGrid byDate = BuildDatabaseGrid(people, ListingOrder::BirthDate);
    EXPECT_EQ(byDate.numbers, (std::vector<long>{3, 4, 1, 2}));  // equal dates keep record order
    ASSERT_EQ(byDate.rows.size(), 4u);
    EXPECT_EQ(byDate.rows[1], (std::vector<std::string>{"4", "Ferro, Lin", "11/30/1950", "12:07 PM",
                                                        "5.5", "Harbour Town", "", "KEYFerro"}));
    EXPECT_EQ(byDate.rows[3][2], "");  // no date: no text, never the missing-date value
    EXPECT_EQ(byDate.headings.size(), byDate.rows[0].size());
    EXPECT_EQ(byDate.headings[GridDateColumn], "Birth Date");
    EXPECT_EQ(byDate.headings[GridNumberColumn], "Record #");

    people[0].problems = {"birth hour 40"};
    const DatabaseGrid byNumber = BuildDatabaseGrid(people, ListingOrder::Number);
    EXPECT_EQ(byNumber.numbers, (std::vector<long>{1, 2, 3, 4}));
    EXPECT_EQ(byNumber.rows[0][1], "damaged record: birth hour 40");
    for (size_t column = 2; column < byNumber.rows[0].size(); ++column)
        EXPECT_EQ(byNumber.rows[0][column], "") << column;
    EXPECT_EQ(DatabaseGridCaption("/data/x.apd"), "Database Data Grid - /data/x.apd");
}

class Copy : public ::testing::Test {
  protected:
    void SetUp() override {
        bytes = test::WriteDatabase(source, {{"Aune, Per", "1971-01-02"},
                                             {"Bosch, Rhea", "1982-03-04"},
                                             {"Cole, Sim", "1993-05-06"}});
        changed = test::PersonNamed({"Bosch, Rhea", "1982-03-05"});
        changed.comments[19] = "moved a day";
    }
    test::TempFolder folder;
    std::filesystem::path source = folder.path() / "people.apd";
    std::filesystem::path target = folder.path() / "copy.apd";
    std::string bytes;
    PersonRecord changed;
};

TEST_F(Copy, EveryOtherRecordIsCopiedByteForByte) {
    ASSERT_EQ(WriteCopyWithRecord(source, 2, changed, target), "");
    const std::string copy = test::FileBytes(target);
    ASSERT_EQ(copy.size(), bytes.size());
    EXPECT_EQ(copy.substr(0, RecordSize), bytes.substr(0, RecordSize));
    EXPECT_EQ(copy.substr(RecordSize, RecordSize), EncodeRecord(changed));
    EXPECT_EQ(copy.substr(2 * RecordSize), bytes.substr(2 * RecordSize));
    EXPECT_EQ(test::FileBytes(source), bytes);
}

TEST_F(Copy, RefusedCopiesWriteNothing) {
    EXPECT_NE(WriteCopyWithRecord(source, 4, changed, target), "");
    EXPECT_NE(WriteCopyWithRecord(source, 0, changed, target), "");
    EXPECT_FALSE(std::filesystem::exists(target));
    const std::string why = WriteCopyWithRecord(source, 2, changed, source);
    EXPECT_NE(why.find("own database"), std::string::npos) << why;
    EXPECT_EQ(test::FileBytes(source), bytes);
}

// Julian days worked out by hand: 15 July 1990 0h UT is JD 2448087.5.
TEST(BirthMoment, ReadAsTheChartReadsIt) {
    BirthData birth;
    birth.date = CivilDate{1990, 7, 15};
    birth.time = BirthClock{3, 30, Meridiem::PM};
    birth.zone = 5;  // west: 15:30 + 5 h = 20:30 UT
    auto moment = BirthMomentOf(birth, -1);
    ASSERT_TRUE(moment);
    EXPECT_NEAR(moment->jd, 2448087.5 + 20.5 / 24, 1e-7);
    EXPECT_FALSE(moment->noonAssumed);
    EXPECT_FALSE(moment->zoneAssumed);

    birth.time.reset();  // 12:00 P.M.
    birth.zone.reset();  // the given zone: one hour east, so 11:00 UT
    moment = BirthMomentOf(birth, -1);
    ASSERT_TRUE(moment);
    EXPECT_NEAR(moment->jd, 2448087.5 + 11.0 / 24, 1e-7);
    EXPECT_TRUE(moment->noonAssumed);
    EXPECT_TRUE(moment->zoneAssumed);

    birth.time = BirthClock{12, 10, Meridiem::AM};  // ten past midnight
    birth.zone = 0;
    moment = BirthMomentOf(birth, -1);
    ASSERT_TRUE(moment);
    EXPECT_NEAR(moment->jd, 2448087.5 + 10.0 / 1440, 1e-7);

    birth.date.reset();
    EXPECT_FALSE(BirthMomentOf(birth, 0));
}

TEST(BirthMoment, ASummaryGivesTheBirthDataOfItsRecord) {
    PersonRecord record = test::PersonNamed({"Dahl, Une", "2001-09-10"});
    record.birthHour = 9;
    record.birthMinute = 45;
    record.amPm = "AM";
    record.timeZone = -2;
    record.birthPlace = "Lakeside  ";
    std::string error;
    const test::TempFolder folder;
    const auto file = folder.path() / "one.apd";
    ApdWriter writer(file);
    writer.add(record);
    ASSERT_EQ(writer.commit(), "");
    auto listing = ReadListing(file, error);
    ASSERT_TRUE(listing) << error;
    const BirthData fromSummary = BirthDataOf(listing->people.at(0));
    const BirthData fromRecord = BirthDataOf(record);
    EXPECT_EQ(fromSummary.name, "Dahl, Une");
    EXPECT_EQ(fromSummary.place, "Lakeside");
    ASSERT_TRUE(fromSummary.date && fromSummary.time && fromSummary.zone);
    EXPECT_EQ(fromSummary.date->day, fromRecord.date->day);
    EXPECT_EQ(fromSummary.time->hour, 9);
    EXPECT_EQ(fromSummary.time->minute, 45);
    EXPECT_EQ(*fromSummary.zone, -2);
}

}  // namespace
}  // namespace quintaro
