// SPDX-License-Identifier: AGPL-3.0-or-later
// The house wheel: houses as sectors of 30 degrees, the 1st at the left, bodies in their houses by
// the cusps of the chosen system, and the bodies a full house has no room for.
#include "wheels/house_wheel.h"

#include <gtest/gtest.h>

#include <set>

#include "core/degrees.h"
#include "sample_charts.h"
#include "wheels/glyph_codes.h"
#include "wheels/wheel_geometry.h"

namespace quintaro {
namespace {

using test::AddNatal;
using test::AddTransit;

// A chart of RAMC 30 at latitude 51.5 (the cusps come from the house code).
WheelHouses HousesOf(HouseSystem system) {
    HouseCuspResult result = CuspsFromRamc(system, 30, 51.5, 23.4392911);
    WheelHouses houses;
    houses.system = system;
    houses.cusps = result.cusps;
    houses.ascendant = result.cusps[4];
    houses.midheaven = result.cusps[1];
    return houses;
}

int CuspIndexOfHouse(int house) {
    return (house + 2) % 12 + 1;
}

// A body just past a house's cusp takes the house's first slot, one just before the next cusp
// its last: the sector boundaries of the wheel are the cusps, whatever the system.
TEST(HouseWheel, SectorBoundariesAreTheCuspsOfEachSystem) {
    for (HouseSystem system :
         {HouseSystem::Placidus, HouseSystem::Koch, HouseSystem::Regiomontanus,
          HouseSystem::Campanus, HouseSystem::EqualMC, HouseSystem::Porphyry}) {
        SCOPED_TRACE(std::string(HouseSystemName(system)));
        WheelHouses houses = HousesOf(system);
        for (int house = 1; house <= 12; ++house) {
            double cusp = houses.cusps[CuspIndexOfHouse(house)];
            double next = houses.cusps[CuspIndexOfHouse(house % 12 + 1)];
            WheelInput input;
            AddNatal(input, SlotSun, Norm360(cusp + 0.01));
            AddNatal(input, SlotMoon, Norm360(next - 0.01));
            RecordingSurface surface;
            StyledWheelLayout layout = DrawHouseWheel(surface, input, houses);
            const double firstSlot = Norm360(182 + 30.0 * (house - 1));
            EXPECT_NEAR(FindGlyph(layout.wheels[0], SlotSun)->angle, firstSlot, 1e-9) << house;
            EXPECT_NEAR(FindGlyph(layout.wheels[0], SlotMoon)->angle, Norm360(firstSlot + 26.25),
                        1e-9)
                << house;
        }
    }
}

TEST(HouseWheel, FirstHouseBeginsAtTheLeftBelowTheHorizon) {
    WheelHouses houses = HousesOf(HouseSystem::Placidus);
    WheelInput input;
    AddNatal(input, SlotMars, Norm360(houses.ascendant + 3));   // early in the 1st house
    AddNatal(input, SlotVenus, Norm360(houses.midheaven + 3));  // early in the 10th
    RecordingSurface surface;
    StyledWheelLayout layout = DrawHouseWheel(surface, input, houses);
    Point mars = PointOnWheel(FindGlyph(layout.wheels[0], SlotMars)->angle, 1);
    Point venus = PointOnWheel(FindGlyph(layout.wheels[0], SlotVenus)->angle, 1);
    EXPECT_LT(mars.x, -0.8);  // left, just below the horizon
    EXPECT_LT(mars.y, 0);
    EXPECT_GT(venus.y, 0.8);  // the 10th house at the top
}

// Eleven bodies in the 1st house: eight slots, three bodies left out, each told once with the
// house's number; a twelfth body in another house is drawn as usual.
TEST(HouseWheel, AFullHouseLeavesOutTheBodiesItHasNoRoomFor) {
    WheelHouses houses = HousesOf(HouseSystem::Placidus);
    WheelInput input;
    const int slots[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12};
    for (size_t k = 0; k < std::size(slots); ++k)
        AddNatal(input, slots[k], Norm360(houses.ascendant + 0.5 + 0.8 * k));
    AddTransit(input, SlotSun, Norm360(houses.ascendant + 180));
    RecordingSurface surface;
    StyledWheelLayout layout = DrawHouseWheel(surface, input, houses);
    EXPECT_EQ(layout.wheels[0].glyphs.size(), 9u);
    ASSERT_EQ(layout.leftOut.size(), 3u);
    std::set<int> told;
    for (const LeftOutBody& body : layout.leftOut) {
        EXPECT_EQ(body.house, 1);
        EXPECT_EQ(FindGlyph(layout.wheels[0], body.body), nullptr);
        told.insert(body.body);
    }
    EXPECT_EQ(told.size(), 3u);
    EXPECT_NE(FindGlyph(layout.wheels[0], BodyCount + SlotSun), nullptr);
    EXPECT_EQ(HouseFullText({SlotMars, 1, "mars"}),
              "I cannot fit mars into the proper location within house 1, so I must leave it out.");
    EXPECT_EQ(HouseFullTitle, "Please be advised");

    // Eight bodies fit.
    WheelInput eight;
    for (int k = 0; k < 8; ++k) AddNatal(eight, slots[k], Norm360(houses.ascendant + 0.5 + k));
    RecordingSurface again;
    EXPECT_TRUE(DrawHouseWheel(again, eight, houses).leftOut.empty());
}

TEST(HouseWheel, TitleNamesTheSystemAndTheCuspsStandAtTheDivisions) {
    // Equal houses from the MC: RAMC 30 at 51.5 N puts the MC at 32.18125 (2°10.9' Taurus).
    WheelHouses houses = HousesOf(HouseSystem::EqualMC);
    WheelInput input;
    RecordingSurface surface;
    DrawHouseWheel(surface, input, houses);
    bool title = false;
    std::vector<std::string> cusps;
    auto texts = surface.texts();
    for (size_t k = 0; k < texts.size(); ++k) {
        title = title || texts[k].text == "House system = Equal MC";
        if (k + 2 < texts.size() && texts[k + 1].text == GlyphText(130) && texts[k].text == "02")
            cusps.push_back(texts[k].text + texts[k + 2].text);
    }
    EXPECT_TRUE(title);
    EXPECT_EQ(cusps, std::vector<std::string>{"0211"});  // the 10th cusp: 02 Taurus 11
}

}  // namespace
}  // namespace quintaro
