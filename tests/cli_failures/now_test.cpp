// SPDX-License-Identifier: AGPL-3.0-or-later
// "Now" is the present instant from the system clock, shown in the home zone: the same Julian
// Day whatever zone the computer is set to.
#include <ctime>

#include "cli_home.h"

namespace quintaro::test {
namespace {

using nlohmann::json;

class Now : public CliHome {};

// Julian Day of the system clock's present instant.
double SystemJD() {
    return static_cast<double>(std::time(nullptr)) / 86400.0 + 2440587.5;
}

TEST_F(Now, TheSameInstantWhateverTheComputersZone) {
    prepare();
    // POSIX zone texts, so that no zone database is needed: UTC, Tokyo (9 hours east), US Pacific.
    std::vector<double> days;
    for (const char* zone : {"UTC0", "JST-9", "PST8PDT", "NZST-12NZDT"}) {
        const double before = SystemJD();
        CliResult r = run({"chart", "--json"}, std::string("env TZ=") + zone);
        const double after = SystemJD();
        ASSERT_EQ(r.status, 0) << zone << r.err;
        json parsed = Parse(r.out);
        ASSERT_FALSE(parsed.is_discarded()) << r.out;
        const double natal = parsed["natal"]["jd"];
        // The fields hold whole minutes: the moment is the present one, to the minute.
        EXPECT_GE(natal, before - 1.0 / 1440 - 1e-9) << zone;
        EXPECT_LE(natal, after + 1e-9) << zone;
        EXPECT_NEAR(parsed["transit"]["jd"].get<double>(), natal, 1.0 / 1440) << zone;
        days.push_back(natal);
    }
    for (double day : days) EXPECT_NEAR(day, days.front(), 2.0 / 1440);
}

// The present is shown on the clock of the home zone (5 hours west by default): the listed time
// with that zone gives back the present instant.
TEST_F(Now, TheListedClockIsTheHomeZones) {
    prepare();
    const std::time_t now = std::time(nullptr);
    CliResult r = run({"now"}, "env TZ=JST-9");
    ASSERT_EQ(r.status, 0) << r.err;
    // "Natal: Now  12/6/2026  5.12 A.M.  JD ..."
    const size_t at = r.out.find("Natal: Now  ");
    ASSERT_NE(at, std::string::npos) << r.out;
    int month = 0, day = 0, year = 0, minute = 0;
    double clock = 0;
    char meridiem = ' ';
    ASSERT_EQ(std::sscanf(r.out.c_str() + at, "Natal: Now  %d/%d/%d  %lf %c", &month, &day, &year,
                          &clock, &meridiem),
              5);
    int hour = static_cast<int>(clock);
    minute = static_cast<int>(std::lround((clock - hour) * 100));
    if (hour == 12) hour = 0;
    if (meridiem == 'P') hour += 12;
    std::tm home{};
    const std::time_t atHome = now - 5 * 3600;
    gmtime_r(&atHome, &home);
    EXPECT_EQ(year, home.tm_year + 1900);
    EXPECT_EQ(month, home.tm_mon + 1);
    EXPECT_EQ(day, home.tm_mday);
    // Within the minute the two readings of the clock may straddle.
    const int listed = hour * 60 + minute, expected = home.tm_hour * 60 + home.tm_min;
    EXPECT_TRUE(listed == expected || listed == (expected + 1) % 1440) << r.out;
}

}  // namespace
}  // namespace quintaro::test
