// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>

#include "app/session.h"
#include "app/wheel_input_builder.h"
#include "wheels/wheel_styles.h"

namespace quintaro {

// Which wheel of which style is drawn: the style, natal alone or with the transits, geocentric or
// heliocentric (the lens wheel only: the duo shows both, the house and zodiac wheels are
// geocentric), and the house system of the house and zodiac wheels (none: the workstation's).
struct StyledWheelView {
    WheelStyle style = WheelStyle::Lens;
    WheelView view;
    std::optional<HouseSystem> houseSystem;
};

// The natal chart's cusps in a house system, from the natal moment's RAMC, latitude and
// obliquity (and the natal ascendant and Sun for "Arabic" and "Solar").
WheelHouses NatalWheelHouses(const Workstation& ws, HouseSystem system);

// What a styled wheel draws from the session's computed charts.
StyledWheel BuildStyledWheel(const Session& session, const StyledWheelView& view,
                             const WheelTarget& target);

}  // namespace quintaro
