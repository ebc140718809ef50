// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "setup/entry_fields.h"

namespace quintaro {

// The control name and caption of a text field of the entry window.
struct FieldControl {
    std::string_view control;  // natal control ("txtMonth")
    std::string_view label;    // "Month"
};

const FieldControl& EntryFieldControl(EntryField field);
const FieldControl& OptionFieldControl(OptionField field);

// The control of a section field: the transit control carries "Diurnal" after the prefix
// ("txtMonth", "txtDiurnalMonth").
std::string ControlName(EntryField field, Section section);

// The natal spin button of a field ("udMonth"); empty for a field without one.
std::string_view SpinControl(EntryField field);
// The spin button of a section field ("udMonth", "udDiurnalMonth"); empty for a field without one.
std::string SpinControlName(EntryField field, Section section);

}  // namespace quintaro
