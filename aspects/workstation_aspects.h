// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include "aspects/aspect_lists.h"
#include "setup/workstation.h"

namespace quintaro {

// The finders' inputs as the workstation holds them after a chart computation: the record, the
// live selection, the entry window's orb texts and exact box, the capacity, both charts' moments,
// zones and harmonics, the positions function, solar-arc mode and the date style. The time-orb
// filter window and progression mode are not kept by the workstation; the caller sets
// `timeOrbFilter` and `progression` while those are in force (the filter's days, hours and
// minutes come from the settings).
AspectInputs AspectInputsOf(Workstation& ws);

}  // namespace quintaro
