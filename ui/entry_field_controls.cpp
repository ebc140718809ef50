// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/entry_field_controls.h"

#include <array>

namespace quintaro {

namespace {

constexpr std::array<FieldControl, 12> kEntryControls = {{
    {"txtName", "Name"},
    {"txtPlace", "Place"},
    {"txtMonth", "Month"},
    {"txtDay", "Day"},
    {"txtYear", "Year"},
    {"txtBirthHour", "Hour"},
    {"txtBirthMinute", "Minute"},
    {"txtTZ", "T Zone"},
    {"txtLatDeg", "Lat Deg"},
    {"txtLatMin", "Lat Min"},
    {"txtLongDeg", "Lng Deg"},
    {"txtLongMin", "Lng Min"},
}};

constexpr std::array<FieldControl, 10> kOptionControls = {{
    {"txtOrb_gl", "gl"},
    {"txtOrb_gd", "gd"},
    {"txtOrb_hl", "hl"},
    {"txtOrb_hlat", "hlat"},
    {"txtTimeOrb", "Time  Orb"},
    {"txtTraditionalHarmonic(0)", "TradH"},
    {"txtTraditionalHarmonic(1)", "TradH"},
    {"txtLumiralLens", "Velm"},
    {"txtNatTran", ""},
    {"txtDelta", "delta (dt)"},
}};

}  // namespace

const FieldControl& EntryFieldControl(EntryField field) {
    return kEntryControls[static_cast<size_t>(field)];
}

const FieldControl& OptionFieldControl(OptionField field) {
    return kOptionControls[static_cast<size_t>(field)];
}

std::string ControlName(EntryField field, Section section) {
    std::string name(EntryFieldControl(field).control);
    if (section == Section::Transit) name.insert(3, "Diurnal");
    return name;
}

std::string_view SpinControl(EntryField field) {
    switch (field) {
        case EntryField::Month:
            return "udMonth";
        case EntryField::Day:
            return "udDay";
        case EntryField::Year:
            return "udYear";
        case EntryField::Hour:
            return "udBirthHour";
        case EntryField::Minute:
            return "udBirthMinute";
        case EntryField::Zone:
            return "udTZ";
        case EntryField::LatDeg:
            return "udLatDeg";
        case EntryField::LatMin:
            return "udLatMin";
        case EntryField::LongDeg:
            return "udLongDeg";
        case EntryField::LongMin:
            return "udLongMin";
        default:
            return {};
    }
}

std::string SpinControlName(EntryField field, Section section) {
    std::string name(SpinControl(field));
    if (!name.empty() && section == Section::Transit) name.insert(2, "Diurnal");
    return name;
}

}  // namespace quintaro
