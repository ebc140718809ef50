// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include "ui/wheel_window.h"

namespace quintaro {

// The duo window "Duo Chartwheels" (Wheels_2): the geocentric and the heliocentric wheel side by
// side with one title block; a click reports the body with the duo's kind texts.
WheelWindow* MakeDuoWheelWindow(WorkstationController& controller);

}  // namespace quintaro
