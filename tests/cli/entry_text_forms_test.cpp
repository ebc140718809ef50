// SPDX-License-Identifier: AGPL-3.0-or-later
// Every accepted written form of times, coordinates and zones, and the forms refused because
// they are impossible or could mean two things.
#include "cli/entry_text_forms.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quintaro::cli {
namespace {

using Half = std::optional<Meridiem>;
constexpr Half kNoHalf = std::nullopt;

TEST(ClockTime, AcceptedForms) {
    struct Case {
        const char* text;
        Half option;
        int hour24, minute;
    } cases[] = {
        {"22:30", kNoHalf, 22, 30},      {"0:00", kNoHalf, 0, 0},
        {"00:05", kNoHalf, 0, 5},        {"7:05", kNoHalf, 7, 5},
        {"12:00", kNoHalf, 12, 0},       {"23:59", kNoHalf, 23, 59},
        {" 22:30 ", kNoHalf, 22, 30},    {"10:30pm", kNoHalf, 22, 30},
        {"10:30 PM", kNoHalf, 22, 30},   {"10:30 p.m.", kNoHalf, 22, 30},
        {"10:30P.M.", kNoHalf, 22, 30},  {"10:30am", kNoHalf, 10, 30},
        {"12:15am", kNoHalf, 0, 15},     {"12:15pm", kNoHalf, 12, 15},
        {"12am", kNoHalf, 0, 0},         {"12pm", kNoHalf, 12, 0},
        {"10pm", kNoHalf, 22, 0},        {"10 P.M.", kNoHalf, 22, 0},
        {"10.30pm", kNoHalf, 22, 30},    {"10.30 A.M.", kNoHalf, 10, 30},
        {"10.30", Meridiem::PM, 22, 30}, {"10.30", Meridiem::AM, 10, 30},
        {"12.15", Meridiem::AM, 0, 15},  {"12.15", Meridiem::PM, 12, 15},
        {"22.30", kNoHalf, 22, 30},      {"0.05", kNoHalf, 0, 5},
        {"10:30", Meridiem::PM, 22, 30}, {"10:30pm", Meridiem::PM, 22, 30},
        {"1:05 a.m.", kNoHalf, 1, 5},
    };
    for (const Case& c : cases) {
        std::string error;
        auto time = ParseClockTime(c.text, c.option, error);
        ASSERT_TRUE(time) << c.text << ": " << error;
        EXPECT_EQ(time->hour24, c.hour24) << c.text;
        EXPECT_EQ(time->minute, c.minute) << c.text;
    }
}

TEST(ClockTime, RefusedFormsSayWhyAndShowTheAcceptedOnes) {
    struct Case {
        const char* text;
        Half option;
        const char* reason;
    } cases[] = {
        {"25:00", kNoHalf, "the hours go from 0 to 23"},
        {"24:00", kNoHalf, "the hours go from 0 to 23"},
        {"10:60", kNoHalf, "the minutes go from 00 to 59"},
        {"10.3", Meridiem::AM, "two digits (10.03 or 10.30)"},
        {"10:3", kNoHalf, "two digits (10:03 or 10:30)"},
        {"10.30", kNoHalf, "needs am or pm (10.30pm)"},
        {"12.00", kNoHalf, "needs am or pm"},
        {"13:00pm", kNoHalf, "the hours go from 1 to 12"},
        {"0:30am", kNoHalf, "the hours go from 1 to 12"},
        {"22:30", Meridiem::AM, "the hours go from 1 to 12"},
        {"10pm", Meridiem::AM, "disagree"},
        {"22", kNoHalf, "an hour alone needs am or pm"},
        {"10:30:15", kNoHalf, "not recognised"},
        {"noon", kNoHalf, "not recognised"},
        {"1030", kNoHalf, "not recognised"},
        {"10h30", kNoHalf, "not recognised"},
        {"-1:00", kNoHalf, "not recognised"},
        {"", kNoHalf, "not recognised"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ParseClockTime(c.text, c.option, error)) << c.text;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.text << ": " << error;
        EXPECT_NE(error.find(std::string("Accepted forms: ") + std::string(kTimeForms)),
                  std::string::npos)
            << error;
    }
}

TEST(ClockTime, TwelveHourFormOfTheEntryFields) {
    struct Case {
        int hour24;
        double hour12;
        Meridiem half;
    } cases[] = {{0, 12, Meridiem::AM},  {1, 1, Meridiem::AM},  {11, 11, Meridiem::AM},
                 {12, 12, Meridiem::PM}, {13, 1, Meridiem::PM}, {23, 11, Meridiem::PM}};
    for (const Case& c : cases) {
        ClockTime time = ClockReading{c.hour24, 7}.clockTime();
        EXPECT_EQ(time.clock.units, c.hour12) << c.hour24;
        EXPECT_EQ(time.clock.minutes, 7);
        EXPECT_EQ(time.meridiem, c.half) << c.hour24;
    }
}

struct AngleCase {
    const char* text;
    double degrees, minutes;
    bool negativeSide;  // East or South
};

// Degrees and minutes as read, to 1e-6 minute.
void ExpectAngle(const UnitsAndMinutes& angle, bool negativeSide, const AngleCase& c) {
    EXPECT_EQ(angle.units, c.degrees) << c.text;
    EXPECT_NEAR(angle.minutes, c.minutes, 1e-6) << c.text;
    EXPECT_EQ(negativeSide, c.negativeSide) << c.text;
}

TEST(Longitude, AcceptedForms) {
    const AngleCase cases[] = {
        {"73w59", 73, 59, false},
        {"73W59", 73, 59, false},
        {"0e07", 0, 7, true},
        {"73w", 73, 0, false},
        {"180w00", 180, 0, false},
        {"73w59.5", 73, 59.5, false},
        {"73°59'W", 73, 59, false},
        {"73°59′ W", 73, 59, false},
        {"73° 59' W", 73, 59, false},
        {"73°59W", 73, 59, false},
        {"73°59'30\"W", 73, 59.5, false},
        {"73°59′30″ W", 73, 59.5, false},
        {"2°21'E", 2, 21, true},
        {"73.9833°W", 73, 58.998, false},
        {"73.59", 73, 59, false},
        {"0.07", 0, 7, false},
        {"-73.9833", 73, 58.998, false},
        {"+2.3522", 2, 21.132, true},
        {"-0.1278", 0, 7.668, false},
        {"+151.2", 151, 12, true},
        {"-73", 73, 0, false},
        {"0", 0, 0, false},
        {"\u221273.9833", 73, 58.998, false},
    };
    for (const AngleCase& c : cases) {
        std::string error;
        auto longitude = ParseLongitude(c.text, error);
        ASSERT_TRUE(longitude) << c.text << ": " << error;
        ExpectAngle(longitude->angle, longitude->side == EastWest::East, c);
    }
}

TEST(Longitude, RefusedForms) {
    struct Case {
        const char* text;
        const char* reason;
    } cases[] = {
        {"73w61", "the minutes go from 0 to 59"},
        {"73.60", "the minutes go from 0 to 59"},
        {"181w00", "beyond 180"},
        {"180w01", "beyond 180"},
        {"73°59'61\"W", "the seconds go from 0 to 59"},
        {"-73.59", "could be degrees.minutes (negative East) or decimal degrees (negative West)"},
        {"+2.21", "write 2w21 or give three decimals"},
        {"73.9833", "need a sign (+ East, - West) or a letter"},
        {"73.5", "need a sign"},
        {"73", "need a sign"},
        {"40n46", "a longitude takes E or W"},
        {"73.5°59'W", "decimal degrees take no minutes"},
        {"73x59", "not recognised"},
        {"73w59w", "not recognised"},
        {"w73", "not recognised"},
        {"73.9833°", "not recognised"},
        {"", "not recognised"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ParseLongitude(c.text, error)) << c.text;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.text << ": " << error;
        EXPECT_NE(error.find(kLongitudeForms), std::string::npos) << error;
    }
}

TEST(Latitude, AcceptedForms) {
    const AngleCase cases[] = {
        {"40n46", 40, 46, false},
        {"33s52", 33, 52, true},
        {"40°46'N", 40, 46, false},
        {"33°52′ S", 33, 52, true},
        {"40.7667°N", 40, 46.002, false},
        {"40.46", 40, 46, false},
        {"-33.52", 33, 52, true},
        {"40.7667", 40, 46.002, false},
        {"-33.8688", 33, 52.128, true},
        {"51.5", 51, 30, false},
        {"40", 40, 0, false},
        {"90n00", 90, 0, false},
        {"0", 0, 0, false},
    };
    for (const AngleCase& c : cases) {
        std::string error;
        auto latitude = ParseLatitude(c.text, error);
        ASSERT_TRUE(latitude) << c.text << ": " << error;
        ExpectAngle(latitude->angle, latitude->side == NorthSouth::South, c);
    }
}

TEST(Latitude, RefusedForms) {
    struct Case {
        const char* text;
        const char* reason;
    } cases[] = {
        {"40n46s", "not recognised"},
        {"90n01", "beyond 90"},
        {"91", "beyond 90"},
        {"40e46", "a latitude takes N or S"},
        {"40.60", "the minutes go from 0 to 59"},
        {"-33.87", "the minutes go from 0 to 59"},
        {"40n61", "the minutes go from 0 to 59"},
        {"forty", "not recognised"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ParseLatitude(c.text, error)) << c.text;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.text << ": " << error;
        EXPECT_NE(error.find(kLatitudeForms), std::string::npos) << error;
    }
}

// The echo of a coordinate is itself an accepted form that reads back as the same place.
TEST(Coordinates, EchoesReadBackAsTheSameValue) {
    for (const char* text : {"73w59", "-73.9833", "+2.3522", "73°59'30\"W", "0e07", "180w00"}) {
        std::string error;
        auto first = ParseLongitude(text, error);
        ASSERT_TRUE(first) << error;
        auto again = ParseLongitude(LongitudeEcho(*first), error);
        ASSERT_TRUE(again) << LongitudeEcho(*first) << ": " << error;
        EXPECT_NEAR(again->westDegrees(), first->westDegrees(), 0.5 / 3600) << text;
    }
    for (const char* text : {"40n46", "-33.8688", "40.7667°N", "90n00"}) {
        std::string error;
        auto first = ParseLatitude(text, error);
        ASSERT_TRUE(first) << error;
        auto again = ParseLatitude(LatitudeEcho(*first), error);
        ASSERT_TRUE(again) << LatitudeEcho(*first) << ": " << error;
        EXPECT_NEAR(again->northDegrees(), first->northDegrees(), 0.5 / 3600) << text;
    }
}

TEST(Coordinates, Echoes) {
    std::string error;
    EXPECT_EQ(LongitudeEcho(*ParseLongitude("73w59", error)), "73°59′ W");
    EXPECT_EQ(LongitudeEcho(*ParseLongitude("73.59", error)), "73°59′ W");
    EXPECT_EQ(LongitudeEcho(*ParseLongitude("+2.3522", error)), "2°21′08″ E");
    EXPECT_EQ(LongitudeEcho(*ParseLongitude("0", error)), "0°00′ W");
    EXPECT_EQ(LatitudeEcho(*ParseLatitude("40n46", error)), "40°46′ N");
    EXPECT_EQ(LatitudeEcho(*ParseLatitude("-33.8688", error)), "33°52′08″ S");
}

TEST(Zone, AcceptedForms) {
    struct Case {
        const char* text;
        double zone;  // hours west of Greenwich
    } cases[] = {
        {"5", 5},           {"-1", -1},        {"+3", 3},           {"0", 0},
        {"5.5", 5.5},       {"-5.75", -5.75},  {"5.25", 5.25},      {"5.50", 5.5},
        {"4.9333", 4.9333}, {"5:30", 5.5},     {"-5:30", -5.5},     {"UTC-5", 5},
        {"utc+5:30", -5.5}, {"GMT+1", -1},     {"UTC", 0},          {"UT", 0},
        {"UTC+0530", -5.5}, {"UTC\u22125", 5}, {"UTC+5.75", -5.75}, {"utc-12", 12},
    };
    for (const Case& c : cases) {
        std::string error;
        auto zone = ParseZone(c.text, error);
        ASSERT_TRUE(zone) << c.text << ": " << error;
        EXPECT_NEAR(*zone, c.zone, 1e-12) << c.text;
    }
}

TEST(Zone, RefusedForms) {
    struct Case {
        const char* text;
        const char* reason;
    } cases[] = {
        {"5.30", "write 5:30"},
        {"5.45", "could be meant as 5h45"},
        {"16", "within 15 hours"},
        {"UTC+16", "within 15 hours"},
        {"5:60", "the minutes go from 00 to 59"},
        {"EST", "not recognised"},
        {"", "not recognised"},
        {"5h", "not recognised"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ParseZone(c.text, error)) << c.text;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.text << ": " << error;
        EXPECT_NE(error.find(kZoneForms), std::string::npos) << error;
    }
}

TEST(Echoes, ClockZoneAndDate) {
    EXPECT_EQ(ClockEcho({{10, 30}, Meridiem::PM}), "10:30 P.M. (22:30)");
    EXPECT_EQ(ClockEcho({{12, 5}, Meridiem::AM}), "12:05 A.M. (00:05)");
    EXPECT_EQ(ClockEcho({{12, 0}, Meridiem::PM}), "12:00 P.M. (12:00)");
    EXPECT_EQ(ZoneEcho(5), "5 (UTC-5:00)");
    EXPECT_EQ(ZoneEcho(-5.5), "-5.5 (UTC+5:30)");
    EXPECT_EQ(ZoneEcho(4.9333), "4.9333 (UTC-4:56)");
    EXPECT_EQ(ZoneEcho(0), "0 (UTC)");
    EXPECT_EQ(DateEcho(1990, 12, 25), "1990-12-25");
    EXPECT_EQ(DateEcho(800, 1, 2), "0800-01-02");
}

}  // namespace
}  // namespace quintaro::cli
