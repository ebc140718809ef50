// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/entry_fields.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/calendar.h"

namespace quintaro {

namespace {

constexpr std::array<EntryField, 12> kEntryFields = {
    EntryField::Name,   EntryField::Place,  EntryField::Month,   EntryField::Day,
    EntryField::Year,   EntryField::Hour,   EntryField::Minute,  EntryField::Zone,
    EntryField::LatDeg, EntryField::LatMin, EntryField::LongDeg, EntryField::LongMin};

constexpr std::array<FieldRules, 12> kEntryRules = {{
    {0, kAnyKey},                // name
    {0, kAnyKey, false, false},  // place
    {3, kDigits},                // month
    {2, kDigits},                // day
    {4, kDigits},                // year
    {2, kDigits},                // hour
    {2, kDigits},                // minute
    {9, kZoneKeys},              // zone: room for -5.75 or a mean time to the second, 4.933333
    {2, kDigits},                // latitude degrees
    {2, kDigits},                // latitude minutes
    {3, kDigits},                // longitude degrees
    {2, kDigits},                // longitude minutes
}};

constexpr std::array<OptionField, 10> kOptionFields = {
    OptionField::OrbGeoLong,      OptionField::OrbGeoDecl,
    OptionField::OrbHelioLong,    OptionField::OrbHelioLat,
    OptionField::TimeOrb,         OptionField::NatalHarmonic,
    OptionField::TransitHarmonic, OptionField::Lens,
    OptionField::NatTran,         OptionField::Delta};

constexpr std::array<FieldRules, 10> kOptionRules = {{
    {4, kDecimalKeys},  // the four orbs
    {4, kDecimalKeys},
    {4, kDecimalKeys},
    {4, kDecimalKeys},
    {4, kDecimalKeys, true},  // time orb
    {2, kDigits},             // natal harmonic
    {2, kDigits},             // transit harmonic
    {2, kDigits},             // lens
    {1, kAnyKey},             // which chart steps
    {10, kAnyKey},            // step amount
}};

struct SpinEntry {
    EntryField field;
    SpinRange range;
};
constexpr std::array<SpinEntry, 10> kSpins = {{
    {EntryField::Month, {0, 13}},
    {EntryField::Day, {0, 32}},
    {EntryField::Year, {1500, 2300}},
    {EntryField::Hour, {1, 12}},
    {EntryField::Minute, {-1, 60}},
    {EntryField::Zone, {-13, 13}},
    {EntryField::LatDeg, {0, 66}},
    {EntryField::LatMin, {0, 59}},
    {EntryField::LongDeg, {0, 180}},
    {EntryField::LongMin, {0, 59}},
}};

int FieldValue(const std::string& text) {
    return FieldInteger(text);
}

void AddToHour(EntrySection& s, int step) {
    int hour = FieldValue(s.hour) + step;
    // The hour field is a 12-hour clock: 1 follows 12 and 12 precedes 1.
    if (hour > 12) hour -= 12;
    if (hour < 1) hour += 12;
    s.hour = std::to_string(hour);
}

void CutDayToMonth(EntrySection& s) {
    int days = DaysInMonth(FieldValue(s.year), FieldValue(s.month));
    if (FieldValue(s.day) > days) s.day = std::to_string(days);
}

}  // namespace

const FieldRules& EntryFieldRules(EntryField field) {
    return kEntryRules[static_cast<size_t>(field)];
}

const FieldRules& OptionFieldRules(OptionField field) {
    return kOptionRules[static_cast<size_t>(field)];
}

std::span<const EntryField> AllEntryFields() {
    return kEntryFields;
}
std::span<const OptionField> AllOptionFields() {
    return kOptionFields;
}

bool AcceptsKey(const FieldRules& field, char key) {
    if (key == '\b' || field.keys.empty()) return true;
    return field.keys.find(key) != std::string_view::npos;
}

std::string& FieldText(EntrySection& s, EntryField field) {
    switch (field) {
        case EntryField::Name:
            return s.name;
        case EntryField::Place:
            return s.place;
        case EntryField::Month:
            return s.month;
        case EntryField::Day:
            return s.day;
        case EntryField::Year:
            return s.year;
        case EntryField::Hour:
            return s.hour;
        case EntryField::Minute:
            return s.minute;
        case EntryField::Zone:
            return s.zone;
        case EntryField::LatDeg:
            return s.latDeg;
        case EntryField::LatMin:
            return s.latMin;
        case EntryField::LongDeg:
            return s.longDeg;
        case EntryField::LongMin:
            return s.longMin;
    }
    return s.name;
}

const std::string& FieldText(const EntrySection& s, EntryField field) {
    return FieldText(const_cast<EntrySection&>(s), field);
}

std::string& OptionText(EntryOptions& o, OptionField field) {
    switch (field) {
        case OptionField::OrbGeoLong:
            return o.orbGeoLong;
        case OptionField::OrbGeoDecl:
            return o.orbGeoDecl;
        case OptionField::OrbHelioLong:
            return o.orbHelioLong;
        case OptionField::OrbHelioLat:
            return o.orbHelioLat;
        case OptionField::TimeOrb:
            return o.timeOrb;
        case OptionField::NatalHarmonic:
            return o.natalHarmonic;
        case OptionField::TransitHarmonic:
            return o.transitHarmonic;
        case OptionField::Lens:
            return o.lens;
        case OptionField::NatTran:
            return o.natTran;
        case OptionField::Delta:
            return o.delta;
    }
    return o.delta;
}

std::optional<SpinRange> SpinRangeOf(EntryField field) {
    for (const SpinEntry& spin : kSpins)
        if (spin.field == field) return spin.range;
    return std::nullopt;
}

void SetSpinValue(EntrySection& section, EntryField field, int value) {
    FieldText(section, field) = std::to_string(value);
    switch (field) {
        case EntryField::Minute:
            MinuteWrap(section);
            break;
        case EntryField::Month:
            MonthWrap(section);
            break;
        case EntryField::Day:
            DayWrap(section);
            break;
        default:
            break;
    }
}

void Spin(EntrySection& section, EntryField field, int direction) {
    std::optional<SpinRange> range = SpinRangeOf(field);
    if (!range) return;
    const int step = direction < 0 ? -1 : 1;
    if (field == EntryField::Zone) {  // a half-hour zone stays a half-hour zone: 5.5 -> 6.5
        double zone =
            std::clamp(LeadingNumber(section.zone) + step, double(range->min), double(range->max));
        section.zone = FormatNumber(zone, "0.##");
        return;
    }
    int value = FieldValue(FieldText(section, field)) + step;
    SetSpinValue(section, field, std::clamp(value, range->min, range->max));
}

void MinuteWrap(EntrySection& s) {
    if (s.minute == "60") {
        s.minute = "0";
        AddToHour(s, +1);
        if (s.hour == "12") s.pm = !s.pm;
    } else if (s.minute == "-1") {
        s.minute = "59";
        AddToHour(s, -1);
        if (s.hour == "11") s.pm = !s.pm;
    }
}

void MonthWrap(EntrySection& s) {
    if (s.month == "13") {
        s.month = "1";
        s.year = std::to_string(FieldValue(s.year) + 1);
    } else if (s.month == "0") {
        s.month = "12";
        s.year = std::to_string(FieldValue(s.year) - 1);
    }
    CutDayToMonth(s);
}

void DayWrap(EntrySection& s) {
    int day = FieldValue(s.day);
    if (day > DaysInMonth(FieldValue(s.year), FieldValue(s.month))) {
        s.day = "1";
        s.month = std::to_string(FieldValue(s.month) + 1);
        MonthWrap(s);
    } else if (day == 0) {
        s.month = std::to_string(FieldValue(s.month) - 1);
        MonthWrap(s);
        s.day = std::to_string(DaysInMonth(FieldValue(s.year), FieldValue(s.month)));
    }
}

}  // namespace quintaro
