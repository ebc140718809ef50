// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include "app/session.h"
#include "wheels/wheel_input.h"

namespace quintaro {

// Which wheel is drawn.
struct WheelView {
    bool withTransit = true;  // natal + transit wheel, else natal only
    bool heliocentric = false;
};

// What the wheel draws: the computed charts, the selection (less the bodies without a position in
// the wheel's frame), the sector boundaries, the lens, the aspects of the current lists and the
// session's display choices.
WheelInput BuildWheelInput(const Session& session, const WheelView& view,
                           const WheelTarget& target);

}  // namespace quintaro
