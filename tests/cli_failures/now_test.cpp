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
    // POSIX zone texts, so that no zone database is needed: UTC, Tokyo, US Pacific, New Zealand.
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

}  // namespace
}  // namespace quintaro::test
