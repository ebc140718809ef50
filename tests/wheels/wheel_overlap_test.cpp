// SPDX-License-Identifier: AGPL-3.0-or-later
// No two glyphs and no two labels of a wheel share any room, for a thousand random charts: half of
// them with transits, half of them with every body inside 20 degrees.
#include <gtest/gtest.h>

#include "sample_charts.h"
#include "wheels/degree_labels.h"
#include "wheels/glyph_codes.h"
#include "wheels/wheel_drawing.h"

namespace quintaro {
namespace {

struct Overlaps {
    int glyphs = 0;  // glyph with glyph
    int labels = 0;  // label with label, the title block included
    int mixed = 0;   // glyph with label
    int total() const { return glyphs + labels + mixed; }
    void add(const Overlaps& other) {
        glyphs += other.glyphs;
        labels += other.labels;
        mixed += other.mixed;
    }
};

Overlaps CountOverlaps(const RecordingSurface& surface) {
    std::vector<Box> glyphs, labels;
    for (const RecordedText& text : surface.texts())
        (IsGlyphFont(text.font.name) ? glyphs : labels).push_back(text.pageBox);
    Overlaps found;
    found.glyphs = CountOverlappingPairs(glyphs);
    found.labels = CountOverlappingPairs(labels);
    for (const Box& g : glyphs)
        for (const Box& l : labels) found.mixed += Overlap(g, l);
    return found;
}

// The zodiac wheel prints a position as three texts that touch ("12", the sign, "34"); they are
// one label, and so are the letters of a body without a glyph of its own.
Overlaps CountOverlapsOfWholeLabels(const RecordingSurface& surface) {
    std::vector<Box> boxes;
    std::vector<bool> glyph;
    for (const RecordedText& text : surface.texts()) {
        if (!boxes.empty() && text.pageBox.minX == boxes.back().maxX &&
            std::abs(text.pageBox.centre().y - boxes.back().centre().y) < 1e-6) {
            boxes.back().maxX = text.pageBox.maxX;
            boxes.back().minY = std::min(boxes.back().minY, text.pageBox.minY);
            boxes.back().maxY = std::max(boxes.back().maxY, text.pageBox.maxY);
            continue;
        }
        boxes.push_back(text.pageBox);
        glyph.push_back(IsGlyphFont(text.font.name));
    }
    Overlaps found;
    for (size_t i = 0; i < boxes.size(); ++i)
        for (size_t j = i + 1; j < boxes.size(); ++j)
            if (Overlap(boxes[i], boxes[j]))
                ++(glyph[i] && glyph[j]   ? found.glyphs
                   : glyph[i] || glyph[j] ? found.mixed
                                          : found.labels);
    return found;
}

Overlaps OverThousandCharts(WheelStyle style) {
    Overlaps sum;
    for (unsigned seed = 1; seed <= 1000; ++seed) {
        StyledWheel wheel = test::RandomStyledChart(style, seed, seed % 2 == 0, seed / 2 % 2 == 0);
        RecordingSurface surface;
        StyledWheelLayout layout = DrawStyledWheel(surface, wheel);
        sum.add(style == WheelStyle::Zodiac ? CountOverlapsOfWholeLabels(surface)
                                            : CountOverlaps(surface));
        if (style == WheelStyle::Lens) {
            // Every glyph keeps its degree label, however full its sector.
            int labels = 0;
            for (const RecordedText& text : surface.texts())
                labels += text.font.size == LabelFontSize;
            EXPECT_EQ(labels, static_cast<int>(layout.wheels[0].glyphs.size())) << seed;
        }
    }
    return sum;
}

class WheelOverlaps : public ::testing::TestWithParam<WheelStyle> {};

TEST_P(WheelOverlaps, NoTwoGlyphsOrLabelsTouch) {
    Overlaps found = OverThousandCharts(GetParam());
    EXPECT_EQ(found.total(), 0) << "glyph pairs " << found.glyphs << ", label pairs "
                                << found.labels << ", glyph-label pairs " << found.mixed;
}

INSTANTIATE_TEST_SUITE_P(Styles, WheelOverlaps,
                         ::testing::Values(WheelStyle::Lens, WheelStyle::Duo, WheelStyle::House,
                                           WheelStyle::Zodiac),
                         [](const auto& info) { return std::string(WheelStyleName(info.param)); });

}  // namespace
}  // namespace quintaro
