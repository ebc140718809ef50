// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/record_forms.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "database/date_time_entry.h"
#include "database/record_layout.h"

namespace quintaro {
namespace {

const RecordForm kAllForms[] = {
    RecordForm::Person,          RecordForm::AlternateNames, RecordForm::BirthData,
    RecordForm::Addresses,       RecordForm::Phones,         RecordForm::Emails,
    RecordForm::HistoricalDates, RecordForm::HistoricalData, RecordForm::Comments};

// Every field of every window as "form/control" -> its text for a record.
std::map<std::string, std::string> AllTexts(const PersonRecord& record) {
    std::map<std::string, std::string> texts;
    for (RecordForm form : kAllForms)
        for (const FormField& field : FormFields(form))
            texts[std::to_string(int(form)) + "/" + field.control] = field.read(record);
    return texts;
}

// A text the field takes: a long text for the text fields (to see the cut), else a date, a
// number, a meridiem.
std::string WriteSomething(const FormField& field, PersonRecord& record) {
    const std::string longText = std::string(field.width + 5, 'Q');
    for (const std::string& text :
         {longText, std::string("3/4/1950"), std::string("7"), std::string("PM")})
        if (field.write(record, text).empty()) return text;
    return {};
}

// Each field writes its own part of the record and nothing else, and what it wrote survives the
// record's trip through the file. Two controls sharing one part of the record, or a part the
// layout drops, fail here.
TEST(RecordForms, EachFieldWritesOnlyItsOwnPartAndSurvivesTheFile) {
    const PersonRecord blank = BlankRecord();
    const auto blankTexts = AllTexts(blank);
    size_t written = 0;
    for (RecordForm form : kAllForms) {
        for (const FormField& field : FormFields(form)) {
            if (field.readOnly) continue;
            const std::string key = std::to_string(int(form)) + "/" + field.control;
            PersonRecord record = blank;
            const std::string text = WriteSomething(field, record);
            ASSERT_FALSE(text.empty()) << key << " takes no text at all";
            const PersonRecord reread = DecodeRecord(EncodeRecord(record));
            const auto texts = AllTexts(reread);
            const std::string shown = field.read(reread);
            EXPECT_NE(shown, blankTexts.at(key)) << key;
            EXPECT_EQ(shown, field.read(record)) << key << " lost in the file";
            if (text.front() == 'Q') {
                EXPECT_EQ(shown, std::string(field.width, 'Q')) << key << " not cut at its width";
            }
            for (const auto& [other, value] : texts) {
                if (other == key) continue;
                // The birth date also sets the read-only sort date beside it.
                if (field.control == "txtBirthDate" && other.ends_with("txtBirthDate_for_Sorting"))
                    continue;
                EXPECT_EQ(value, blankTexts.at(other)) << key << " also changed " << other;
            }
            ++written;
        }
    }
    // 7 + 4 + 5 + 32 + 30 + 10 + 40 + 60 + 20 editable fields
    EXPECT_EQ(written, 208u);
}

TEST(RecordForms, RejectedTextsLeaveTheRecordAsItWas) {
    struct Case {
        RecordForm form;
        const char* control;
        const char* text;
        const char* why;
    };
    const Case cases[] = {
        {RecordForm::Person, "txtBirthDate", "2/30/1990", "2/30/1990"},
        {RecordForm::Person, "txtBirthDate", "13/1/1990", "13/1/1990"},
        {RecordForm::Person, "txtBirthDate", "soon", "soon"},
        {RecordForm::Person, "txtPrimaryName", "Tab\there", "control characters"},
        {RecordForm::AlternateNames, "txtNC1_Date", "1990-02-30", "1990-02-30"},
        {RecordForm::BirthData, "txtBirthHour", "13", "1 to 12"},
        {RecordForm::BirthData, "txtBirthHour", "0", "1 to 12"},
        {RecordForm::BirthData, "txtBirthHour", "7.5", "1 to 12"},
        {RecordForm::BirthData, "txtBirthMinute", "60", "0 to 59"},
        {RecordForm::BirthData, "txtBirthMinute", "-1", "0 to 59"},
        {RecordForm::BirthData, "txtBirthAM_PM", "XM", "neither AM nor PM"},
        {RecordForm::BirthData, "txtBirthTZ", "24.5", "-24 to 24"},
        {RecordForm::BirthData, "txtBirthTZ", "5h", "-24 to 24"},
        {RecordForm::BirthData, "txtBirthTZ", "nan", "-24 to 24"},
    };
    PersonRecord sound = BlankRecord();
    sound.primaryName = "Orrin, Belle";
    sound.birthDate = DateToSerial({1961, 5, 17});
    sound.birthDateForSorting = "1961-05-17";
    sound.birthHour = 4;
    sound.birthMinute = 20;
    sound.amPm = "AM";
    sound.timeZone = 6;
    for (const Case& c : cases) {
        const FormField* field = FindFormField(c.form, c.control);
        ASSERT_NE(field, nullptr) << c.control;
        PersonRecord record = sound;
        const std::string why = field->write(record, c.text);
        EXPECT_NE(why.find(c.why), std::string::npos) << c.control << " " << c.text << ": " << why;
        EXPECT_EQ(record, sound) << c.control << " " << c.text;
    }
}

TEST(RecordForms, BirthDateCarriesItsSortDate) {
    const FormField* date = FindFormField(RecordForm::Person, "txtBirthDate");
    ASSERT_NE(date, nullptr);
    PersonRecord record = BlankRecord();
    for (const char* text : {"7/4/1976", "1976-07-04", " 07/04/1976 "}) {
        ASSERT_EQ(date->write(record, text), "") << text;
        EXPECT_EQ(record.birthDateForSorting, "1976-07-04") << text;
        EXPECT_EQ(date->read(record), "07/04/1976") << text;
    }
    ASSERT_EQ(date->write(record, "  "), "");
    EXPECT_EQ(record.birthDate, MissingDateSerial);
    EXPECT_EQ(record.birthDateForSorting, "");
    EXPECT_EQ(date->read(record), "");
}

TEST(RecordForms, TextsAreKeptAsTheFileHoldsThem) {
    const FormField* name = FindFormField(RecordForm::Person, "txtFirstName");  // 20 wide
    ASSERT_NE(name, nullptr);
    struct Case {
        const char* typed;
        const char* kept;
    };
    const Case cases[] = {
        {"Zoë", "Zoë"},                                     // in the code page
        {"Łukasz", "?ukasz"},                               // not in it
        {"Bea   ", "Bea"},                                  // trailing blanks are padding
        {"ééééééééééééééééééééé", "éééééééééééééééééééé"},  // cut at 20 characters, not bytes
    };
    for (const Case& c : cases) {
        PersonRecord record = BlankRecord();
        ASSERT_EQ(name->write(record, c.typed), "") << c.typed;
        EXPECT_EQ(name->read(record), c.kept) << c.typed;
        EXPECT_EQ(name->read(DecodeRecord(EncodeRecord(record))), c.kept) << c.typed;
    }
}

TEST(RecordForms, WindowsCaptionsAndControls) {
    ASSERT_EQ(SubRecordForms().size(), 8u);
    std::set<std::string_view> buttons, windows;
    for (RecordForm form : SubRecordForms()) {
        buttons.insert(SubRecordButton(form));
        windows.insert(SubRecordWindowName(form));
    }
    EXPECT_EQ(buttons.size(), 8u);
    EXPECT_EQ(windows.size(), 8u);
    EXPECT_EQ(SubRecordCaption(RecordForm::AlternateNames, 12),
              "Name changes - records in database = 12");
    EXPECT_EQ(SubRecordCaption(RecordForm::HistoricalData, 3),
              "Numeric historical data - records in database = 3");
    EXPECT_EQ(SubRecordCaption(RecordForm::Comments, 0), "Comments - records in database = 0");
    EXPECT_EQ(SubRecordButton(RecordForm::HistoricalDates), "Historical Dates");
    for (RecordForm form : kAllForms) {
        std::set<std::string> controls;
        std::set<std::pair<int, int>> cells;
        for (const FormField& field : FormFields(form)) {
            EXPECT_TRUE(controls.insert(field.control).second) << field.control;
            EXPECT_TRUE(cells.insert({field.row, field.column}).second)
                << field.control << " lies over another field";
        }
    }
    EXPECT_EQ(FindFormField(RecordForm::Person, "txtBirthHour"), nullptr);
}

class DateTime : public ::testing::Test {
  protected:
    void SetUp() override {
        record = BlankRecord();
        record.primaryName = "Ash, Mira";
        good = {"2", "29", "1988", "11", "5", true, "-5.5"};
    }
    PersonRecord record;
    DateTimeEntry good;
};

TEST_F(DateTime, AnEntryIsWrittenWholeAndReadBack) {
    ASSERT_EQ(ApplyDateTimeEntry(good, record), "");
    EXPECT_EQ(record.birthDate, DateToSerial({1988, 2, 29}));
    EXPECT_EQ(record.birthDateForSorting, "1988-02-29");
    EXPECT_EQ(record.birthHour, 11);
    EXPECT_EQ(record.birthMinute, 5);
    EXPECT_EQ(record.amPm, "PM");
    EXPECT_FLOAT_EQ(record.timeZone, -5.5f);
    const DateTimeEntry back = DateTimeEntryOf(DecodeRecord(EncodeRecord(record)));
    EXPECT_EQ(back.month, "2");
    EXPECT_EQ(back.day, "29");
    EXPECT_EQ(back.year, "1988");
    EXPECT_EQ(back.hour, "11");
    EXPECT_EQ(back.minute, "5");
    EXPECT_TRUE(back.pm);
    EXPECT_EQ(back.zone, "-5.5");

    DateTimeEntry noDate = good;
    noDate.month = noDate.day = noDate.year = "";
    ASSERT_EQ(ApplyDateTimeEntry(noDate, record), "");
    EXPECT_EQ(record.birthDate, MissingDateSerial);
    EXPECT_EQ(record.birthDateForSorting, "");
}

// One bad part refuses the whole entry: the date is not written while the time is wrong, and the
// message names the part.
TEST_F(DateTime, OneBadPartLeavesTheRecordAsItWas) {
    struct Case {
        std::string DateTimeEntry::*part;
        const char* text;
        const char* named;
    };
    const Case cases[] = {
        {&DateTimeEntry::day, "30", "Birth date"},      {&DateTimeEntry::month, "", "Birth date"},
        {&DateTimeEntry::year, "19x8", "Birth date"},   {&DateTimeEntry::hour, "13", "Birth Hour"},
        {&DateTimeEntry::minute, "75", "Birth Minute"}, {&DateTimeEntry::zone, "25", "Time zone"},
        {&DateTimeEntry::zone, "EST", "Time zone"},
    };
    const PersonRecord before = record;
    for (const Case& c : cases) {
        DateTimeEntry entry = good;
        entry.*c.part = c.text;
        const std::string why = ApplyDateTimeEntry(entry, record);
        EXPECT_TRUE(why.starts_with(c.named)) << c.text << ": " << why;
        EXPECT_EQ(record, before) << c.text;
    }
}

}  // namespace
}  // namespace quintaro
