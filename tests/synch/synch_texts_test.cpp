// SPDX-License-Identifier: AGPL-3.0-or-later
// The texts of a one-day search and of a day-by-day run, byte for byte.
#include <gtest/gtest.h>

#include "setup/planet_groups.h"
#include "setup/priority_file.h"
#include "synch/synch_day.h"
#include "synch/synch_month.h"
#include "synch_test_chart.h"

namespace quintaro {
namespace {

using test::HandChart;
using test::Natal;
using test::Transit;

const std::string kSeparator = std::string(69, '-') + "\n";

// Two sources: a file with natal Sun and Venus and transit Mars, then the selection window with
// natal Sun and transit Mars and Sun. Geo longitudes: natal Sun 12.3 Aries, transit Mars 12.9
// Leo, natal Venus 12.5 Capricorn, transit Sun 13.0 Taurus; every other value 0.
class TwoSources : public ::testing::Test {
  protected:
    void SetUp() override {
        chart.set(ChartSide::Natal, SlotSun, 0, 12.3);
        chart.set(ChartSide::Transit, SlotMars, 0, 132.9);
        chart.set(ChartSide::Natal, SlotVenus, 0, 282.5);
        chart.set(ChartSide::Transit, SlotSun, 0, 43.0);
        SynchSource file{"a.syn", "sun-n\nvenus-n\nmars-t\n", {}};
        file.members.members = {Natal(1), Natal(3), Transit(5)};
        SynchSource window{"", "sun-n\nmars-t\nsun-t\n", {}};
        window.members.members = {Natal(1), Transit(5), Transit(1)};
        sources = {file, window};
        // Priorities of "GeneralUse.ord": natal Sun 70, Venus 85; transit Mars 35, Sun 80.
        day = RunSynchDay({chart.record, chart.selection, chart.catalogue}, sources,
                          {1.0, 1.0, 1.0, 1.0}, DefaultPriorities());
    }
    HandChart chart;
    std::vector<SynchSource> sources;
    SynchDayResult day;
};

TEST_F(TwoSources, PaneOneAsFoundKeepsTheSourcesApart) {
    const std::string a =
        "Geo longitude synchronization\n(mars ) - <sun   venus>\n\n"
        "Geo declination synchronization\n(mars ) - <sun   venus>\n\n"
        "Helio longitude synchronization\n    none found\n\n"
        "Helio latitude synchronization\n    none found\n";
    const std::string b =
        "Geo longitude synchronization\n(mars  sun  ) - <sun  >\n\n"
        "Geo declination synchronization\n(mars  sun  ) - <sun  >\n\n"
        "Helio longitude synchronization\n    none found\n\n"
        "Helio latitude synchronization\n    none found\n";
    EXPECT_EQ(day.foundPane, a + kSeparator + "end of synch file used - a.syn\n" + b + kSeparator +
                                 "end of synch file used from Select Synch Planets form\n");
}

TEST_F(TwoSources, PaneOneArrangedByPriority) {
    EXPECT_EQ(day.synchPane,
              "Geo longitude synchronization\n"
              "   190  (mars ) - <sun   venus>\n"
              "   185  (mars  sun  ) - <sun  >\n\n"
              "Geo declination synchronization\n"
              "   190  (mars ) - <sun   venus>\n"
              "   185  (mars  sun  ) - <sun  >\n\n"
              "Helio longitude synchronization\n    none found\n\n"
              "Helio latitude synchronization\n    none found\n");
    const auto& gl = day.of(SynchKind::GeoLongitude).records;
    ASSERT_EQ(gl.size(), 2u);
    EXPECT_EQ(gl[0].found, 1);
    EXPECT_EQ(gl[1].found, 2);
    EXPECT_EQ(gl[1].members, (std::vector<SynchMember>{Natal(1), Transit(5), Transit(1)}));
}

TEST_F(TwoSources, NatalAndTransitPanes) {
    EXPECT_EQ(day.natalPane,
              "Geo longitude synchronization (natal)\nsun   012.300\nvenus 012.500\n\n"
              "Geo declination synchronization (natal)\nsun   000.000\nvenus 000.000\n\n"
              "Helio longitude synchronization (natal)\nvenus 000.000\n\n"
              "Helio latitude synchronization (natal)\nvenus 000.000\n" +
                  kSeparator + "end of synch file used - a.syn\n" +
                  "Geo longitude synchronization (natal)\nsun   012.300\n\n"
                  "Geo declination synchronization (natal)\nsun   000.000\n\n"
                  "Helio longitude synchronization (natal)\n\n"
                  "Helio latitude synchronization (natal)\n" +
                  kSeparator + "end of synch file used from Select Synch Planets form\n");
    EXPECT_EQ(day.transitPane,
              "Geo longitude synchronization (transits)\nmars  012.900\n\n"
              "Geo declination synchronization (transits)\nmars  000.000\n\n"
              "Helio longitude synchronization (transits)\nmars  000.000\n\n"
              "Helio latitude synchronization (transits)\nmars  000.000\n" +
                  kSeparator + "end of synch file used - a.syn\n" +
                  "Geo longitude synchronization (transits)\nmars  012.900\nsun   013.000\n\n"
                  "Geo declination synchronization (transits)\nmars  000.000\nsun   000.000\n\n"
                  "Helio longitude synchronization (transits)\nmars  000.000\n\n"
                  "Helio latitude synchronization (transits)\nmars  000.000\n" +
                  kSeparator + "end of synch file used from Select Synch Planets form\n");
}

TEST_F(TwoSources, TheListingIsTheLastSourcesCandidatesByMagnitude) {
    EXPECT_EQ(SynchListingText(day.of(SynchKind::GeoLongitude).listing, chart.catalogue),
              "n. sun   012.300\nt. mars  012.900\nt. sun   013.000\n");
    // Declinations are listed by their size.
    std::vector<SynchCandidate> decl = {{-0.5, Natal(2)}, {23.44, Transit(12)}};
    EXPECT_EQ(SynchListingText(decl, chart.catalogue), "n. mercu 000.500\nt. chiro 023.440\n");
}

TEST(SynchMonth, TheDaysRunToTheFirstOfTheNextMonth) {
    EXPECT_EQ(DaysOfMonth(2024, 2).size(), 29u);
    EXPECT_EQ(DaysOfMonth(2023, 2).size(), 28u);
    const auto december = DaysOfMonth(1999, 12);
    ASSERT_EQ(december.size(), 31u);
    EXPECT_EQ(december.back().day, 31);
    EXPECT_TRUE(DaysOfMonth(2000, 13).empty());
}

TEST(SynchMonth, TheMonthSpinnerWraps) {
    const std::pair<int, int> cases[] = {{13, 1}, {0, 12}, {1, 1}, {12, 12}, {-1, 11}, {25, 1}};
    for (const auto& [typed, shown] : cases) EXPECT_EQ(WrapMonth(typed), shown) << typed;
}

TEST(SynchMonth, DayAndFileTexts) {
    EXPECT_EQ(SynchDayText({2024, 3, 5}, "Geo longitude synchronization\n    none found\n"),
              "START OF NEW DAY\n-----\n05 Mar 2024\nGeo longitude synchronization\n"
              "    none found\n");
    SynchSource file{"/home/u/a.syn", "sun-n\r\nmars-t", {}};
    SynchSource window{"", "venus-n\n", {}};
    EXPECT_EQ(SynchMonthText({file, window}, {"day one\n", "", "day three\n"}),
              "Synchronization Files Used\n{/home/u/a.syn}\nsun-n\nmars-t\n"
              "{Select Synch Planets form}\nvenus-n\n\n\nday one\n\n\nday three\n");
}

TEST(SynchMonth, EachDayGetsItsOwnChartAndTheRunStopsWhenAsked) {
    HandChart chart;
    SynchSource source{"m.syn", "", {}};
    source.members.members = {Natal(2), Natal(3), Transit(5)};
    chart.set(ChartSide::Natal, 2, 0, 10.0);
    chart.set(ChartSide::Natal, 3, 0, 10.5);
    std::vector<int> asked;
    // Transit Mars at 10.2 on even days only: a synchronization on those days.
    const ChartOfDay chartOfDay = [&](const CivilDate& day) -> const ChartPositions* {
        asked.push_back(day.day);
        chart.set(ChartSide::Transit, 5, 0, day.day % 2 == 0 ? 10.2 : 20.0);
        return &chart.record;
    };
    const SynchOrbs orbs{1, 1, 1, 1};
    SynchMonthResult run = RunSynchMonth(2023, 4, chartOfDay, chart.selection, chart.catalogue,
                                         {source}, orbs, Priorities{}, {});
    ASSERT_EQ(run.dayTexts.size(), 30u);
    EXPECT_EQ(asked.size(), 30u);
    EXPECT_NE(run.dayTexts[1].find("02 Apr 2023\nGeo longitude synchronization\n"
                                   "     0  (mars ) - <mercu venus>\n"),
              std::string::npos)
        << run.dayTexts[1];
    EXPECT_NE(run.dayTexts[2].find("03 Apr 2023\nGeo longitude synchronization\n"
                                   "    none found\n"),
              std::string::npos)
        << run.dayTexts[2];
    EXPECT_FALSE(run.cancelled);

    asked.clear();
    const Progress stopAfterThree = [](std::string_view, long done, long) { return done < 3; };
    run = RunSynchMonth(2023, 4, chartOfDay, chart.selection, chart.catalogue, {source}, orbs,
                        Priorities{}, stopAfterThree);
    EXPECT_TRUE(run.cancelled);
    EXPECT_EQ(asked, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(run.dayTexts.size(), 3u);

    const ChartOfDay failing = [](const CivilDate&) -> const ChartPositions* { return nullptr; };
    run = RunSynchMonth(2023, 4, failing, chart.selection, chart.catalogue, {source}, orbs,
                        Priorities{}, {});
    EXPECT_EQ(run.error, "The charts of 01 Apr 2023 could not be computed.");
    EXPECT_TRUE(run.dayTexts.empty());
}

}  // namespace
}  // namespace quintaro
