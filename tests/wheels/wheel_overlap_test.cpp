// SPDX-License-Identifier: AGPL-3.0-or-later
// No two glyphs and no two labels of a wheel share any room, for a thousand random charts,
// a quarter of them with every body inside 20 degrees.
#include <gtest/gtest.h>

#include "random_charts.h"
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
};

bool IsGlyph(const RecordedText& text) {
    return IsGlyphFont(text.font.name);
}

Overlaps CountOverlaps(const RecordingSurface& surface) {
    std::vector<Box> glyphs, labels;
    for (const RecordedText& text : surface.texts())
        (IsGlyph(text) ? glyphs : labels).push_back(text.pageBox);
    Overlaps found;
    found.glyphs = CountOverlappingPairs(glyphs);
    found.labels = CountOverlappingPairs(labels);
    for (const Box& g : glyphs)
        for (const Box& l : labels) found.mixed += Overlap(g, l);
    return found;
}

template <typename Draw>
Overlaps OverThousandCharts(Draw draw) {
    Overlaps sum;
    for (unsigned seed = 1; seed <= 1000; ++seed) {
        WheelInput input = test::RandomChart(seed, seed % 2 == 0, seed / 2 % 2 == 0);
        RecordingSurface surface;
        draw(surface, input);
        Overlaps found = CountOverlaps(surface);
        sum.glyphs += found.glyphs;
        sum.labels += found.labels;
        sum.mixed += found.mixed;
    }
    return sum;
}

TEST(WheelOverlaps, LensWheelKeepsGlyphsAndLabelsApart) {
    Overlaps found = OverThousandCharts([](RecordingSurface& surface, const WheelInput& input) {
        WheelLayout layout = DrawWheel(surface, input);
        // Every glyph keeps its degree label, however full its sector.
        int labels = 0;
        for (const RecordedText& text : surface.texts()) labels += text.font.size == LabelFontSize;
        EXPECT_EQ(labels, static_cast<int>(layout.glyphs.size()));
    });
    RecordProperty("glyph_pairs", found.glyphs);
    RecordProperty("label_pairs", found.labels);
    RecordProperty("glyph_label_pairs", found.mixed);
    EXPECT_EQ(found.total(), 0) << "glyph pairs " << found.glyphs << ", label pairs "
                                << found.labels << ", glyph-label pairs " << found.mixed;
}

}  // namespace
}  // namespace quintaro
