// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/entry_fields.h"

#include <gtest/gtest.h>

namespace quintaro {
namespace {

TEST(EntryFieldRules, OnlyThePlaceKeepsItsTextOnFocus) {
    EXPECT_FALSE(EntryFieldRules(EntryField::Place).selectsAllOnFocus);
    EXPECT_TRUE(EntryFieldRules(EntryField::Name).selectsAllOnFocus);
}

TEST(EntryFieldRules, AcceptedKeys) {
    struct Case {
        const FieldRules& field;
        char key;
        bool accepted;
    } cases[] = {
        {EntryFieldRules(EntryField::Month), '7', true},
        {EntryFieldRules(EntryField::Month), '.', false},
        {EntryFieldRules(EntryField::Month), 'a', false},
        {EntryFieldRules(EntryField::Month), '\b', true},
        {EntryFieldRules(EntryField::Zone), '-', true},
        {EntryFieldRules(EntryField::Zone), '.', true},
        {EntryFieldRules(EntryField::Zone), '+', false},
        {EntryFieldRules(EntryField::Name), '"', true},
        {EntryFieldRules(EntryField::Place), ' ', true},
        {OptionFieldRules(OptionField::OrbGeoLong), '.', true},
        {OptionFieldRules(OptionField::OrbGeoLong), '-', false},
        {OptionFieldRules(OptionField::NatalHarmonic), '.', false},
        {OptionFieldRules(OptionField::Delta), 'y', true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AcceptsKey(c.field, c.key), c.accepted) << c.field.keys << " " << c.key;
}

TEST(Spin, StopsAtTheEndsOfItsRange) {
    EntrySection s;
    s.year = "2300";
    s.latDeg = "0";
    s.zone = "-13";
    Spin(s, EntryField::Year, +1);
    Spin(s, EntryField::LatDeg, -1);
    Spin(s, EntryField::Zone, -1);
    EXPECT_EQ(s.year, "2300");
    EXPECT_EQ(s.latDeg, "0");
    EXPECT_EQ(s.zone, "-13");
    Spin(s, EntryField::Year, -1);
    EXPECT_EQ(s.year, "2299");
    s.zone = "5.5";
    Spin(s, EntryField::Zone, +1);
    EXPECT_EQ(s.zone, "6.5");
    s.zone = "-12.5";
    Spin(s, EntryField::Zone, -1);
    EXPECT_EQ(s.zone, "-13");
    Spin(s, EntryField::Name, +1);  // no spin: nothing happens
    EXPECT_EQ(s.name, "");
}

struct Clock {
    const char* hour;
    const char* minute;
    bool pm;
};

TEST(Spin, MinuteWrapsCarryIntoTheHourAndFlipAtTwelve) {
    struct Case {
        Clock before;
        int direction;
        Clock after;
    } cases[] = {
        {{"11", "59", false}, +1, {"12", "0", true}},  // 11:59 AM -> 12:00 PM
        {{"12", "0", true}, -1, {"11", "59", false}},  // 12:00 PM -> 11:59 AM
        {{"11", "59", true}, +1, {"12", "0", false}},  // 11:59 PM -> 12:00 AM
        {{"12", "0", false}, -1, {"11", "59", true}},  // 12:00 AM -> 11:59 PM
        {{"12", "59", false}, +1, {"1", "0", false}},  // 12:59 AM -> 1:00 AM
        {{"1", "0", true}, -1, {"12", "59", true}},    // 1:00 PM -> 12:59 PM
        {{"5", "30", false}, +1, {"5", "31", false}}, {{"5", "0", true}, -1, {"4", "59", true}},
    };
    for (const auto& c : cases) {
        EntrySection s;
        s.hour = c.before.hour;
        s.minute = c.before.minute;
        s.pm = c.before.pm;
        Spin(s, EntryField::Minute, c.direction);
        EXPECT_EQ(s.hour, c.after.hour) << c.before.hour << ":" << c.before.minute;
        EXPECT_EQ(s.minute, c.after.minute) << c.before.hour << ":" << c.before.minute;
        EXPECT_EQ(s.pm, c.after.pm) << c.before.hour << ":" << c.before.minute;
    }
}

struct Date {
    const char* year;
    const char* month;
    const char* day;
};

void ExpectDate(const EntrySection& s, const Date& d, const std::string& context) {
    EXPECT_EQ(s.year, d.year) << context;
    EXPECT_EQ(s.month, d.month) << context;
    EXPECT_EQ(s.day, d.day) << context;
}

TEST(Spin, MonthAndDayWrapIntoTheYearAndKeepTheDayInTheMonth) {
    struct Case {
        EntryField field;
        Date before;
        int direction;
        Date after;
    } cases[] = {
        {EntryField::Month, {"2000", "12", "15"}, +1, {"2001", "1", "15"}},
        {EntryField::Month, {"2000", "1", "15"}, -1, {"1999", "12", "15"}},
        {EntryField::Month, {"2001", "3", "31"}, -1, {"2001", "2", "28"}},
        {EntryField::Month, {"2000", "3", "31"}, -1, {"2000", "2", "29"}},  // leap year
        {EntryField::Month, {"1900", "3", "31"}, -1, {"1900", "2", "28"}},  // century, not leap
        {EntryField::Month, {"1600", "1", "31"}, +1, {"1600", "2", "29"}},  // 400-year leap
        {EntryField::Month, {"2000", "8", "31"}, +1, {"2000", "9", "30"}},
        {EntryField::Month, {"2000", "4", "30"}, +1, {"2000", "5", "30"}},
        {EntryField::Day, {"2000", "1", "31"}, +1, {"2000", "2", "1"}},
        {EntryField::Day, {"2000", "12", "31"}, +1, {"2001", "1", "1"}},
        {EntryField::Day, {"2000", "3", "1"}, -1, {"2000", "2", "29"}},
        {EntryField::Day, {"2001", "3", "1"}, -1, {"2001", "2", "28"}},
        {EntryField::Day, {"2000", "1", "1"}, -1, {"1999", "12", "31"}},
        {EntryField::Day, {"2001", "2", "28"}, +1, {"2001", "3", "1"}},
        {EntryField::Day, {"2000", "2", "28"}, +1, {"2000", "2", "29"}},
        {EntryField::Day, {"2000", "5", "1"}, -1, {"2000", "4", "30"}},
        {EntryField::Day, {"2000", "6", "14"}, +1, {"2000", "6", "15"}},
    };
    for (const auto& c : cases) {
        EntrySection s;
        s.year = c.before.year;
        s.month = c.before.month;
        s.day = c.before.day;
        Spin(s, c.field, c.direction);
        ExpectDate(s, c.after,
                   std::string(c.field == EntryField::Day ? "day " : "month ") + c.before.year +
                       "-" + c.before.month + "-" + c.before.day);
    }
}

TEST(Spin, WrapsRunOnlyOnTheWrapValues) {
    EntrySection s;
    s.hour = "3";
    s.minute = "20";
    SetSpinValue(s, EntryField::Minute, 45);
    EXPECT_EQ(s.minute, "45");
    EXPECT_EQ(s.hour, "3");
    s.year = "2001";
    s.month = "5";
    s.day = "10";
    SetSpinValue(s, EntryField::Month, 6);
    ExpectDate(s, {"2001", "6", "10"}, "month 6");
}

}  // namespace
}  // namespace quintaro
