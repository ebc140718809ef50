// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/record_forms.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>

#include "database/serial_date.h"
#include "database/text_encoding.h"
#include "setup/entry_model.h"
#include "setup/file_lines.h"

namespace quintaro {

namespace {

bool HasControlCharacters(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

// What the file will hold of a typed text: cut at the width, characters the code page lacks as
// "?", no trailing blanks, so that the window shows after a save what it showed before.
std::string StoredText(std::string_view text, size_t width) {
    std::string stored = FileTextToUtf8(Utf8ToFileText(text, width));
    stored.erase(stored.find_last_not_of(' ') + 1);
    return stored;
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::optional<long> WholeNumber(std::string_view text) {
    long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<double> DecimalNumber(std::string_view text) {
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

struct Place {
    int row = 0;
    int column = 0;
};

FormField Field(std::string control, std::string label, std::string name, size_t width, Place p,
                bool readOnly = false) {
    FormField f;
    f.control = std::move(control);
    f.label = std::move(label);
    f.name = std::move(name);
    f.width = width;
    f.row = p.row;
    f.column = p.column;
    f.readOnly = readOnly;
    return f;
}

// A text field of the record; `at` is a generic lambda giving the member for a const or a
// mutable record.
template <class At>
FormField Text(std::string control, std::string label, std::string name, size_t width, Place p,
               At at) {
    FormField f = Field(std::move(control), std::move(label), std::move(name), width, p);
    f.read = [at](const PersonRecord& r) { return std::string(at(r)); };
    f.write = [at, width](PersonRecord& r, std::string_view text) -> std::string {
        if (HasControlCharacters(text)) return "the text holds control characters";
        at(r) = StoredText(text, width);
        return {};
    };
    return f;
}

template <class At>
FormField Date(std::string control, std::string label, std::string name, Place p, At at) {
    FormField f = Field(std::move(control), std::move(label), std::move(name), 10, p);
    f.read = [at](const PersonRecord& r) { return DateFieldText(at(r)); };
    f.write = [at](PersonRecord& r, std::string_view text) { return ParseDateField(text, at(r)); };
    return f;
}

FormField BirthDateField(Place p) {
    FormField f = Field("txtBirthDate", "Birth Date", "Birth date", 10, p);
    f.read = [](const PersonRecord& r) { return DateFieldText(r.birthDate); };
    f.write = [](PersonRecord& r, std::string_view text) {
        double serial = MissingDateSerial;
        if (std::string why = ParseDateField(text, serial); !why.empty()) return why;
        r.birthDate = serial;
        auto date = PresentDate(serial);
        r.birthDateForSorting = date ? IsoDateText(*date) : "";
        return std::string();
    };
    return f;
}

// A byte field holding lo..hi; an empty text stands for 0, the value of a blank record.
FormField ByteField(std::string control, std::string label, int lo, int hi, Place p,
                    uint8_t PersonRecord::*member) {
    FormField f = Field(std::move(control), label, label, 2, p);
    f.read = [member](const PersonRecord& r) {
        return r.*member == 0 && member == &PersonRecord::birthHour ? std::string()
                                                                    : std::to_string(r.*member);
    };
    f.write = [member, lo, hi](PersonRecord& r, std::string_view text) -> std::string {
        text = TrimBlanks(text);
        if (text.empty()) {
            r.*member = 0;
            return {};
        }
        auto value = WholeNumber(text);
        if (!value || *value < lo || *value > hi)
            return Quoted(text) + " is not a whole number from " + std::to_string(lo) + " to " +
                   std::to_string(hi);
        r.*member = static_cast<uint8_t>(*value);
        return {};
    };
    return f;
}

FormField AmPmField(Place p) {
    FormField f = Field("txtBirthAM_PM", "AM/PM", "AM/PM", 2, p);
    f.read = [](const PersonRecord& r) { return r.amPm; };
    f.write = [](PersonRecord& r, std::string_view text) -> std::string {
        std::string upper(TrimBlanks(text));
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (!upper.empty() && upper != "AM" && upper != "PM")
            return Quoted(text) + " is neither AM nor PM";
        r.amPm = upper;
        return {};
    };
    return f;
}

FormField ZoneField(Place p) {
    FormField f = Field("txtBirthTZ", "Time Zone", "Time zone", 6, p);
    f.read = [](const PersonRecord& r) { return NumberText(r.timeZone); };
    f.write = [](PersonRecord& r, std::string_view text) -> std::string {
        text = TrimBlanks(text);
        if (text.empty()) {
            r.timeZone = 0;
            return {};
        }
        auto value = DecimalNumber(text);
        if (!value || std::fabs(*value) > 24)
            return Quoted(text) + " is not a number of hours from -24 to 24";
        r.timeZone = static_cast<float>(*value);
        return {};
    };
    return f;
}

FormField SortDateField(Place p) {
    FormField f = Field("txtBirthDate_for_Sorting", "Birth date for sorting",
                        "Birth date for sorting", 10, p, true);
    f.read = [](const PersonRecord& r) { return r.birthDateForSorting; };
    f.write = [](PersonRecord&, std::string_view) { return std::string(); };
    return f;
}

std::string N(size_t k) {
    return std::to_string(k + 1);
}

std::vector<FormField> PersonFields() {
    return {Text(
                "txtPrimaryName", "Primary Name", "Primary name", 60, {0, 0},
                [](auto& r) -> auto& { return r.primaryName; }),
            Text(
                "txtFirstName", "First Name", "First name", 20, {1, 0},
                [](auto& r) -> auto& { return r.firstName; }),
            Text(
                "txtMiddleName", "Middle Name", "Middle name", 20, {2, 0},
                [](auto& r) -> auto& { return r.middleName; }),
            Text(
                "txtLastName", "Last Name", "Last name", 20, {3, 0},
                [](auto& r) -> auto& { return r.lastName; }),
            Text(
                "txtMemberNumber", "Member Number", "Member number", 6, {4, 0},
                [](auto& r) -> auto& { return r.memberNumber; }),
            Text(
                "txtSex", "Sex", "Sex", 1, {5, 0}, [](auto& r) -> auto& { return r.sex; }),
            BirthDateField({6, 0})};
}

std::vector<FormField> AlternateNameFields() {
    std::vector<FormField> fields;
    for (size_t k = 0; k < 2; ++k) {
        fields.push_back(Text(
            "txtNameChange" + N(k), "Name change " + N(k), "Name change " + N(k), 60,
            {int(k), 0}, [k](auto& r) -> auto& { return r.alternateNames[k].text; }));
        fields.push_back(Date(
            "txtNC" + N(k) + "_Date", "Date", "Date of name change " + N(k),
            {int(k), 1}, [k](auto& r) -> auto& { return r.alternateNames[k].date; }));
    }
    return fields;
}

std::vector<FormField> BirthDataFields() {
    return {ByteField("txtBirthHour", "Birth Hour", 1, 12, {0, 0}, &PersonRecord::birthHour),
            ByteField("txtBirthMinute", "Birth Minute", 0, 59, {1, 0}, &PersonRecord::birthMinute),
            AmPmField({2, 0}),
            ZoneField({3, 0}),
            Text(
                "txtBirthPlace", "Birth Place", "Birth place", 30, {4, 0},
                [](auto& r) -> auto& { return r.birthPlace; }),
            SortDateField({5, 0})};
}

std::vector<FormField> AddressFields() {
    using Member = std::string Address::*;
    const std::array<std::pair<const char*, Member>, 7> parts = {{
        {"Address 1", &Address::address1},
        {"Address 2", &Address::address2},
        {"Address 3", &Address::address3},
        {"City", &Address::city},
        {"State", &Address::state},
        {"Country", &Address::country},
        {"ZIP Code", &Address::zipCode},
    }};
    std::vector<FormField> fields;
    for (size_t k = 0; k < 4; ++k) {
        for (size_t part = 0; part < parts.size(); ++part) {
            std::string label = parts[part].first;
            std::string control = label;
            std::erase(control, ' ');
            const Member member = parts[part].second;
            fields.push_back(Text(
                "txt" + control + "_" + N(k), label + " (" + N(k) + ")",
                label + " of address " + N(k), 30, {int(part), int(k)},
                [ k, member ](auto& r) -> auto& { return r.addresses[k].*member; }));
        }
        fields.push_back(Date(
            "txtEffDate_" + N(k), "Eff. Date (" + N(k) + ")", "Effective date of address " + N(k),
            {7, int(k)}, [k](auto& r) -> auto& { return r.addresses[k].effectiveDate; }));
    }
    return fields;
}

// Five dated texts of one kind side by side: text and date columns `column` and `column + 1`.
template <class List>
void DatedTexts(std::vector<FormField>& fields, const char* control, const char* label,
                size_t width, int column, List list) {
    for (size_t k = 0; k < 5; ++k) {
        const std::string name = std::string(label) + " " + N(k);
        fields.push_back(Text(
            std::string("txt") + control + "_" + N(k), name, name, width, {int(k), column},
            [ k, list ](auto& r) -> auto& { return list(r)[k].text; }));
        fields.push_back(Date(
            std::string("txt") + control + "Date_" + N(k), "Date", "Date of " + name,
            {int(k), column + 1}, [ k, list ](auto& r) -> auto& { return list(r)[k].date; }));
    }
}

std::vector<FormField> PhoneFields() {
    std::vector<FormField> fields;
    DatedTexts(
        fields, "HomePhone", "Home phone", 20, 0, [](auto& r) -> auto& { return r.homePhones; });
    DatedTexts(
        fields, "WorkPhone", "Work phone", 20, 2, [](auto& r) -> auto& { return r.workPhones; });
    DatedTexts(
        fields, "CellPhone", "Cell phone", 20, 4, [](auto& r) -> auto& { return r.cellPhones; });
    return fields;
}

std::vector<FormField> EmailFields() {
    std::vector<FormField> fields;
    DatedTexts(
        fields, "Email", "Email", 60, 0, [](auto& r) -> auto& { return r.emails; });
    return fields;
}

std::vector<FormField> HistoricalDateFields() {
    std::vector<FormField> fields;
    for (size_t k = 0; k < 20; ++k) {
        fields.push_back(Text(
            "txtHistDate_" + N(k), "Date " + N(k), "Historical date " + N(k), 10,
            {int(k), 0}, [k](auto& r) -> auto& { return r.historicalDates[k].date; }));
        fields.push_back(Text(
            "txtHistComment_" + N(k), "Comment", "Comment of historical date " + N(k), 60,
            {int(k), 1}, [k](auto& r) -> auto& { return r.historicalDates[k].comment; }));
    }
    return fields;
}

std::vector<FormField> HistoricalDataFields() {
    std::vector<FormField> fields;
    for (size_t k = 0; k < 30; ++k) {
        fields.push_back(Text(
            "txtDataComment_" + N(k), "Label " + N(k), "Label of historical data " + N(k), 15,
            {int(k), 0}, [k](auto& r) -> auto& { return r.historicalData[k].comment; }));
        fields.push_back(Text(
            "txtData_" + N(k), "Data", "Historical data " + N(k), 30,
            {int(k), 1}, [k](auto& r) -> auto& { return r.historicalData[k].data; }));
    }
    return fields;
}

std::vector<FormField> CommentFields() {
    std::vector<FormField> fields;
    for (size_t k = 0; k < 20; ++k) {
        fields.push_back(Text(
            "txtComment_" + N(k), "Comment " + N(k), "Comment " + N(k), 120,
            {int(k), 0}, [k](auto& r) -> auto& { return r.comments[k]; }));
    }
    return fields;
}

struct SubRecordTexts {
    RecordForm form;
    std::string_view button;
    std::string_view window;
    std::string_view caption;
};

constexpr std::array<SubRecordTexts, 8> kSubRecords = {{
    {RecordForm::AlternateNames, "Alternate Name", "display_personal_names",
     "Name changes - records in database = "},
    {RecordForm::BirthData, "Birth Data", "display_personal_birth",
     "Birth data changes - records in database = "},
    {RecordForm::Addresses, "Address", "display_personal_address",
     "Address changes - records in database = "},
    {RecordForm::Phones, "Phone", "display_personal_phone",
     "Phone changes - records in database = "},
    {RecordForm::Emails, "Email", "display_personal_email",
     "Email changes - records in database = "},
    {RecordForm::HistoricalDates, "Historical Dates", "display_personal_hist_dates",
     "Historical dates - records in database = "},
    {RecordForm::HistoricalData, "Historical Data", "display_personal_hist_data",
     "Numeric historical data - records in database = "},
    {RecordForm::Comments, "Comments", "display_personal_comments",
     "Comments - records in database = "},
}};

constexpr std::array<RecordForm, 8> kSubRecordForms = {
    RecordForm::AlternateNames, RecordForm::BirthData, RecordForm::Addresses,
    RecordForm::Phones,         RecordForm::Emails,    RecordForm::HistoricalDates,
    RecordForm::HistoricalData, RecordForm::Comments};

const SubRecordTexts& TextsOf(RecordForm form) {
    auto it = std::find_if(kSubRecords.begin(), kSubRecords.end(),
                           [form](const SubRecordTexts& t) { return t.form == form; });
    return it == kSubRecords.end() ? kSubRecords.front() : *it;
}

}  // namespace

const std::vector<FormField>& FormFields(RecordForm form) {
    static const std::map<RecordForm, std::vector<FormField>> forms = {
        {RecordForm::Person, PersonFields()},
        {RecordForm::AlternateNames, AlternateNameFields()},
        {RecordForm::BirthData, BirthDataFields()},
        {RecordForm::Addresses, AddressFields()},
        {RecordForm::Phones, PhoneFields()},
        {RecordForm::Emails, EmailFields()},
        {RecordForm::HistoricalDates, HistoricalDateFields()},
        {RecordForm::HistoricalData, HistoricalDataFields()},
        {RecordForm::Comments, CommentFields()},
    };
    return forms.at(form);
}

std::span<const RecordForm> SubRecordForms() {
    return kSubRecordForms;
}

std::string_view SubRecordButton(RecordForm form) {
    return TextsOf(form).button;
}

std::string_view SubRecordWindowName(RecordForm form) {
    return TextsOf(form).window;
}

std::string SubRecordCaption(RecordForm form, long count) {
    return std::string(TextsOf(form).caption) + std::to_string(count);
}

const FormField* FindFormField(RecordForm form, std::string_view control) {
    for (const FormField& field : FormFields(form))
        if (field.control == control) return &field;
    return nullptr;
}

std::string DateFieldText(double serial) {
    auto date = PresentDate(serial);
    return date ? UsDateText(*date) : "";
}

std::string ParseDateField(std::string_view text, double& serial) {
    text = TrimBlanks(text);
    if (text.empty()) {
        serial = MissingDateSerial;
        return {};
    }
    std::string error;
    auto date = ParseListDate(text, error);
    if (!date) return error;
    serial = DateToSerial(*date);
    return {};
}

}  // namespace quintaro
