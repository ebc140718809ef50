// SPDX-License-Identifier: AGPL-3.0-or-later
// The one-line chart entry: which options go together, and what they put into the entry fields.
#include "cli/chart_entry_options.h"

#include <gtest/gtest.h>

namespace quintaro::cli {
namespace {

SectionOptions Natal(std::string date, std::string time, std::string zone, std::string longitude,
                     std::string latitude) {
    SectionOptions o;
    CLI::App app;
    o.addTo(app, "natal", "natal");  // names the options --natal-...
    o.moment.date = std::move(date);
    o.moment.time = std::move(time);
    o.moment.zone = std::move(zone);
    o.longitude = std::move(longitude);
    o.latitude = std::move(latitude);
    return o;
}

TEST(ChartEntryOptions, OptionsThatGoTogether) {
    struct Case {
        SectionOptions options;
        bool placeRequired;
        const char* message;
    } cases[] = {
        {Natal("1990-12-25", "", "5", "73w59", "40n46"), false, "--natal-date needs --natal-time"},
        {Natal("", "22:30", "", "", ""), false, "--natal-time needs --natal-date"},
        {Natal("1990-12-25", "22:30", "", "73w59", "40n46"), true,
         "needs its place and zone: --natal-place, or --natal-zone (or --natal-tz), "
         "--natal-long and --natal-lat"},
        {Natal("1990-12-25", "22:30", "5", "", "40n46"), true, "--natal-long"},
        {Natal("1990-13-25", "22:30", "5", "73w59", "40n46"), true, "--natal-date: month 13"},
        {Natal("1990-12-25", "25:00", "5", "73w59", "40n46"), true, "--natal-time: '25:00'"},
        {Natal("1990-12-25", "22:30", "5.30", "73w59", "40n46"), true, "--natal-zone: '5.30'"},
        {Natal("1990-12-25", "22:30", "5", "73w61", "40n46"), true, "--natal-long: '73w61'"},
        {Natal("1990-12-25", "22:30", "5", "73w59", "40n46s"), true, "--natal-lat: '40n46s'"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(CheckSectionOptions(c.options, c.placeRequired, error)) << c.message;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
    SectionOptions amAlone = Natal("", "", "", "", "");
    amAlone.moment.am = true;
    std::string error;
    EXPECT_FALSE(CheckSectionOptions(amAlone, false, error));
    EXPECT_EQ(error, "--natal-am goes with --natal-time");
    // With a chart file to start from, the place may come from the file.
    EXPECT_TRUE(CheckSectionOptions(Natal("1990-12-25", "22:30", "", "", ""), false, error));
    EXPECT_TRUE(CheckSectionOptions(Natal("", "", "", "2e21", "48n52"), true, error)) << error;
}

TEST(ChartEntryOptions, APlaceOrZoneNameStandsForWhatItCanFill) {
    auto withNames = [](SectionOptions o, std::string place, std::string tz) {
        o.place = std::move(place);
        o.tz = std::move(tz);
        return o;
    };
    std::string error;
    // A place of the atlas gives the coordinates and the zone; a zone name only the zone.
    EXPECT_TRUE(CheckSectionOptions(
        withNames(Natal("1990-12-25", "22:30", "", "", ""), "New York", ""), true, error))
        << error;
    EXPECT_TRUE(CheckSectionOptions(
        withNames(Natal("1990-12-25", "22:30", "", "73w59", "40n46"), "", "America/New_York"), true,
        error))
        << error;
    EXPECT_FALSE(CheckSectionOptions(
        withNames(Natal("1990-12-25", "22:30", "", "", "40n46"), "", "America/New_York"), true,
        error));
    EXPECT_NE(error.find("--natal-long"), std::string::npos) << error;
    EXPECT_FALSE(CheckSectionOptions(
        withNames(Natal("1990-12-25", "22:30", "5", "73w59", "40n46"), "", "America/New_York"),
        false, error));
    EXPECT_EQ(error, "--natal-zone and --natal-tz both give the zone: leave out one");
    EXPECT_TRUE(withNames(Natal("", "", "", "", ""), "", "Europe/London").any());
}

TEST(ChartEntryOptions, DecimalCoordinatesKeepTheirSideAndFraction) {
    std::string error;
    auto edit = CheckSectionOptions(Natal("", "", "-1", "+2.3522", "-33.8688"), false, error);
    ASSERT_TRUE(edit) << error;
    EntrySection section;
    ApplySectionEdit(*edit, section);
    EXPECT_TRUE(section.east);
    EXPECT_TRUE(section.south);
    EXPECT_EQ(section.zone, "-1");
    const ChartData data = ReadSection(section, MonthDayYear);
    EXPECT_NEAR(data.longitude.westDegrees(), -2.3522, 1e-8);
    EXPECT_NEAR(data.latitude.northDegrees(), -33.8688, 1e-8);
}

}  // namespace
}  // namespace quintaro::cli
