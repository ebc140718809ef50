// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The entry window's body check boxes and positions-grid helpers, passed through one source file
// of their own: their declarations share names with the selection and aspect-grid headers, so
// no window source includes both.

#include <string>
#include <vector>

#include "core/bodies.h"
#include "core/chart_positions.h"
#include "core/selection_flags.h"

namespace quintaro {

struct BodyCheckBox {
    int index = 0;  // position in the window's row of body boxes
    std::string control;
    std::string caption;
    bool inactive = false;
    bool slot20 = false;  // the part-of-fortune / vertex box
};

std::vector<BodyCheckBox> BodyCheckBoxes();
void WriteBodyCheckBox(SelectionFlags& selection, int index, bool checked,
                       bool slot20IsPartOfFortune);
bool BodyCheckBoxState(const SelectionFlags& selection, int index);

// The clipboard text of a click on a cell of the positions grid (row = slot).
std::string PositionCellClipboardText(const BodyCatalogue& catalogue, const ChartKinds& shown,
                                      int row, int column);

}  // namespace quintaro
