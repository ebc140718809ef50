// SPDX-License-Identifier: AGPL-3.0-or-later
// The duo wheel: two wheels on one surface in two layouts, and its click report.
#include "wheels/duo_wheel.h"

#include <gtest/gtest.h>

#include "wheel_test_input.h"
#include "wheels/wheel_geometry.h"

namespace quintaro {
namespace {

using test::AddNatal;
using test::AddTransit;

struct Duo {
    WheelInput geo, helio;
};

Duo DuoChart(double width, double height, bool printer = false) {
    Duo duo;
    duo.helio.coordinates = WheelCoordinates::Heliocentric;
    for (WheelInput* input : {&duo.geo, &duo.helio}) {
        input->target.deviceWidth = width;
        input->target.deviceHeight = height;
        input->target.printer = printer;
    }
    AddNatal(duo.geo, SlotSun, 280.374, 'f');
    duo.geo.natal.second[SlotSun] = -23.0345;
    AddNatal(duo.geo, SlotMars, 327.96, 'r');
    duo.geo.natal.second[SlotMars] = -13.2;
    AddTransit(duo.geo, SlotVenus, 41.5, 'f');
    duo.geo.transit.second[SlotVenus] = 14.005;
    AddNatal(duo.helio, SlotSun, 100.374);  // no heliocentric Sun on a heliocentric wheel
    AddNatal(duo.helio, SlotEarth, 100.374, 'r');
    duo.helio.natal.second[SlotEarth] = 0.0004;
    AddNatal(duo.helio, SlotMars, 123.456, 'f');
    duo.helio.natal.second[SlotMars] = 1.234;
    AddTransit(duo.helio, SlotVenus, 200.5, 'r');
    duo.helio.transit.second[SlotVenus] = -3.3;
    return duo;
}

// Where on the device a click hits the middle of a body's glyph in one of the wheels.
Point DeviceMiddle(const StyledWheelLayout& layout, int wheel, int body, double width,
                   double height) {
    const WheelLayout& w = layout.wheels[wheel];
    const PlacedGlyph* glyph = FindGlyph(w, body);
    EXPECT_NE(glyph, nullptr) << body;
    if (!glyph) return {};
    Point middle{glyph->anchor.x + w.cellWidth / 2, glyph->anchor.y - w.cellHeight / 2};
    return DeviceMapping{w.scale, width, height}.toDevice(middle);
}

TEST(DuoWheel, ClickReportsTheBodyWithTheKindTexts) {
    Duo duo = DuoChart(800, 800);
    RecordingSurface surface;
    StyledWheelLayout layout = DrawDuoWheel(surface, duo.geo, duo.helio);
    ASSERT_EQ(layout.wheels.size(), 2u);
    struct Case {
        int wheel, body;
        const char* report;
    };
    const Case cases[] = {
        {0, SlotSun, " N. geo sun is at 280.37 N. decl sun is at -23.03 - falling"},
        {0, SlotMars, " N. geo mars is at 327.96 N. decl mars is at -13.20"},
        {0, BodyCount + SlotVenus, " T. geo venus is at 41.50 T. decl venus is at 14.01 - falling"},
        {1, SlotEarth, " N. helio earth is at 100.37 N. lat earth is at 00.00"},
        {1, SlotMars, " N. helio mars is at 123.46 N. lat mars is at 01.23 - falling"},
        {1, BodyCount + SlotVenus, " T. helio venus is at 200.50 T. lat venus is at -03.30"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(
            StyledClickReport(layout, DeviceMiddle(layout, c.wheel, c.body, 800, 800), 800, 800),
            c.report);
    EXPECT_EQ(StyledClickReport(layout, {400, 400}, 800, 800), "");
    EXPECT_EQ(StyledClipboardText(layout, DeviceMiddle(layout, 1, SlotMars, 800, 800), 800, 800),
              "hel_nat_mars123.4560");
    // The heliocentric wheel never shows the Sun.
    EXPECT_EQ(FindGlyph(layout.wheels[1], SlotSun), nullptr);
}

// The wide layout for a surface much wider than high, the other for a square window and for
// paper: the two rings' radii and the geocentric wheel's centre (the heliocentric one mirrored).
TEST(DuoWheel, TwoLayoutsWithTheirRadiiAndOffsets) {
    struct Case {
        double width, height;
        bool printer;
        double ringRadius;
        Point geoCentre;
    };
    const Case cases[] = {
        {1200, 600, false, 118 * ScreenRingFactor, {-142, 76}},
        {800, 800, false, 105 * ScreenRingFactor, {-99, 88}},
        {2480, 3508, true, 105 * PrinterRingFactor, {-108, 88}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        Duo duo = DuoChart(c.width, c.height, c.printer);
        RecordingSurface surface;
        StyledWheelLayout layout = DrawDuoWheel(surface, duo.geo, duo.helio);
        const UserScale page = WheelScale(duo.geo.target);
        for (int wheel = 0; wheel < 2; ++wheel) {
            const double mirror = wheel == 0 ? 1 : -1;
            EXPECT_NEAR(page.left - layout.wheels[wheel].scale.left, mirror * c.geoCentre.x, 1e-9);
            EXPECT_NEAR(page.top - layout.wheels[wheel].scale.top, mirror * c.geoCentre.y, 1e-9);
        }
        int rings = 0;
        for (const RecordedCircle& circle : surface.circles())
            rings += std::abs(circle.radius - c.ringRadius) < 1e-9;
        EXPECT_EQ(rings, 2);  // the inner circle of each wheel's band
    }
}

TEST(DuoWheel, OneTitleBlockForBoth) {
    Duo duo = DuoChart(800, 800);
    duo.geo.title.natalName = "Ann";
    RecordingSurface surface;
    DrawDuoWheel(surface, duo.geo, duo.helio);
    int titles = 0;
    for (const RecordedText& text : surface.texts())
        titles += text.text.rfind("geo + helio chart (Ann", 0) == 0;
    EXPECT_EQ(titles, 1);
}

}  // namespace
}  // namespace quintaro
