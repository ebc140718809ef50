// SPDX-License-Identifier: AGPL-3.0-or-later
#include "trading/pivots.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "temp_folder.h"

namespace quintaro {
namespace {

// Levels worked out by hand: H 110, L 100, C 105 give P 105 and a range of 10;
// H = L = 50 with C 47 gives P 49 and no range.
TEST(Pivots, HandComputedDays) {
    struct Case {
        double high, low, close;
        std::array<double, 7> levels;  // P, R1, R2, S1, S2, breakout, breakdown
    };
    const Case cases[] = {
        {110, 100, 105, {105, 110, 115, 100, 95, 130, 80}},
        {50, 50, 47, {49, 48, 49, 48, 49, 48, 48}},
        {12.5, 11, 11.3, {11.6, 12.2, 13.1, 10.7, 10.1, 15.2, 7.7}},
    };
    for (const Case& c : cases) {
        auto values = LevelValues(CalcPivot(c.high, c.low, c.close));
        for (size_t i = 0; i < 7; ++i)
            EXPECT_NEAR(values[i], c.levels[i], 1e-9) << kPivotLevelNames[i] << " of " << c.high;
    }
}

TEST(Pivots, HighEqualToLowPutsR2AndS2OnThePivot) {
    PivotLevels l = CalcPivot(20.25, 20.25, 20.25);
    EXPECT_EQ(l.r2, l.pivot);
    EXPECT_EQ(l.s2, l.pivot);
    EXPECT_EQ(l.pivot, 20.25);
}

TEST(Pivots, LevelsShowTwoDecimals) {
    auto texts = FormatLevels(CalcPivot(10.01, 10, 10));  // P = 10.00333..., range 0.01
    EXPECT_EQ(texts, (std::array<std::string, 7>{"10.00", "10.01", "10.01", "10.00", "9.99",
                                                 "10.03", "9.98"}));
    EXPECT_EQ(FormatLevels(CalcPivot(1, 0, 0))[6], "-2.33");  // 2(1/3 - 1) - 1 = -7/3
}

PriceTable Table() {
    std::string error;
    auto table = ParsePriceFile(
        "20240305,110,100,105,101,5000,120\n"
        "20240306,12.5,11,11.3,12,6000,\n"
        "20240307,50,50,47,50,100,7\n",
        PriceFileKind::Futures, "es.prn", error);
    EXPECT_TRUE(table) << error;
    return *table;
}

TEST(PivotView, StartsAtTheLastDayAndStopsAtEitherEnd) {
    PivotView view = OpenPivotView(Table());
    EXPECT_EQ(view.dataPoint, 2);
    EXPECT_EQ(CurrentLevels(view)->pivot, 49);
    EXPECT_FALSE(StepDataPoint(view, +1));
    EXPECT_TRUE(StepDataPoint(view, -1));
    EXPECT_TRUE(StepDataPoint(view, -1));
    EXPECT_FALSE(StepDataPoint(view, -1));
    EXPECT_EQ(view.dataPoint, 0);
    EXPECT_EQ(CurrentLevels(view)->pivot, 105);
    EXPECT_FALSE(SetDataPoint(view, 3));
    EXPECT_FALSE(SetDataPoint(view, -1));
    EXPECT_TRUE(SetDataPoint(view, 1));
    EXPECT_NEAR(CurrentLevels(view)->r2, 13.1, 1e-9);
}

TEST(PivotView, Captions) {
    PriceTable table = Table();
    EXPECT_EQ(LastDateLabel(table), "Last date in es.prn = 07 Mar 2024");
    EXPECT_EQ(PivotWindowCaption(table), "Current file = es.prn");
    EXPECT_EQ(AppendButtonCaption(table), "Append to es.prn");
    EXPECT_EQ(LastDateLabel(PriceTable{}), "");
    EXPECT_FALSE(CurrentLevels(OpenPivotView(PriceTable{})));
}

TEST(PivotCsv, ExportReadsBackAsTheLevels) {
    test::TempFolder folder;
    auto file = folder.path() / "levels.csv";
    std::vector<DatedPivot> days = {{{2024, 3, 5}, CalcPivot(110, 100, 105)},
                                    {{2024, 3, 7}, CalcPivot(50, 50, 47)}};
    ASSERT_EQ(SavePivotCsv(file, days), "");
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "Date,Pivot,R1,R2,S1,S2,Breakout,Breakdown");
    std::vector<std::vector<std::string>> rows;
    while (std::getline(in, line)) {
        std::stringstream cells(line);
        std::vector<std::string> row;
        for (std::string cell; std::getline(cells, cell, ',');) row.push_back(cell);
        rows.push_back(row);
    }
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"03/05/2024", "105.00", "110.00", "115.00",
                                                 "100.00", "95.00", "130.00", "80.00"}));
    EXPECT_EQ(rows[1][0], "03/07/2024");
    EXPECT_EQ(rows[1][3], rows[1][1]);  // R2 = P when high = low
}

}  // namespace
}  // namespace quintaro
