// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/entry_stepping.h"

#include <gtest/gtest.h>

namespace quintaro {
namespace {

TEST(ParseStep, UnitLettersInTheirOrder) {
    using Kind = StepAmount::Kind;
    struct Case {
        const char* text;
        Kind kind;
        double amount;
    } cases[] = {
        {"1.0 d", Kind::Days, 1.0},
        {"3", Kind::Days, 3.0},
        {"2 y", Kind::Years, 2.0},
        {"2 Y", Kind::Years, 2.0},
        {"1.5 y", Kind::Days, 547.5},
        {"3 m", Kind::Months, 3.0},
        {"1.5 m", Kind::Days, 45.0},
        {"6 h", Kind::Days, 0.25},
        {"30 n", Kind::Days, 30.0 / 1440.0},
        {"5 min", Kind::Months, 5.0},  // "m" is tested before "n" and 5 is whole
        {"0.5 min", Kind::Days, 0.5 * 30 / 1440},
        {"", Kind::Days, 0.0},
        {"2 D", Kind::Days, 2.0},
    };
    for (const auto& c : cases) {
        StepAmount step = ParseStep(c.text);
        EXPECT_EQ(step.kind, c.kind) << c.text;
        EXPECT_NEAR(step.amount, c.amount, 1e-12) << c.text;
    }
}

struct Moment {
    const char* year;
    const char* month;
    const char* day;
    const char* hour;
    const char* minute;
    bool pm;
};

EntrySection At(const Moment& m, const char* zone = "5") {
    EntrySection s;
    s.year = m.year;
    s.month = m.month;
    s.day = m.day;
    s.hour = m.hour;
    s.minute = m.minute;
    s.pm = m.pm;
    s.zone = zone;
    return s;
}

std::string Show(const EntrySection& s) {
    return s.year + "-" + s.month + "-" + s.day + " " + s.hour + ":" + s.minute +
           (s.pm ? " PM" : " AM");
}

TEST(StepChart, MovesTheNatalChartByTheDeltaText) {
    struct Case {
        Moment before;
        const char* delta;
        int direction;
        const char* after;
    } cases[] = {
        {{"1990", "6", "15", "9", "0", false}, "2 y", +1, "1992-6-15 9:0 AM"},
        {{"1990", "6", "15", "9", "0", false}, "2 y", -1, "1988-6-15 9:0 AM"},
        {{"2000", "2", "29", "9", "0", false}, "1 y", +1, "2001-2-28 9:0 AM"},
        {{"2000", "1", "31", "9", "0", false}, "1 m", +1, "2000-2-29 9:0 AM"},
        {{"2000", "11", "10", "9", "0", false}, "5 min", +1, "2001-4-10 9:0 AM"},
        {{"2000", "1", "10", "9", "0", false}, "1 m", -1, "1999-12-10 9:0 AM"},
        {{"2001", "2", "28", "11", "0", true}, "1.0 d", +1, "2001-3-1 11:0 PM"},
        {{"2000", "2", "28", "11", "0", true}, "1.0 d", +1, "2000-2-29 11:0 PM"},
        {{"2000", "3", "1", "8", "0", false}, "1 d", -1, "2000-2-29 8:0 AM"},
        {{"2000", "12", "31", "6", "0", true}, "6 h", +1, "2001-1-1 12:0 AM"},
        {{"2000", "5", "5", "11", "30", false}, "1 h", +1, "2000-5-5 12:30 PM"},
        {{"2000", "5", "5", "11", "30", true}, "1 h", +1, "2000-5-6 12:30 AM"},
        {{"2000", "5", "6", "12", "15", false}, "30 n", -1, "2000-5-5 11:45 PM"},
        {{"2000", "5", "5", "12", "0", true}, "30 n", +1, "2000-5-5 12:30 PM"},
        {{"2001", "1", "1", "12", "0", true}, "1.5 y", +1, "2002-7-3 12:0 AM"},
        {{"2001", "1", "1", "12", "0", true}, "1.5 m", +1, "2001-2-15 12:0 PM"},
    };
    for (const auto& c : cases) {
        EntryModel model;
        model.natal = At(c.before);
        model.options.delta = c.delta;
        EXPECT_EQ(StepChart(model, c.direction), Section::Natal);
        EXPECT_EQ(Show(model.natal), c.after) << c.delta << " from " << Show(At(c.before));
    }
}

TEST(StepChart, DayStepsKeepTheLocalClockWhateverTheZone) {
    for (const char* zone : {"-10", "0", "5", "5.5", "12"}) {
        EntryModel model;
        model.natal = At({"2024", "2", "28", "11", "45", true}, zone);
        model.options.delta = "2 d";
        StepChart(model, +1);
        EXPECT_EQ(Show(model.natal), "2024-3-1 11:45 PM") << zone;
    }
}

TEST(StepChart, TransitWhenTheToggleSaysT) {
    EntryModel model;
    model.natal = At({"1990", "6", "15", "9", "0", false});
    model.transit = At({"2020", "6", "15", "9", "0", false});
    model.options.natTran = "t";
    model.options.delta = "1 y";
    EXPECT_EQ(StepChart(model, +1), Section::Transit);
    EXPECT_EQ(model.transit.year, "2021");
    EXPECT_EQ(model.natal.year, "1990");
}

}  // namespace
}  // namespace quintaro
