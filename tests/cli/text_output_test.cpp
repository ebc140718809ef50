// SPDX-License-Identifier: AGPL-3.0-or-later
#include "cli/text_output.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/aspect_rows.h"
#include "core/glyph_text.h"

namespace quintaro::cli {
namespace {

TEST(TextOutput, ZodiacPositionsRoundToTheMinuteAcrossSignBoundaries) {
    struct Case {
        double longitude;
        const char* text;
    } cases[] = {{0.0, "0°00′ ♈"},       {45.5, "15°30′ ♉"},  {359.999, "0°00′ ♈"},
                 {29.9999, "0°00′ ♉"},   {29.99, "29°59′ ♈"}, {-30.0, "0°00′ ♓"},
                 {254.2944, "14°18′ ♐"}, {720.5, "0°30′ ♈"}};
    for (const Case& c : cases) EXPECT_EQ(ZodiacText(c.longitude), c.text) << c.longitude;
    EXPECT_EQ(ZodiacText(132.56666), "12°34′ ♌");
    EXPECT_EQ(ZodiacText(132.56666, true), "132.5667");
}

TEST(TextOutput, SignedDegreesHaveNoNegativeZero) {
    EXPECT_EQ(SignedDegreesText(-23.3667), "-23°22′");
    EXPECT_EQ(SignedDegreesText(4.0833), "4°05′");
    EXPECT_EQ(SignedDegreesText(-0.004), "0°00′");
    EXPECT_EQ(SignedDegreesText(-23.3667, true), "-23.3667");
    EXPECT_EQ(SiderealClock(72.8911), "04:51:34");
    EXPECT_EQ(SiderealClock(359.9999), "00:00:00");
}

TEST(TextOutput, JsonNumbersCarryNoFloatNoise) {
    EXPECT_EQ(nlohmann::json(Rounded6(1.0163497924804688)).dump(), "1.01635");
    EXPECT_EQ(nlohmann::json(Rounded6(-0.0000001)).dump(), "0.0");
    EXPECT_EQ(nlohmann::json(Rounded6(280.36892700195312)).dump(), "280.368927");
}

TEST(TextOutput, CsvQuotesWhatNeedsIt) {
    EXPECT_EQ(CsvLine({"a", "b,c", "say \"hi\"", "", "two\nlines"}),
              "a,\"b,c\",\"say \"\"hi\"\"\",,\"two\nlines\"\r\n");
}

TEST(TextOutput, ColumnsAreAlignedByCharactersNotBytes) {
    EXPECT_EQ(AlignedColumns({{"Sun", "4°05′ ♑", "x"}, {"Mercury", "29°45′ ♐", ""}}, "lrl"),
              "Sun       4°05′ ♑  x\n"
              "Mercury  29°45′ ♐\n");
    EXPECT_EQ(DisplayWidth("4°05′ ♑"), 7u);
}

TEST(TextOutput, GlyphsOfTheGridsBecomeUnicodeSymbols) {
    EXPECT_EQ(GlyphsAsUnicode("10" + GlyphChar(129) + "22"), "10♈22");
    EXPECT_EQ(GlyphsAsUnicode(GlyphChar(140)), "♓");
    EXPECT_EQ(GlyphsAsUnicode(GlyphChar(166)), "∥");
    EXPECT_EQ(GlyphsAsUnicode(GlyphChar(177)), "⋕");
    EXPECT_EQ(GlyphsAsUnicode(GlyphChar(161)), "☌");
    EXPECT_EQ(GlyphsAsUnicode(GlyphChar(216)), "<216>");
}

TEST(TextOutput, ExactDatesOfTheTimedListsInIsoForm) {
    EXPECT_EQ(IsoExactDate("12/25/1990   03:05", DateStyle{true}), "1990-12-25 03:05");
    EXPECT_EQ(IsoExactDate("25/12/1990   03:05", DateStyle{false}), "1990-12-25 03:05");
    EXPECT_EQ(IsoExactDate("***", DateStyle{true}), "");
}

}  // namespace
}  // namespace quintaro::cli
