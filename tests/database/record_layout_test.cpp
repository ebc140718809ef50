// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/record_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace quintaro {
namespace {

const RecordField* FindField(const std::string& name, int index = 0, const std::string& part = "") {
    const auto& layout = RecordLayout();
    auto it = std::find_if(layout.begin(), layout.end(), [&](const RecordField& f) {
        return f.name == name && f.index == index && f.part == part;
    });
    return it == layout.end() ? nullptr : &*it;
}

// Offsets worked out by hand from the field widths, with dates 8 bytes, hour and minute 1 byte,
// the zone 4 bytes, the reserved number 2 bytes and the reserved block 2222 bytes.
TEST(RecordLayout, FieldsLieAtTheirHandComputedOffsets) {
    struct Expected {
        const char* name;
        int index;
        const char* part;
        size_t offset;
        size_t width;
    };
    const Expected expected[] = {
        {"record key", 0, "", 0, 16},
        {"primary name", 0, "", 16, 60},
        {"first name", 0, "", 76, 20},
        {"middle name", 0, "", 96, 20},
        {"last name", 0, "", 116, 20},
        {"alternate name", 1, "name", 136, 60},
        {"alternate name", 1, "date", 196, 8},
        {"alternate name", 2, "name", 204, 60},
        {"alternate name", 2, "date", 264, 8},
        {"member number", 0, "", 272, 6},
        {"sex", 0, "", 278, 1},
        {"reserved text", 0, "", 279, 8},
        {"reserved number", 0, "", 287, 2},
        {"birth date for sorting", 0, "", 289, 10},
        {"birth date", 0, "", 299, 8},
        {"birth hour", 0, "", 307, 1},
        {"birth minute", 0, "", 308, 1},
        {"AM/PM", 0, "", 309, 2},
        {"time zone", 0, "", 311, 4},
        {"birth place", 0, "", 315, 30},
        {"reserved block", 0, "", 345, 2222},
        {"address", 1, "address 1", 2567, 30},
        {"address", 1, "zip code", 2747, 30},
        {"address", 1, "effective date", 2777, 8},
        {"address", 4, "address 1", 3221, 30},
        {"address", 4, "effective date", 3431, 8},
        {"home phone", 1, "text", 3439, 20},
        {"home phone", 5, "date", 3571, 8},
        {"work phone", 1, "text", 3579, 20},
        {"cell phone", 1, "text", 3719, 20},
        {"e-mail", 1, "text", 3859, 60},
        {"e-mail", 4, "text", 4063, 60},
        {"e-mail", 5, "text", 4131, 60},
        {"e-mail", 5, "date", 4191, 8},
        {"comment", 1, "", 4199, 120},
        {"comment", 20, "", 6479, 120},
        {"historical date", 1, "date", 6599, 10},
        {"historical date", 1, "comment", 6609, 60},
        {"historical date", 20, "comment", 7939, 60},
        {"numeric historical data", 1, "data", 7999, 30},
        {"numeric historical data", 1, "comment", 8029, 15},
        {"numeric historical data", 30, "data", 9304, 30},
        {"numeric historical data", 30, "comment", 9334, 15},
    };
    for (const auto& e : expected) {
        const RecordField* field = FindField(e.name, e.index, e.part);
        ASSERT_NE(field, nullptr) << e.name << " " << e.index << " " << e.part;
        EXPECT_EQ(field->offset, e.offset) << e.name << " " << e.index << " " << e.part;
        EXPECT_EQ(field->width, e.width) << e.name << " " << e.index << " " << e.part;
    }
    EXPECT_EQ(RecordHeadSize(), 345u);
}

TEST(RecordLayout, FieldsFollowOneAnotherWithoutGapsToTheRecordSize) {
    size_t offset = 0;
    for (const RecordField& field : RecordLayout()) {
        EXPECT_EQ(field.offset, offset) << field.name << " " << field.index << " " << field.part;
        offset += field.width;
    }
    EXPECT_EQ(offset, 9349u);
    // 5 names + 2 x 2 alternate names + member number, sex, 2 reserved, sort date, birth date,
    // hour, minute, AM/PM, zone, place, reserved block + 4 x 8 address fields + 4 x 5 x 2 dated
    // texts + 20 comments + 20 x 2 historical dates + 30 x 2 data.
    EXPECT_EQ(RecordLayout().size(), 5u + 4 + 12 + 32 + 40 + 20 + 40 + 60);
}

std::string Field(const std::string& bytes, size_t offset, size_t width) {
    return bytes.substr(offset, width);
}

TEST(RecordLayout, EncodesEachKindOfFieldAsDocumented) {
    PersonRecord r;
    r.recordKey = "1A2B3C4D5E6F7G8H";
    r.primaryName = "Feldcastle, Orrin";
    r.birthDate = 33010;  // 17 May 1990
    r.birthHour = 7;
    r.birthMinute = 45;
    r.amPm = "PM";
    r.timeZone = 5.0f;
    r.birthPlace = "Harbor City";
    r.reservedNumber = -2;
    r.emails[4].text = "Imported from list.csv";
    r.historicalData[29].comment = "Years in league";
    std::string bytes = EncodeRecord(r);
    ASSERT_EQ(bytes.size(), 9349u);
    EXPECT_EQ(Field(bytes, 0, 16), "1A2B3C4D5E6F7G8H");
    EXPECT_EQ(Field(bytes, 16, 60), "Feldcastle, Orrin" + std::string(43, ' '));
    EXPECT_EQ(Field(bytes, 76, 20), std::string(20, ' '));
    // 33010.0 = 0x40E01E4000000000
    EXPECT_EQ(Field(bytes, 299, 8), std::string("\0\0\0\0\x40\x1E\xE0\x40", 8));
    // Serial 1 (the missing date) = 0x3FF0000000000000, in an untouched date field.
    EXPECT_EQ(Field(bytes, 196, 8), std::string("\0\0\0\0\0\0\xF0\x3F", 8));
    EXPECT_EQ(bytes[307], 7);
    EXPECT_EQ(bytes[308], 45);
    EXPECT_EQ(Field(bytes, 309, 2), "PM");
    EXPECT_EQ(Field(bytes, 311, 4), std::string("\0\0\xA0\x40", 4));  // 5.0f
    EXPECT_EQ(Field(bytes, 287, 2), "\xFE\xFF");
    EXPECT_EQ(Field(bytes, 315, 30), "Harbor City" + std::string(19, ' '));
    EXPECT_EQ(Field(bytes, 345, 2222), std::string(2222, '\0'));
    EXPECT_EQ(Field(bytes, 4131, 60), "Imported from list.csv" + std::string(38, ' '));
    EXPECT_EQ(Field(bytes, 9334, 15), "Years in league");
}

TEST(RecordLayout, TextsAreCutAtTheirWidthAndTakeOneBytePerCharacter) {
    PersonRecord r;
    r.sex = "Female";
    r.firstName = "Ren\u00e9e-Marguerite-Anastasia";  // 26 characters, 27 bytes in UTF-8
    r.lastName = "\u20ac\u03a9";                      // euro sign; omega has no byte
    std::string bytes = EncodeRecord(r);
    EXPECT_EQ(Field(bytes, 278, 1), "F");
    EXPECT_EQ(Field(bytes, 76, 20),
              "Ren\xE9"
              "e-Marguerite-Ana");
    EXPECT_EQ(Field(bytes, 116, 20), "\x80?" + std::string(18, ' '));
    PersonRecord back = DecodeRecord(bytes);
    EXPECT_EQ(back.sex, "F");
    EXPECT_EQ(back.firstName, "Ren\u00e9e-Marguerite-Ana");
    EXPECT_EQ(back.lastName, "\u20ac?");
}

// Every field set to a value of its own, so that a field written to the wrong place or read
// from the wrong place shows.
PersonRecord EveryFieldFilled() {
    PersonRecord r;
    int n = 0;
    auto text = [&n](const char* stem) { return std::string(stem) + std::to_string(++n); };
    auto date = [&n] { return 30000.0 + (++n); };
    r.recordKey = "KEY0123456789ABC";
    r.primaryName = text("primary");
    r.firstName = text("first");
    r.middleName = text("middle");
    r.lastName = text("last");
    for (auto& a : r.alternateNames) a = {text("alias"), date()};
    r.memberNumber = "123456";
    r.sex = "M";
    r.reservedText = "RESERVED";
    r.reservedNumber = 31000;
    r.birthDateForSorting = "1990-05-17";
    r.birthDate = 33010.75;  // a time of day travels with the date
    r.birthHour = 12;
    r.birthMinute = 59;
    r.amPm = "AM";
    r.timeZone = -5.5f;
    r.birthPlace = text("place");
    for (size_t i = 0; i < r.reservedBlock.size(); ++i)
        r.reservedBlock[i] = static_cast<char>(i * 7 % 256);
    for (auto& a : r.addresses) {
        a = {text("a1-"),   text("a2-"),     text("a3-"), text("city"),
             text("state"), text("country"), text("zip"), date()};
    }
    for (auto* list : {&r.homePhones, &r.workPhones, &r.cellPhones, &r.emails})
        for (auto& entry : *list) entry = {text("dated"), date()};
    for (auto& c : r.comments) c = text("comment");
    for (auto& h : r.historicalDates) h = {text("d"), text("happened")};
    for (auto& h : r.historicalData) h = {text("value"), text("label")};
    return r;
}

TEST(RecordLayout, EveryFieldComesBackAsWritten) {
    PersonRecord r = EveryFieldFilled();
    EXPECT_EQ(DecodeRecord(EncodeRecord(r)), r);
}

TEST(RecordLayout, AnyBytesReadAndWrittenAgainAreTheSameBytes) {
    std::mt19937 engine(20);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 20; ++round) {
        std::string bytes(RecordSize, '\0');
        for (char& c : bytes) c = static_cast<char>(byte(engine));
        // Runs of blanks at the ends of text fields are what trimming touches.
        if (round % 2) std::fill(bytes.begin() + 100, bytes.begin() + 136, ' ');
        EXPECT_EQ(EncodeRecord(DecodeRecord(bytes)), bytes) << "round " << round;
    }
}

TEST(RecordLayout, ShortBytesGiveTheFieldsThatLieWhollyInside) {
    PersonRecord r = EveryFieldFilled();
    PersonRecord head = DecodeRecord(EncodeRecord(r).substr(0, RecordHeadSize()));
    EXPECT_EQ(head.primaryName, r.primaryName);
    EXPECT_EQ(head.birthPlace, r.birthPlace);
    EXPECT_EQ(head.birthDate, r.birthDate);
    EXPECT_EQ(head.reservedBlock, std::string(ReservedBlockWidth, '\0'));  // not read
    EXPECT_TRUE(head.comments[0].empty());
    PersonRecord cut = DecodeRecord(EncodeRecord(r).substr(0, 300));  // inside the birth date
    EXPECT_EQ(cut.birthDateForSorting, r.birthDateForSorting);
    EXPECT_EQ(cut.birthDate, MissingDateSerial);
}

}  // namespace
}  // namespace quintaro
