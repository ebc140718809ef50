// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/body_check_boxes.h"

#include "setup/entry_checks.h"

namespace quintaro {

namespace {

// Control name and caption of each box, in the order of BodyCheck.
struct BodyCheckControl {
    const char* control;
    const char* caption;  // the slot-20 box's caption follows the catalogue ("PF" or "VT")
};
constexpr BodyCheckControl kControls[] = {
    {"Check5", "Moon"},  {"Check4", "Chiron"}, {"Check1", "NN"},
    {"Check6", "Ceres"}, {"Check7", "Pallas"}, {"Check8", "Vesta"},
    {"Check9", "Juno"},  {"Check2", "AC/MC"},  {"Check3", "PF"},
};

}  // namespace

std::vector<BodyCheckBox> BodyCheckBoxes() {
    std::vector<BodyCheckBox> boxes;
    for (const BodyCheckBodies& definition : AllBodyChecks()) {
        const BodyCheckControl& control = kControls[static_cast<size_t>(definition.check)];
        boxes.push_back({static_cast<int>(definition.check), control.control, control.caption,
                         definition.inactive, definition.check == BodyCheck::PartOfFortune});
    }
    return boxes;
}

void WriteBodyCheckBox(SelectionFlags& selection, int index, bool checked,
                       bool slot20IsPartOfFortune) {
    WriteBodyCheck(selection, static_cast<BodyCheck>(index), checked, slot20IsPartOfFortune);
}

bool BodyCheckBoxState(const SelectionFlags& selection, int index) {
    return BodyCheckState(selection, static_cast<BodyCheck>(index));
}

std::string PositionCellClipboardText(const BodyCatalogue& catalogue, const ChartKinds& shown,
                                      int row, int column) {
    return GridClipboardText(catalogue, shown, row, column);
}

}  // namespace quintaro
