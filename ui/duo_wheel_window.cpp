// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/duo_wheel_window.h"

namespace quintaro {

WheelWindow* MakeDuoWheelWindow(WorkstationController& controller) {
    return new WheelWindow(controller, nullptr, WheelWindowKind::Duo);
}

}  // namespace quintaro
