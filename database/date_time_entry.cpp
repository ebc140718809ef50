// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/date_time_entry.h"

#include "database/record_forms.h"
#include "database/serial_date.h"
#include "setup/entry_model.h"
#include "setup/file_lines.h"

namespace quintaro {

DateTimeEntry DateTimeEntryOf(const PersonRecord& r) {
    DateTimeEntry entry;
    if (auto date = PresentDate(r.birthDate)) {
        entry.month = std::to_string(date->month);
        entry.day = std::to_string(date->day);
        entry.year = std::to_string(date->year);
    }
    if (r.birthHour != 0) {
        entry.hour = std::to_string(r.birthHour);
        entry.minute = std::to_string(r.birthMinute);
    }
    entry.pm = r.amPm == "PM";
    entry.zone = NumberText(r.timeZone);
    return entry;
}

std::string ApplyDateTimeEntry(const DateTimeEntry& e, PersonRecord& record) {
    const bool noDate =
        TrimBlanks(e.month).empty() && TrimBlanks(e.day).empty() && TrimBlanks(e.year).empty();
    const std::string date = noDate ? std::string()
                                    : std::string(TrimBlanks(e.month)) + "/" +
                                          std::string(TrimBlanks(e.day)) + "/" +
                                          std::string(TrimBlanks(e.year));
    PersonRecord changed = record;
    const std::pair<const char*, std::string> writes[] = {{"txtBirthDate", date},
                                                          {"txtBirthHour", e.hour},
                                                          {"txtBirthMinute", e.minute},
                                                          {"txtBirthTZ", e.zone},
                                                          {"txtBirthAM_PM", e.pm ? "PM" : "AM"}};
    for (const auto& [control, text] : writes) {
        const RecordForm form = std::string_view(control) == "txtBirthDate" ? RecordForm::Person
                                                                            : RecordForm::BirthData;
        const FormField* field = FindFormField(form, control);
        if (std::string why = field->write(changed, text); !why.empty())
            return field->name + ": " + why;
    }
    record = std::move(changed);
    return {};
}

}  // namespace quintaro
