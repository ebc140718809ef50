// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/styled_wheel_builder.h"

namespace quintaro {

WheelHouses NatalWheelHouses(const Workstation& ws, HouseSystem system) {
    const ChartHouses& natal = ws.natal.houses;
    HouseCuspResult result = CuspsFromRamc(system, natal.RAMC, natal.Latitude, natal.Obliquity,
                                           NatalReference{natal.Ascendant, ws.natalSunLongitude});
    WheelHouses houses;
    houses.system = system;
    houses.cusps = result.cusps;
    houses.polarFallback = result.polarFallback;
    houses.ascendant = natal.Ascendant;
    houses.midheaven = natal.Midheaven;
    return houses;
}

StyledWheel BuildStyledWheel(const Session& session, const StyledWheelView& view,
                             const WheelTarget& target) {
    StyledWheel wheel;
    wheel.style = view.style;
    WheelView geo = view.view;
    if (view.style != WheelStyle::Lens) geo.heliocentric = false;
    wheel.input = BuildWheelInput(session, geo, target);
    if (view.style == WheelStyle::Duo) {
        WheelView helio = geo;
        helio.heliocentric = true;
        wheel.helio = BuildWheelInput(session, helio, target);
    }
    if (view.style == WheelStyle::House || view.style == WheelStyle::Zodiac)
        wheel.houses = NatalWheelHouses(session.workstation,
                                        view.houseSystem.value_or(session.workstation.houseSystem));
    return wheel;
}

}  // namespace quintaro
