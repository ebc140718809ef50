// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "setup/entry_model.h"

namespace quintaro {

// The text fields of one section, in the order of the window.
enum class EntryField {
    Name,
    Place,
    Month,
    Day,
    Year,
    Hour,
    Minute,
    Zone,
    LatDeg,
    LatMin,
    LongDeg,
    LongMin
};
// The option text fields shared by both charts.
enum class OptionField {
    OrbGeoLong,
    OrbGeoDecl,
    OrbHelioLong,
    OrbHelioLat,
    TimeOrb,
    NatalHarmonic,
    TransitHarmonic,
    Lens,
    NatTran,
    Delta
};

// Character sets a field lets through; every other typed key is dropped (Backspace always passes).
inline constexpr std::string_view kAnyKey = "";
inline constexpr std::string_view kDigits = "0123456789";
inline constexpr std::string_view kZoneKeys = "0123456789.-";
inline constexpr std::string_view kDecimalKeys = "0123456789.";

// What a text field accepts: most characters (0: no limit), accepted keys (empty: any), whether
// it starts inactive and whether it selects its whole text when it receives the focus (every
// field but the place).
struct FieldRules {
    int width;
    std::string_view keys;
    bool inactive = false;
    bool selectsAllOnFocus = true;
};

const FieldRules& EntryFieldRules(EntryField field);
const FieldRules& OptionFieldRules(OptionField field);
std::span<const EntryField> AllEntryFields();
std::span<const OptionField> AllOptionFields();

// Whether a field takes a typed character (Backspace, code 8, always passes).
bool AcceptsKey(const FieldRules& field, char key);

std::string& FieldText(EntrySection& section, EntryField field);
const std::string& FieldText(const EntrySection& section, EntryField field);
std::string& OptionText(EntryOptions& options, OptionField field);

// Spin buttons: one per numeric date, time, zone and coordinate field. Month, day and minute run
// one step past the calendar on each side so that the wraps below see the overflow.
struct SpinRange {
    int min;
    int max;
};
std::optional<SpinRange> SpinRangeOf(EntryField field);

// A spin button moved to `value` (already inside its range): the field takes the value, then the
// minute, month or day wrap runs.
void SetSpinValue(EntrySection& section, EntryField field, int value);
// One click of a spin button: the field's value moves by `direction` (+1 or -1) within the
// spin's range, then SetSpinValue. Fields without a spin are left alone.
void Spin(EntrySection& section, EntryField field, int direction);

// The wraps, run after a spin changes the field.
// Minute "60": minute 0, hour + 1 (12 follows 11, 1 follows 12), AM/PM flips on reaching 12.
// Minute "-1": minute 59, hour - 1, AM/PM flips on reaching 11.
void MinuteWrap(EntrySection& section);
// Month "13": January of the next year; "0": December of the year before. Then the day is cut
// to the length of the month.
void MonthWrap(EntrySection& section);
// Day past the month's end: day 1 of the next month; day 0: the last day of the month before.
void DayWrap(EntrySection& section);

}  // namespace quintaro
