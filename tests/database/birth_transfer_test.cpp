// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/birth_transfer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quintaro {
namespace {

PersonRecord Kray() {
    PersonRecord r;
    r.primaryName = "Kray, Desmond";
    r.birthPlace = "Bayport";
    r.birthDate = 33010;  // 17 May 1990
    r.birthHour = 7;
    r.birthMinute = 5;
    r.amPm = "PM";
    r.timeZone = 5.5f;
    return r;
}

EntrySection Filled() {
    return {"Now", "Chicago", "12", "6",  "2026", "3",   "18", "6",
            "41",  "52",      "87", "38", false,  false, false, {}};
}

TEST(BirthTransfer, RecordValuesAsTheNatalSectionTakesThem) {
    BirthData birth = BirthDataOf(Kray());
    EXPECT_EQ(birth.name, "Kray, Desmond");
    EXPECT_EQ(birth.place, "Bayport");
    ASSERT_TRUE(birth.date);
    EXPECT_EQ(birth.date->year, 1990);
    EXPECT_EQ(birth.date->month, 5);
    EXPECT_EQ(birth.date->day, 17);
    ASSERT_TRUE(birth.time);
    EXPECT_EQ(birth.time->hour, 7);
    EXPECT_EQ(birth.time->minute, 5);
    EXPECT_EQ(birth.time->meridiem, Meridiem::PM);
    EXPECT_EQ(birth.zone, 5.5);
    EXPECT_FALSE(birth.longitude);
    EXPECT_FALSE(birth.latitude);
}

TEST(BirthTransfer, ValuesARecordDoesNotHoldAreNotAvailable) {
    PersonRecord r = Kray();
    r.birthDate = MissingDateSerial;
    r.birthHour = 0;
    r.timeZone = NAN;
    BirthData birth = BirthDataOf(r);
    EXPECT_FALSE(birth.date);
    EXPECT_FALSE(birth.time);
    EXPECT_FALSE(birth.zone);
    r.birthHour = 7;
    r.amPm = "";
    EXPECT_FALSE(BirthDataOf(r).time);
}

TEST(BirthTransfer, TransferCopiesTheNameAndDateOnly) {
    EntrySection natal = Filled();
    ASSERT_TRUE(TransferBirthDate(BirthDataOf(Kray()), natal));
    EXPECT_EQ(natal.name, "Kray, Desmond");
    EXPECT_EQ(natal.month + "/" + natal.day + "/" + natal.year, "5/17/1990");
    EXPECT_EQ(natal.place, "Chicago");
    EXPECT_EQ(natal.hour + ":" + natal.minute + " " + natal.zone, "3:18 6");
}

TEST(BirthTransfer, ApplyingTheBirthDataSetsTimeAndZoneButKeepsTheCoordinates) {
    EntrySection section = Filled();
    ASSERT_TRUE(ApplyBirthData(BirthDataOf(Kray()), section));
    EXPECT_EQ(section.place, "Bayport");
    EXPECT_EQ(section.hour, "7");
    EXPECT_EQ(section.minute, "5");
    EXPECT_TRUE(section.pm);
    EXPECT_EQ(section.zone, "5.5");
    EXPECT_EQ(section.longDeg + " " + section.latDeg, "87 41");
}

TEST(BirthTransfer, ARecordWithoutADateChangesNothing) {
    PersonRecord r = Kray();
    r.birthDate = MissingDateSerial;
    EntrySection section = Filled();
    EXPECT_FALSE(TransferBirthDate(BirthDataOf(r), section));
    EXPECT_FALSE(ApplyBirthData(BirthDataOf(r), section));
    EXPECT_EQ(section.name, "Now");
    EXPECT_EQ(section.year, "2026");
    EXPECT_EQ(section.place, "Chicago");
}

}  // namespace
}  // namespace quintaro
