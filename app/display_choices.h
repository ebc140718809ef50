// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include "core/selection_flags.h"

namespace quintaro {

// What the displays show, chosen in the main menus and display windows: the grid display modes,
// the aspect class filter, the kind of the single-kind grid and the wheel's line options.
struct DisplayChoices {
    int gridMode = 1;                  // 1, 2, 8, 9
    int crucialMode = 1;               // 1, 2, 8, 9
    int aspectClass = 0;               // 0..8
    bool gridDeclinationKind = false;  // the single-kind grid shows declinations / latitudes
    int applyingOnlyMode = 0;          // 0 off, 1 single width, 2 variable widths
    bool geometricPatternLines = false;
    bool longitudeLines = true;
    bool declinationLines = false;
    bool variableLines = false;
    bool allSolid = false;
    bool whiteBackground = false;
    SelectionFlags fit;  // the fit display's selection
};

}  // namespace quintaro
