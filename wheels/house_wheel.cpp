// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/house_wheel.h"

#include <cmath>

#include "wheels/aspect_lines.h"
#include "wheels/fitted_title.h"
#include "wheels/sign_position.h"
#include "wheels/title_block.h"
#include "wheels/wheel_drawing.h"
#include "wheels/wheel_geometry.h"
#include "wheels/zodiac_rings.h"

namespace quintaro {

namespace {

constexpr double OutsideGap = 4;  // between the ring and the texts outside it
constexpr double CuspTextHeight = 10;
constexpr double HouseNumberHeight = 11;
constexpr double TitleTextHeight = 10;

// Screen angle where house 1..12 begins: the 1st at the left, the others counter-clockwise.
double HouseStartAngle(int house) {
    return SectorStartAngle(house) - 2;
}

// The house ring: the band's circles and a division at the start of every house.
void DrawHouseRing(DrawSurface& surface, const WheelTarget& target) {
    RingRadii radii = WheelRingRadii(target.printer);
    surface.setForeColor(QbColor(0));
    surface.setDrawStyle(DrawStyle::Solid);
    surface.setDrawWidth(target.printer ? target.printerLineWidths[0] : 1);
    surface.circle({0, 0}, radii.inner);
    surface.circle({0, 0}, radii.outer);
    for (int house = 1; house <= 12; ++house) {
        bool angle = house % 3 == 1;  // the houses of the four angles begin with a heavier line
        surface.setDrawWidth(target.printer ? (angle ? 6 : 2) : (angle ? 2 : 1));
        double a = HouseStartAngle(house);
        surface.line(PointOnWheel(a, radii.inner), PointOnWheel(a, radii.outer));
    }
    surface.setDrawWidth(1);
}

// House numbers in the middle of each house and the cusps' longitudes at the divisions, all
// outside the ring. Returns their boxes.
std::vector<Box> DrawHouseTexts(DrawSurface& surface, const WheelHouses& houses,
                                const WheelTarget& target) {
    const double outer = WheelRingRadii(target.printer).outer;
    std::vector<Box> boxes;
    surface.setForeColor(QbColor(0));
    surface.setFontName(FontChoice{}.name);
    surface.setFontSize(PointsForHeight(surface, FontChoice{}.name, HouseNumberHeight));
    surface.setFontBold(true);
    for (int house = 1; house <= 12; ++house) {
        std::string text = std::to_string(house);
        double a = HouseStartAngle(house) + 15;
        ItemSize size{surface.textWidth(text), std::abs(surface.textHeight(text))};
        boxes.push_back(PrintCentred(
            surface, PointOnWheel(a, outer + OutsideGap + RadialHalfExtent(size, a)), text));
    }
    surface.setFontBold(false);
    PositionFonts fonts{PointsForHeight(surface, FontChoice{}.name, CuspTextHeight),
                        PointsForHeight(surface, "Orvessa", CuspTextHeight), false};
    const double height = SignPositionHeight(surface, fonts);
    const double down = surface.scale().height < 0 ? -1 : 1;
    for (int house = 1; house <= 12; ++house) {
        int index = (house + 2) % 12 + 1;
        SignPosition position = SignPositionOf(houses.cusps[index]);
        ItemSize size{SignPositionWidth(surface, position, fonts), height};
        double a = HouseStartAngle(house);
        Point centre = PointOnWheel(a, outer + OutsideGap + RadialHalfExtent(size, a));
        PrintSignPosition(surface, {centre.x - size.width / 2, centre.y - down * height / 2},
                          position, fonts);
        boxes.push_back(BoxAround(centre, size.width, size.height));
    }
    return boxes;
}

}  // namespace

std::string HouseFullText(const LeftOutBody& body) {
    return "I cannot fit " + body.name + " into the proper location within house " +
           std::to_string(body.house) + ", so I must leave it out.";
}

std::array<double, 13> HouseSectorBoundaries(const HouseCuspArray& cusps) {
    std::array<double, 13> boundaries{};
    for (int k = 1; k <= 12; ++k) boundaries[k] = cusps[k];
    return boundaries;
}

StyledWheelLayout DrawHouseWheel(DrawSurface& surface, const WheelInput& input,
                                 const WheelHouses& houses) {
    WheelInput wheel = input;
    wheel.coordinates = WheelCoordinates::Geocentric;
    wheel.boundaries = HouseSectorBoundaries(houses.cusps);
    wheel.natal.sector.fill(0);
    wheel.transit.sector.fill(0);

    const UserScale scale = WheelScale(wheel.target);
    surface.setScale(scale);
    surface.clear(wheel.options.whiteBackground ? QbColor(15) : QbColor(7));
    DrawHouseRing(surface, wheel.target);
    std::vector<Box> outside = DrawHouseTexts(surface, houses, wheel.target);

    SectorPlacement placement = PlaceGlyphsWithinSectors(DisplayedBodies(wheel), wheel.boundaries);
    StyledWheelLayout layout;
    layout.style = WheelStyle::House;
    layout.wheels.push_back(
        DrawPlacedBodies(surface, wheel, {scale, RingBaseRadius}, placement.placed));
    for (const SlotRequest& body : placement.leftOut) {
        int slot = body.body > BodyCount ? body.body - BodyCount : body.body;
        layout.leftOut.push_back({body.body, body.sector, wheel.catalogue.BodyNames[slot]});
    }

    std::vector<TitleText> lines;
    if (wheel.title.natalHarmonic != 1 || wheel.title.transitHarmonic != 1)
        lines.push_back({"HARMONIC", true});
    lines.push_back({ChartKindTitle(wheel)});
    lines.push_back({HouseSystemTitle(houses)});
    if (wheel.title.sidereal) lines.push_back({"Sidereal"});
    DrawFittedTitle(surface, lines, FilterCaption(wheel.options.filter), wheel.title.notice,
                    {outside, WheelRingRadii(wheel.target.printer).outer}, TitleTextHeight);
    return layout;
}

}  // namespace quintaro
