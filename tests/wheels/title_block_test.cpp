// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/title_block.h"

#include <gtest/gtest.h>

#include "wheels/recording_surface.h"
#include "wheels/wheel_drawing.h"

namespace quintaro {
namespace {

TEST(TitleBlock, ChartKindTitles) {
    struct Case {
        WheelCoordinates coordinates;
        bool bisect;
        bool transit;
        const char* expected;
    };
    const Case cases[] = {
        {WheelCoordinates::Geocentric, false, false, "geo chart (Ann, 01 Jan 2000)"},
        {WheelCoordinates::Heliocentric, false, false, "helio chart (Ann, 01 Jan 2000)"},
        {WheelCoordinates::Geocentric, true, true,
         "geo bisect chart (Ann, 01 Jan 2000 / Now, 06 Dec 2026)"},
        {WheelCoordinates::Heliocentric, true, false, "helio bisect chart (Ann, 01 Jan 2000)"},
    };
    for (const Case& c : cases) {
        WheelInput input;
        input.coordinates = c.coordinates;
        input.withTransit = c.transit;
        input.title.natalName = "Ann";
        input.title.natalDate = "01 Jan 2000";
        input.title.transitName = "Now";
        input.title.transitDate = "06 Dec 2026";
        input.title.bisect = c.bisect;
        EXPECT_EQ(ChartKindTitle(input), c.expected);
    }
}

// On the recording surface a character is 0.6 x and a line 1.2 x the font size; the title font
// is 10 points, the scale of an 800 x 800 wheel runs from -272 to 272.
TEST(TitleBlock, PrintedFromTheCornersOfTheScale) {
    WheelInput input;
    input.lens = 7;
    input.title.natalName = "Ann";
    input.title.transitHarmonic = 2;
    input.title.sidereal = true;
    input.title.notice = "Quintaro";
    input.options.filter = 8;  // "Saturn Clashes": 14 characters, 84 units wide
    RecordingSurface surface;
    DrawWheel(surface, input);

    struct Expected {
        const char* text;
        double x, y;
        bool bold;
    };
    const Expected expected[] = {
        {"HARMONIC", -270, 270, true},       {"geo chart (Ann)", -270, 258, false},
        {"Velm = 7", -270, 246, false},      {"Sidereal", -270, 234, false},
        {"Saturn Clashes", 186, 270, false}, {"Quintaro", -270, -258, false},
    };
    std::vector<RecordedText> titles;
    for (const auto& text : surface.texts())
        if (text.font.size == 10) titles.push_back(text);
    ASSERT_EQ(titles.size(), std::size(expected));
    for (size_t i = 0; i < titles.size(); ++i) {
        SCOPED_TRACE(expected[i].text);
        EXPECT_EQ(titles[i].text, expected[i].text);
        EXPECT_NEAR(titles[i].topLeft.x, expected[i].x, 1e-9);
        EXPECT_NEAR(titles[i].topLeft.y, expected[i].y, 1e-9);
        EXPECT_EQ(titles[i].font.bold, expected[i].bold);
        EXPECT_EQ(titles[i].color, QbColor(0));
    }
}

}  // namespace
}  // namespace quintaro
