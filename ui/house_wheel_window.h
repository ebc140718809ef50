// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include "ui/wheel_window.h"

namespace quintaro {

// The house wheel window (wheels_small_geo_houses): the natal chart with the houses of the system
// chosen in its Houses menu as sectors, the 1st house at the left; tells the user of every body
// a full house has no room for.
WheelWindow* MakeHouseWheelWindow(WorkstationController& controller);

}  // namespace quintaro
