// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/body_check_boxes.h"

#include "setup/entry_checks.h"

namespace quintaro {

std::vector<BodyCheckBox> BodyCheckBoxes() {
    std::vector<BodyCheckBox> boxes;
    for (const BodyCheckSpec& definition : BodyCheckSpecs()) {
        boxes.push_back({static_cast<int>(definition.check), std::string(definition.control),
                         std::string(definition.caption), definition.inactive,
                         definition.check == BodyCheck::PartOfFortune});
    }
    return boxes;
}

void WriteBodyCheckBox(std::string& selection, int index, bool checked,
                       bool slot20IsPartOfFortune) {
    WriteBodyCheck(selection, static_cast<BodyCheck>(index), checked, slot20IsPartOfFortune);
}

bool BodyCheckBoxState(const std::string& selection, int index) {
    return BodyCheckState(selection, static_cast<BodyCheck>(index));
}

void ShowHelioOrGeo(const ChartPositions& positions, const std::string& selection, bool helio,
                    WorkingPositions& shown) {
    FillDisplayedSet(positions, selection, helio, false, shown);
}

std::string PositionCellClipboardText(const BodyCatalogue& catalogue, const ChartKinds& shown,
                                      int row, int column) {
    return GridClipboardText(catalogue, shown, row, column);
}

}  // namespace quintaro
