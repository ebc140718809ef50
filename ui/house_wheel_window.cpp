// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/house_wheel_window.h"

namespace quintaro {

WheelWindow* MakeHouseWheelWindow(WorkstationController& controller) {
    return new WheelWindow(controller, nullptr, WheelWindowKind::House);
}

}  // namespace quintaro
