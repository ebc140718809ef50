// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include "aspects/session.h"
#include "ui/workstation_controller.h"
#include "wheels/wheel_input.h"

namespace quintaro {

// What the wheel window draws: the computed charts, the selection, the sector boundaries, the
// lens, the aspects of the current lists and the display choices of the main menus.
struct WheelView {
    bool withTransit = true;  // natal + transit wheel, else natal only
    bool heliocentric = false;
};

WheelInput BuildWheelInput(const Session& session, const DisplayChoices& display,
                           const WheelView& view, const WheelTarget& target);

}  // namespace quintaro
