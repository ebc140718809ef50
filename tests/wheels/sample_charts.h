// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include "core/houses.h"
#include "random_charts.h"
#include "wheels/wheel_styles.h"

namespace quintaro::test {

// A natal chart of 1 January 2000, 12h UT at Greenwich, its bodies at their published geocentric
// longitudes (rounded to 0.1 degree), Placidus houses; with the transits of 1 January 2010.
inline StyledWheel SampleChart(WheelStyle style, bool withTransit) {
    struct Body {
        int slot;
        double natal, transit;
        char retro;
    };
    const Body bodies[] = {
        {SlotSun, 280.4, 280.6, ' '},     {SlotMoon, 223.3, 117.1, ' '},
        {SlotMercury, 271.9, 288.7, ' '}, {SlotVenus, 241.6, 276.3, ' '},
        {SlotMars, 327.9, 139.8, 'R'},    {SlotJupiter, 25.2, 327.1, ' '},
        {SlotSaturn, 40.4, 184.2, ' '},   {SlotUranus, 314.8, 353.3, ' '},
        {SlotNeptune, 303.2, 324.2, ' '}, {SlotPluto, 251.5, 272.5, ' '},
        {SlotNode, 125.0, 281.0, 'R'},    {SlotChiron, 251.9, 320.9, ' '},
    };
    StyledWheel wheel;
    wheel.style = style;
    for (const Body& b : bodies) {
        AddNatal(wheel.input, b.slot, b.natal, 'r');
        wheel.input.natal.retro.set(b.slot, b.retro);
        if (withTransit) AddTransit(wheel.input, b.slot, b.transit, 'f');
    }
    HouseCuspResult houses = CuspsFromRamc(HouseSystem::Placidus, 280.46, 51.48, 23.44);
    wheel.houses.cusps = houses.cusps;
    wheel.houses.ascendant = houses.cusps[4];
    wheel.houses.midheaven = houses.cusps[1];
    AddNatal(wheel.input, SlotAscendant, wheel.houses.ascendant);
    AddNatal(wheel.input, SlotMidheaven, wheel.houses.midheaven);
    wheel.input.aspects = {
        {SlotSun, SlotMercury, 2, 8.5, true},    {SlotMoon, SlotSaturn, 6, 2.9, false},
        {SlotVenus, SlotPluto, 3, 9.9, true},    {SlotMars, SlotJupiter, 3, 2.7, true},
        {SlotSaturn, SlotUranus, 4, 4.4, false}, {SlotJupiter, SlotChiron, 11, 3.3, true}};
    wheel.input.title.natalName = "J2000";
    wheel.input.title.natalDate = "1/1/2000";
    wheel.input.title.transitName = "Transits";
    wheel.input.title.transitDate = "1/1/2010";
    wheel.input.title.notice = "Positions are computed from the workstation's own ephemeris files.";
    wheel.helio = wheel.input;
    wheel.helio.coordinates = WheelCoordinates::Heliocentric;
    return wheel;
}

// A chart of random positions (RandomChart) with the Placidus houses of a random RAMC and
// latitude (-60..60).
inline StyledWheel RandomStyledChart(WheelStyle style, unsigned seed, bool withTransit,
                                     bool crowded) {
    StyledWheel wheel;
    wheel.style = style;
    wheel.input = RandomChart(seed, withTransit, crowded);
    std::mt19937 random(seed + 7919);
    double ramc = std::uniform_real_distribution<double>(0, 360)(random);
    double latitude = std::uniform_real_distribution<double>(-60, 60)(random);
    HouseCuspResult houses = CuspsFromRamc(HouseSystem::Placidus, ramc, latitude, 23.44);
    wheel.houses.cusps = houses.cusps;
    wheel.houses.ascendant = houses.cusps[4];
    wheel.houses.midheaven = houses.cusps[1];
    wheel.input.title.natalName = "Random";
    wheel.input.title.natalDate = "seed " + std::to_string(seed);
    wheel.input.title.transitName = "Transits";
    wheel.input.title.notice = "Positions are computed from the workstation's own ephemeris files.";
    wheel.helio = wheel.input;
    wheel.helio.coordinates = WheelCoordinates::Heliocentric;
    return wheel;
}

// A chart whose bodies all stand within 20 degrees.
inline StyledWheel CrowdedChart(WheelStyle style, unsigned seed, bool withTransit) {
    StyledWheel wheel = RandomStyledChart(style, seed, withTransit, true);
    wheel.input.title.natalName = "Crowded";
    wheel.helio.title.natalName = "Crowded";
    return wheel;
}

}  // namespace quintaro::test
