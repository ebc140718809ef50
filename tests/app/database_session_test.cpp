// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/database_session.h"

#include <gtest/gtest.h>

#include <fstream>

#include "app/record_positions.h"
#include "app/session.h"
#include "core/ephemeris_loader.h"
#include "database/record_layout.h"
#include "recording_messages.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

PersonRecord Person(const char* name, CivilDate born, int hour, int minute, const char* amPm,
                    float zone) {
    PersonRecord r = BlankRecord();
    r.recordKey = "K" + std::string(name).substr(0, 4);
    r.primaryName = name;
    r.birthDate = DateToSerial(born);
    r.birthDateForSorting = IsoDateText(born);
    r.birthHour = static_cast<uint8_t>(hour);
    r.birthMinute = static_cast<uint8_t>(minute);
    r.amPm = amPm;
    r.timeZone = zone;
    return r;
}

std::string Bytes(const std::filesystem::path& file) {
    std::string bytes;
    ReadWholeFile(file, bytes);
    return bytes;
}

class CurrentDatabase : public ::testing::Test {
  protected:
    void SetUp() override {
        people = {Person("Vance, Ola", {1984, 6, 2}, 7, 15, "AM", 5),
                  Person("Moreno, Tilde", {1979, 12, 24}, 11, 50, "PM", -1),
                  Person("Vantongeren, Bo", {1966, 1, 9}, 0, 0, "", 0),  // no time
                  BlankRecord()};                                        // no date
        ApdWriter writer(file);
        for (const PersonRecord& p : people) writer.add(p);
        ASSERT_EQ(writer.commit(), "");
        ASSERT_TRUE(OpenCurrentDatabase(session, file));
        messages.shown.clear();
    }
    const DatabaseView& view() const { return *session.database.current; }
    std::string lastMessage() const {
        return messages.shown.empty() ? std::string() : messages.shown.back().text;
    }

    test::TempFolder home;
    test::RecordingMessages messages;
    Session session{home.path(), messages};
    std::filesystem::path file = home.path() / "people.apd";
    std::vector<PersonRecord> people;
};

TEST_F(CurrentDatabase, OpeningAForeignFileKeepsTheCurrentDatabase) {
    const auto foreign = home.path() / "notes.apd";
    std::ofstream(foreign) << std::string(RecordSize, '\x01');
    EXPECT_FALSE(OpenCurrentDatabase(session, foreign));
    EXPECT_NE(lastMessage().find(foreign.string()), std::string::npos) << lastMessage();
    EXPECT_EQ(view().file, file);
    EXPECT_EQ(view().current, 1);

    const auto cut = home.path() / "cut.apd";
    std::ofstream(cut, std::ios::binary) << EncodeRecord(people[0]) << "xyz";
    EXPECT_TRUE(OpenCurrentDatabase(session, cut));
    EXPECT_EQ(view().count, 1);
    EXPECT_NE(lastMessage().find("the last 3 bytes"), std::string::npos) << lastMessage();
}

TEST_F(CurrentDatabase, UnsavedChangesAreAskedAboutBeforeMoving) {
    const std::string before = Bytes(file);
    session.database.current->record.primaryName = "Vance, Ola Mae";
    MarkCurrentModified(session);

    messages.answer = false;  // drop the change
    ASSERT_TRUE(StepCurrentRecord(session, +1));
    EXPECT_EQ(messages.questions.size(), 1u);
    EXPECT_EQ(view().current, 2);
    EXPECT_EQ(Bytes(file), before);
    ASSERT_TRUE(GoToCurrentRecord(session, 1));
    EXPECT_EQ(view().record.primaryName, "Vance, Ola");

    session.database.current->record.primaryName = "Vance, Ola Mae";
    MarkCurrentModified(session);
    messages.answer = true;  // save it: record 1 changes, nothing else
    ASSERT_TRUE(GoToCurrentRecord(session, 3));
    EXPECT_EQ(messages.questions.size(), 2u);
    const std::string after = Bytes(file);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_NE(after.substr(0, RecordSize), before.substr(0, RecordSize));
    EXPECT_EQ(after.substr(RecordSize), before.substr(RecordSize));
    EXPECT_FALSE(session.database.modified);

    // Nothing to ask once saved; out-of-range numbers are refused with the record kept.
    EXPECT_FALSE(GoToCurrentRecord(session, 5));
    EXPECT_EQ(view().current, 3);
    EXPECT_NE(lastMessage().find(file.string()), std::string::npos) << lastMessage();
    EXPECT_FALSE(StepCurrentRecord(session, +1) && StepCurrentRecord(session, +1));
    EXPECT_EQ(view().current, 4);
    EXPECT_EQ(messages.questions.size(), 2u);
}

TEST_F(CurrentDatabase, SearchRepliesAsTheWindowShowsThem) {
    struct Step {
        const char* term;
        size_t found;
        const char* reply;
    };
    const Step steps[] = {
        {"VAN", 2, "Search found 2 items"},
        {"nobody", 0, "No items found."},
        {"nobody", 0, "No items found. Please try again."},
        {"else", 0, "No items found. Please try again."},
        {"tilde", 1, "Search found 1 items"},
        {"nobody", 0, "No items found."},
    };
    for (const Step& step : steps) {
        auto outcome = SearchCurrentDatabase(session, step.term);
        ASSERT_TRUE(outcome) << step.term;
        EXPECT_EQ(outcome->found.size(), step.found) << step.term;
        EXPECT_EQ(outcome->reply, step.reply) << step.term;
    }
    DatabaseSession none;
    std::swap(session.database, none);
    EXPECT_FALSE(SearchCurrentDatabase(session, "van"));
}

TEST_F(CurrentDatabase, TheSubsetKeepsEachRecordOnceInTheOrderAdded) {
    StartSubset(session);
    for (long number : {3L, 1L, 3L, 2L}) {
        ASSERT_TRUE(GoToCurrentRecord(session, number));
        AddCurrentToSubset(session);
    }
    EXPECT_EQ(session.database.subset, (std::vector<long>{3, 1, 2}));
    RemoveFromSubset(session, 2);
    RemoveFromSubset(session, 7);  // no such line: nothing happens
    EXPECT_EQ(SubsetCaption(session), "Database Subset Creation - Records = 2");
    EXPECT_EQ(SuggestedSubsetName(session), home.path() / "people_subset.apd");

    const auto target = home.path() / "picked.apd";
    ASSERT_TRUE(SaveSubset(session, target));
    const std::string source = Bytes(file);
    EXPECT_EQ(Bytes(target),
              source.substr(2 * RecordSize, RecordSize) + source.substr(0, RecordSize));
    EXPECT_FALSE(SaveSubset(session, file));  // never over its own database
    EXPECT_EQ(Bytes(file), source);
}

TEST_F(CurrentDatabase, TransferFillsTheNatalSectionOrSaysWhyNot) {
    EntrySection& natal = session.workstation.entry.natal;
    natal.hour = "3";
    ASSERT_TRUE(GoToCurrentRecord(session, 2));
    ASSERT_TRUE(TransferCurrentBirthDate(session));
    EXPECT_EQ(natal.name, "Moreno, Tilde");
    EXPECT_EQ(natal.month + "/" + natal.day + "/" + natal.year, "12/24/1979");
    EXPECT_EQ(natal.hour, "3");  // the date only

    ASSERT_TRUE(TransferCurrentBirthData(session));
    EXPECT_EQ(natal.hour, "11");
    EXPECT_EQ(natal.minute, "50");
    EXPECT_TRUE(natal.pm);
    EXPECT_EQ(natal.zone, "-1");

    ASSERT_TRUE(GoToCurrentRecord(session, 4));
    const EntrySection before = natal;
    EXPECT_FALSE(TransferCurrentBirthDate(session));
    EXPECT_NE(lastMessage().find("no birth date"), std::string::npos) << lastMessage();
    EXPECT_EQ(natal.name, before.name);
}

// The research table reads every record's positions straight from the ephemeris; the chart of a
// record goes through the whole chart computation. Both must give the same positions.
class RecordCharts : public CurrentDatabase {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(GeneratedEphemerisSource() / "ephem000.dat"))
            GTEST_SKIP() << "no generated ephemeris files";
        CurrentDatabase::SetUp();
        session.workstation.clock = [] { return DateTimeParts{2000, 1, 1, 12, 0, 0}; };
        ASSERT_TRUE(StartSession(session));
    }
};

TEST_F(RecordCharts, TheTableAgreesWithEachRecordsChart) {
    Workstation& ws = session.workstation;
    std::string error;
    auto listing = ReadListing(file, error);
    ASSERT_TRUE(listing) << error;
    for (PositionKind kind : {PositionKind::GeoLong, PositionKind::GeoDecl, PositionKind::HelioLong,
                              PositionKind::HelioLat}) {
        const auto slots = PositionSlots(ws.flags(), kind);
        ASSERT_FALSE(slots.empty());
        const PositionsTable table =
            NatalPositionsTable(ws.positions, listing->people, slots, kind, ws.homeLocation.zone);
        ASSERT_EQ(table.rows.size(), 3u);
        ASSERT_EQ(table.skipped.size(), 1u);
        EXPECT_EQ(table.skipped[0], (std::pair<long, std::string>{4, "no birth date"}));
        EXPECT_TRUE(table.missing.empty());
        for (const RecordPositions& row : table.rows) {
            auto moment = ChartRecord(session, people[size_t(row.number - 1)], error);
            ASSERT_TRUE(moment) << error;
            EXPECT_EQ(moment->jd, row.moment.jd);
            const ChartKinds& natal = ws.record.Natal;
            const PerSlot<double>& chart = kind == PositionKind::GeoLong     ? natal.GeoLong
                                           : kind == PositionKind::GeoDecl   ? natal.GeoDecl
                                           : kind == PositionKind::HelioLong ? natal.HelioLong
                                                                             : natal.HelioLat;
            for (size_t k = 0; k < slots.size(); ++k) {
                ASSERT_TRUE(row.values[k]) << row.number << " " << slots[k];
                // The chart keeps single-precision positions: 1e-4 degree covers their rounding.
                EXPECT_NEAR(*row.values[k], chart[slots[k]], 1e-4)
                    << "record " << row.number << " slot " << slots[k];
            }
        }
    }
    // Records without their own time or zone: noon, the home zone.
    auto moment = ChartRecord(session, people[2], error);
    ASSERT_TRUE(moment) << error;
    EXPECT_TRUE(moment->noonAssumed);
    EXPECT_EQ(ws.entry.natal.hour, "12");
    EXPECT_TRUE(ws.entry.natal.pm);
    EXPECT_FALSE(ChartRecord(session, people[3], error));
    EXPECT_EQ(error, "the record holds no birth date");
}

TEST(PositionSlots, LeaveOutWhatHasNoPositionInTheFrame) {
    SelectionFlags flags;
    for (int slot = 1; slot <= BodyCount; ++slot) flags.setNatal(slot, true);
    const auto geo = PositionSlots(flags, PositionKind::GeoLong);
    const auto helio = PositionSlots(flags, PositionKind::HelioLat);
    auto has = [](const std::vector<int>& slots, int slot) {
        return std::find(slots.begin(), slots.end(), slot) != slots.end();
    };
    EXPECT_TRUE(has(geo, SlotSun) && has(geo, SlotMoon));
    EXPECT_FALSE(has(geo, SlotEarth));
    EXPECT_FALSE(has(helio, SlotSun) || has(helio, SlotMoon));
    EXPECT_TRUE(has(helio, SlotEarth));
    for (int slot = SlotAscendant; slot <= SlotPartOfFortune; ++slot)
        EXPECT_FALSE(has(geo, slot) || has(helio, slot)) << slot;
    EXPECT_EQ(PositionKindOf("hlat"), PositionKind::HelioLat);
    EXPECT_FALSE(PositionKindOf("xx"));
}

}  // namespace
}  // namespace quintaro
