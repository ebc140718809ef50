// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The fields of the person window and of its eight sub-record windows as texts: which control
// shows which part of the record, under which caption, and how a typed text goes back into the
// record. The windows only lay the fields out; everything a field does is here.

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "database/person_record.h"

namespace quintaro {

enum class RecordForm {
    Person,  // display_personal: names, member number, sex, birth date
    AlternateNames,
    BirthData,
    Addresses,
    Phones,
    Emails,
    HistoricalDates,
    HistoricalData,
    Comments,
};

struct FormField {
    std::string control;  // "txtNameChange1"
    std::string label;    // the caption beside the field: "Name change 1", "Date"
    std::string name;     // what a message calls it: "Date of name change 1"
    size_t width = 0;     // characters the record holds
    int row = 0;          // where the window lays the field out: row and column of a grid
    int column = 0;
    bool readOnly = false;  // shown, but follows from other fields
    // The field's text for a record, and the text put back into a record: empty on success,
    // else why the text cannot stand there (the record is then left as it was).
    std::function<std::string(const PersonRecord&)> read;
    std::function<std::string(PersonRecord&, std::string_view)> write;
};

const std::vector<FormField>& FormFields(RecordForm form);
// The eight sub-record windows, in the order of their buttons in the person window.
std::span<const RecordForm> SubRecordForms();

// The person window's button that opens a sub-record window ("Alternate Name", "Birth Data",
// ...), and the window's object name.
std::string_view SubRecordButton(RecordForm form);
std::string_view SubRecordWindowName(RecordForm form);
// "Name changes - records in database = " + count, and so on for each sub-record window.
std::string SubRecordCaption(RecordForm form, long count);

// The field of a form that a control shows; nullptr when the form has none of that name.
const FormField* FindFormField(RecordForm form, std::string_view control);

// A date field's text: "mm/dd/yyyy", blank for the missing date.
std::string DateFieldText(double serial);
// A date field's text back as a serial day number: blank gives the missing date; otherwise
// "m/d/yyyy" or "yyyy-mm-dd" of a calendar date. Empty on success, else why.
std::string ParseDateField(std::string_view text, double& serial);

}  // namespace quintaro
