// SPDX-License-Identifier: AGPL-3.0-or-later
#include "places/posix_zone_rule.h"

#include <gtest/gtest.h>

namespace quintaro {
namespace {

TEST(PosixZoneRule, ReadsEveryFormTheZoneFilesUse) {
    struct Case {
        const char* text;
        int standard, daylight;  // offsets east, seconds; daylight 0: none
        const char *standardName, *daylightName;
    };
    const Case cases[] = {
        {"EST5EDT,M3.2.0,M11.1.0", -18000, -14400, "EST", "EDT"},
        {"<+0330>-3:30", 12600, 0, "+0330", ""},
        {"<+1030>-10:30<+11>-11,M10.1.0,M4.1.0", 37800, 39600, "+1030", "+11"},
        {"IST-1GMT0,M10.5.0,M3.5.0/1", 3600, 0, "IST", "GMT"},
        {"<-02>2<-01>,M3.5.0/-1,M10.5.0/0", -7200, -3600, "-02", "-01"},
        {"<+1245>-12:45<+1345>,M9.5.0/2:45,M4.1.0/3:45", 45900, 49500, "+1245", "+1345"},
        {"NST3:30NDT,M3.2.0,M11.1.0", -12600, -9000, "NST", "NDT"},
        {"UTC0", 0, 0, "UTC", ""},
    };
    for (const Case& c : cases) {
        auto rule = ParsePosixZoneRule(c.text);
        ASSERT_TRUE(rule) << c.text;
        EXPECT_EQ(rule->standard.utcOffsetSeconds, c.standard) << c.text;
        EXPECT_EQ(rule->standard.abbreviation, c.standardName) << c.text;
        EXPECT_EQ(rule->daylight.has_value(), std::string(c.daylightName) != "") << c.text;
        if (rule->daylight) {
            EXPECT_EQ(rule->daylight->abbreviation, c.daylightName) << c.text;
            if (c.daylight != 0) {
                EXPECT_EQ(rule->daylight->utcOffsetSeconds, c.daylight);
            }
        }
    }
}

TEST(PosixZoneRule, RefusesWhatIsNotARule) {
    for (const char* text :
         {"", "E5", "EST", "EST5EDT", "EST5EDT,M3.2.0", "EST5EDT,M13.2.0,M11.1.0",
          "EST5EDT,M3.6.0,M11.1.0", "EST5EDT,M3.2.7,M11.1.0", "<+03", "<>3", "EST5EDT,J0,J365",
          "EST5EDT,M3.2.0/200,M11.1.0", "EST99", "EST5EDT,M3.2.0,M11.1.0x"})
        EXPECT_FALSE(ParsePosixZoneRule(text)) << text;
}

TEST(PosixZoneRule, ChangesOfAYearFallOnTheRightSeconds) {
    // New York in 2045 (checked with Python's zoneinfo): EDT from 12 March 07:00 UT, EST from
    // 5 November 06:00 UT.
    auto newYork = ParsePosixZoneRule("EST5EDT,M3.2.0,M11.1.0");
    auto changes = RuleChangesInYear(*newYork, 2045);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].utSeconds, 2372914800);
    EXPECT_EQ(changes[0].after.abbreviation, "EDT");
    EXPECT_EQ(changes[1].utSeconds, 2393474400);
    EXPECT_EQ(changes[1].after.abbreviation, "EST");
    // Sydney: the year starts in daylight time, so the end comes first (2 April 2045, 16:00 UT
    // the day before), the start in October (1 October 2045, 16:00 UT the day before).
    auto sydney = ParsePosixZoneRule("AEST-10AEDT,M10.1.0,M4.1.0/3");
    changes = RuleChangesInYear(*sydney, 2045);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].after.abbreviation, "AEST");
    EXPECT_EQ(changes[0].utSeconds, 2374675200);
    EXPECT_EQ(changes[1].after.abbreviation, "AEDT");
    EXPECT_EQ(changes[1].utSeconds, 2390400000);
    // Day numbers: J60 is always 1 March, 59 is 1 March only in a leap year.
    auto julian = ParsePosixZoneRule("AAA0BBB,J60/0,J300/0");
    EXPECT_EQ(RuleChangesInYear(*julian, 2044)[0].utSeconds, 2340403200);  // 2044-03-01
    auto zeroBased = ParsePosixZoneRule("AAA0BBB,59/0,300/0");
    EXPECT_EQ(RuleChangesInYear(*zeroBased, 2044)[0].utSeconds, 2340316800);  // 2044-02-29
    EXPECT_TRUE(RuleChangesInYear(*ParsePosixZoneRule("UTC0"), 2045).empty());
}

}  // namespace
}  // namespace quintaro
