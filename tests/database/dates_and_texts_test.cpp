// SPDX-License-Identifier: AGPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "database/serial_date.h"
#include "database/text_encoding.h"

namespace quintaro {
namespace {

// Serial numbers of the usual spreadsheet date count (day 0 = 30 December 1899).
TEST(SerialDate, KnownDaysBothWays) {
    struct Case {
        double serial;
        int year, month, day;
    };
    const Case cases[] = {{0, 1899, 12, 30},      {1, 1899, 12, 31},    {2, 1900, 1, 1},
                          {61, 1900, 3, 1},       {33010, 1990, 5, 17}, {36526, 2000, 1, 1},
                          {36585, 2000, 2, 29},   {-1, 1899, 12, 29},   {-657434, 100, 1, 1},
                          {2958465, 9999, 12, 31}};
    for (const Case& c : cases) {
        auto date = SerialToDate(c.serial);
        ASSERT_TRUE(date) << c.serial;
        EXPECT_EQ(date->year, c.year) << c.serial;
        EXPECT_EQ(date->month, c.month) << c.serial;
        EXPECT_EQ(date->day, c.day) << c.serial;
        EXPECT_EQ(DateToSerial({c.year, c.month, c.day}), c.serial);
    }
}

TEST(SerialDate, TimeOfDayAndDamagedValues) {
    EXPECT_EQ(SerialToDate(33010.99)->day, 17);
    EXPECT_EQ(SerialToDate(-1.5)->day, 29);  // before day 0 the fraction counts forward
    for (double bad : {double(NAN), double(INFINITY), -657435.0, 2958466.0, 1e300})
        EXPECT_FALSE(SerialToDate(bad)) << bad;
    EXPECT_FALSE(PresentDate(MissingDateSerial));
    EXPECT_FALSE(PresentDate(1.25));
    EXPECT_TRUE(PresentDate(0.0));
}

TEST(SerialDate, ListDates) {
    struct Case {
        const char* text;
        bool good;
        const char* us;
    };
    const Case cases[] = {{"5/17/1990", true, "05/17/1990"},
                          {"05/07/1990", true, "05/07/1990"},
                          {"1990-05-17", true, "05/17/1990"},
                          {"2/29/2000", true, "02/29/2000"},
                          {"2/30/1990", false, ""},
                          {"2/29/1900", false, ""},
                          {"13/1/1990", false, ""},
                          {"0/10/1990", false, ""},
                          {"5/17/90", false, ""},
                          {"1990-5-17", false, ""},
                          {"17.5.1990", false, ""},
                          {"5/17/1990x", false, ""},
                          {"", false, ""},
                          {"//", false, ""}};
    for (const Case& c : cases) {
        std::string error;
        auto date = ParseListDate(c.text, error);
        EXPECT_EQ(date.has_value(), c.good) << c.text;
        if (date) {
            EXPECT_EQ(UsDateText(*date), c.us);
        } else {
            EXPECT_NE(error.find(c.text), std::string::npos) << error;
        }
    }
    std::string error;
    ParseListDate("2/30/1990", error);
    EXPECT_EQ(error, "the date \"2/30/1990\" is not a calendar date");
}

TEST(TextEncoding, WesternCharactersTakeOneByte) {
    EXPECT_EQ(Utf8ToFileText("R\u00e9mi", 10), "R\xE9mi");
    EXPECT_EQ(Utf8ToFileText("\u20ac5 \u2014 \u0152", 10),
              "\x80"
              "5 \x97 \x8C");
    EXPECT_EQ(Utf8ToFileText("\u4e2d\u6587", 10), "??");
    EXPECT_EQ(Utf8ToFileText("\u00e9\u00e9\u00e9", 2), "\xE9\xE9");  // cut between characters
    EXPECT_EQ(FileTextToUtf8("R\xE9mi"), "R\u00e9mi");
    EXPECT_EQ(FileTextToUtf8("\x80"), "\u20ac");
}

TEST(TextEncoding, EveryByteComesBackUnchanged) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToFileText(FileTextToUtf8(all), all.size()), all);
    // Text that is not UTF-8 keeps its bytes.
    EXPECT_EQ(Utf8ToFileText("a\xFF\xC3", 10), "a\xFF\xC3");
}

}  // namespace
}  // namespace quintaro
