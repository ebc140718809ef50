// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/formatting.h"

#include <gtest/gtest.h>

namespace quintaro {
namespace {

TEST(FormatNumber, Pictures) {
    struct Case {
        double value;
        const char* picture;
        const char* text;
    } cases[] = {
        {3, "00", "03"},           {45, "00", "45"},             {123, "00", "123"},
        {30, "000", "030"},        {0, "000", "000"},            {7.3, "#0.00", "7.30"},
        {12.3456, "0.0000", "12.3456"}, {12.34564, "0.0000", "12.3456"},
        {0.5, "##0.00", "0.50"},   {87.38, "##0.00", "87.38"},   {29.8, "#0.0", "29.8"},
        {5.04, "#0.0", "5.0"},     {5.96, "#0.0", "6.0"},        {9.96, "#0.0", "10.0"},
        {3.14159, "00.0000", "03.1416"}, {12.5, "000.000", "012.500"},
        {38, "#0", "38"},          {0, "#0", "0"},               {37.6, "#0", "38"},
        {40.0, ".0####", "40.0"},  {0.25, ".0####", ".25"},      {1.234567, ".0####", "1.23457"},
        {87.633338928, ".0####", "87.63334"},
        {-87.63334, ".0####", "-87.63334"}, {-2.5, "0.00", "-2.50"},
        {0.005, "0.00", "0.01"},   {1.005, "0.00", "1.01"},      {2.675, "0.00", "2.68"},
        {-0.004, "0.00", "0.00"},  {0.125, "0.00", "0.13"},      {99.995, "0.00", "100.00"},
        {2451545.0208333, "0.00", "2451545.02"}, {1e-7, "0.0000", "0.0000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatNumber(c.value, c.picture), c.text) << c.value << " " << c.picture;
}

TEST(FormatDate, Pictures) {
    DateTimeParts t{2026, 3, 7, 9, 5, 0};
    struct Case {
        const char* picture;
        const char* text;
    } cases[] = {{"dd mmm yyyy", "07 Mar 2026"}, {"mm/dd/yyyy", "03/07/2026"},
                 {"dd/mm/yyyy", "07/03/2026"},   {"m", "3"},
                 {"d", "7"},                     {"yyyy", "2026"},
                 {"h", "9"},                     {"n", "5"},
                 {"hh:nn", "09:05"},             {"yyyymmdd", "20260307"}};
    for (const auto& c : cases) EXPECT_EQ(FormatDate(t, c.picture), c.text) << c.picture;
    EXPECT_EQ(FormatDate({1999, 12, 31}, "dd mmm yyyy"), "31 Dec 1999");
}

TEST(LeadingNumber, ReadsUpToTheFirstCharacterThatCannotContinue) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {{"12", 12},       {"  7.5x", 7.5},  {"abc", 0},     {"", 0},
                 {"-3.25", -3.25}, {"+4", 4},        {"1.2.3", 1.2}, {".", 0},
                 {".5", 0.5},      {"-", 0},         {"40 N", 40},   {"12,5", 12},
                 {"1e3", 1000},    {"2e", 2},        {"2E-1x", 0.2}, {"\t9", 9},
                 {"1e999", 0}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace quintaro
