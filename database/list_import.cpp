// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/list_import.h"

#include <algorithm>
#include <charconv>

#include "core/atomic_file.h"
#include "core/formatting.h"
#include "database/apd_file.h"
#include "database/csv_line.h"
#include "database/record_layout.h"
#include "setup/file_lines.h"

namespace quintaro {

namespace {

constexpr size_t kListSizeLimit = size_t{256} << 20;
constexpr size_t kShownLineLength = 200;

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsDecimal(std::string_view text) {
    if (!text.empty() && text.front() == '-') text.remove_prefix(1);
    size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == text.npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() && fraction.empty()) return false;
    return (whole.empty() || AllDigits(whole)) && (fraction.empty() || AllDigits(fraction));
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Innings in thirds: "6.2" is 6 2/3; nothing for a text that is not box-score innings.
std::optional<double> Innings(std::string_view text) {
    size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    if (!AllDigits(whole)) return std::nullopt;
    int outs = 0;
    if (point != text.npos) {
        std::string_view rest = text.substr(point + 1);
        if (rest.size() != 1 || rest[0] < '0' || rest[0] > '2') return std::nullopt;
        outs = rest[0] - '0';
    }
    double innings = 0;
    std::from_chars(whole.data(), whole.data() + whole.size(), innings);
    return innings + outs / 3.0;
}

double Number(std::string_view text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// Checks one value against its column; the date columns come back as "mm/dd/yyyy".
bool CheckValue(const ListColumn& column, std::string& value, std::string& error) {
    auto fail = [&](const std::string& what) {
        error = "the " + std::string(column.label) + " \"" + value + "\" " + what;
        return false;
    };
    bool control = std::any_of(value.begin(), value.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    if (control) {
        error = "the " + std::string(column.label) + " holds control characters";
        return false;
    }
    if (value.empty()) {
        if (column.kind == ColumnKind::Name) {
            error = "the " + std::string(column.label) + " is empty";
            return false;
        }
        return true;
    }
    switch (column.kind) {
        case ColumnKind::Name:
        case ColumnKind::Text:
            return true;
        case ColumnKind::Whole:
            return AllDigits(value) || fail("is not a whole number");
        case ColumnKind::Decimal:
            return IsDecimal(value) || fail("is not a number");
        case ColumnKind::Innings:
            return Innings(value).has_value() || fail("is not a number of innings such as 6.2");
        case ColumnKind::BirthDate:
        case ColumnKind::Date: {
            std::string why;
            auto date = ParseListDate(value, why);
            if (!date) {
                error = "the " + std::string(column.label) + ": " + why;
                return false;
            }
            value = UsDateText(*date);
            return true;
        }
    }
    return true;
}

std::string StoredText(const StoredValue& stored, const ListDefinition& list,
                       const std::vector<std::string>& values) {
    auto valueOf = [&](std::string_view label) -> const std::string& {
        static const std::string none;
        for (size_t i = 0; i < list.columns.size(); ++i)
            if (list.columns[i].label == label) return values[i];
        return none;
    };
    const std::string& value = valueOf(stored.column);
    if (stored.perColumn.empty()) return value;
    const std::string& per = valueOf(stored.perColumn);
    // A ratio without both parts, or over no innings, cannot be computed: it stays blank.
    if (value.empty() || per.empty()) return {};
    auto divisor = Innings(per);
    if (!divisor || *divisor == 0) return {};
    return FormatNumber(Number(value) / *divisor, "0.00");
}

std::string ShownLine(std::string_view line) {
    if (line.size() <= kShownLineLength) return std::string(line);
    return std::string(line.substr(0, kShownLineLength)) + " ...";
}

struct Line {
    size_t number;  // from 1, as an editor counts
    std::string_view text;
};

// The lines that hold records: blank lines and a heading line are passed over.
std::vector<Line> RecordLines(const ListDefinition& list, std::string_view text) {
    std::vector<Line> lines;
    size_t number = 0;
    bool first = true;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++number;
        if (!TrimBlanks(line).empty()) {
            if (!(first && IsListHeading(list, line))) lines.push_back({number, line});
            first = false;
        }
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::string BadLineText(const std::filesystem::path& list, const Line& bad,
                        const std::string& reason, const PersonRecord* lastGood) {
    std::string text = "Your data file has errors, so I cannot continue.\n";
    text += list.filename().string() + ", line " + std::to_string(bad.number) + ": " + reason +
            ".\n\nThe last good record was:\n";
    if (lastGood) {
        auto date = PresentDate(lastGood->birthDate);
        text += "ID = " + lastGood->memberNumber + "\nName = " + lastGood->primaryName +
                "\nBirthdate = " + (date ? UsDateText(*date) : std::string()) + "\n";
    } else {
        text += "(none)\n";
    }
    text += "\nThe current bad record is:\n" + ShownLine(bad.text);
    return text;
}

}  // namespace

bool IsListHeading(const ListDefinition& list, std::string_view line) {
    std::string error;
    auto values = SplitCsvLine(line, error);
    if (!values || values->empty()) return false;
    std::string_view first = (*values)[0];
    std::string_view label = list.columns.front().label;
    return std::equal(first.begin(), first.end(), label.begin(), label.end(),
                      [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

std::optional<ListEntry> ParseListLine(const ListDefinition& list, std::string_view line,
                                       std::string& error) {
    auto values = SplitCsvLine(line, error);
    if (!values) return std::nullopt;
    if (values->size() != list.columns.size()) {
        error = "expected " + std::to_string(list.columns.size()) + " values (";
        for (size_t i = 0; i < list.columns.size(); ++i)
            error += (i ? ", " : "") + std::string(list.columns[i].label);
        error += "), found " + std::to_string(values->size());
        return std::nullopt;
    }
    for (size_t i = 0; i < values->size(); ++i)
        if (!CheckValue(list.columns[i], (*values)[i], error)) return std::nullopt;
    ListEntry entry;
    entry.name = (*values)[0];
    if (!(*values)[1].empty()) {
        std::string ignored;
        entry.birthDate = ParseListDate((*values)[1], ignored);
    }
    for (const StoredValue& stored : list.stored)
        entry.values.push_back(StoredText(stored, list, *values));
    return entry;
}

PersonRecord RecordFromListEntry(const ListDefinition& list, const ListEntry& entry,
                                 long recordNumber, std::string recordKey) {
    PersonRecord r = BlankRecord();
    r.recordKey = std::move(recordKey);
    r.memberNumber = std::to_string(recordNumber);
    if (list.people) {
        NameParts parts = SplitFullName(entry.name);
        r.firstName = std::move(parts.firstName);
        r.lastName = std::move(parts.lastName);
        r.primaryName = std::move(parts.primaryName);
    } else {
        r.primaryName = entry.name;
    }
    if (entry.birthDate) {
        r.birthDate = DateToSerial(*entry.birthDate);
        r.birthDateForSorting = IsoDateText(*entry.birthDate);
    }
    r.birthHour = list.birthHour;
    r.birthMinute = list.birthMinute;
    r.amPm = list.amPm;
    r.timeZone = list.zone;
    for (size_t i = 0; i < list.stored.size() && i < r.historicalData.size(); ++i)
        r.historicalData[i] = {entry.values[i], std::string(list.stored[i].label)};
    return r;
}

void AddListNotes(PersonRecord& first, const ListDefinition& list, std::string_view sourceName) {
    first.emails[3].text = list.title;
    first.emails[4].text = "Imported from " + std::string(sourceName);
}

ImportOutcome ImportList(ListKind kind, const std::filesystem::path& list,
                         const std::filesystem::path& database, Messages& messages,
                         const RandomUnit& random, const Progress& progress) {
    const ListDefinition& definition = ListDefinitionOf(kind);
    ImportOutcome outcome;
    auto fail = [&](std::string text) {
        messages.show("Warning!", text, MessageIcon::Exclamation);
        outcome.error = std::move(text);
        return outcome;
    };
    std::error_code ec;
    if (!std::filesystem::is_regular_file(list, ec))
        return fail("Cannot read the list " + list.string() + ": it does not exist or is no file.");
    if (std::filesystem::file_size(list, ec) > kListSizeLimit)
        return fail("The list " + list.string() + " is too big (over 256 MB) to be a list.");
    std::string text;
    if (!ReadWholeFile(list, text)) return fail("Cannot read the list " + list.string() + ".");
    std::vector<Line> lines = RecordLines(definition, text);
    if (lines.empty())
        return fail("The list " + list.string() + " holds no lines; no database was created.");

    ApdWriter writer(database);
    PersonRecord last;
    const std::string progressText = "Importing " + list.filename().string();
    const long total = static_cast<long>(lines.size());
    for (const Line& line : lines) {
        std::string reason;
        auto entry = ParseListLine(definition, line.text, reason);
        if (!entry) {
            outcome.badLine = true;
            outcome.error = BadLineText(list, line, reason, writer.count() ? &last : nullptr);
            break;
        }
        last = RecordFromListEntry(definition, *entry, writer.count() + 1, MakeRecordKey(random));
        if (writer.count() == 0) AddListNotes(last, definition, list.filename().string());
        if (!writer.add(last))
            return fail("Cannot write " + database.string() + ": " + writer.error());
        if (!ReportProgress(progress, progressText, writer.count(), total)) {
            outcome.cancelled = true;
            messages.show(progressText, "Operation stopped by user", MessageIcon::Information);
            outcome.error = "Operation stopped by user";
            return outcome;
        }
    }
    if (writer.count() > 0) {
        if (std::string error = writer.commit(); !error.empty())
            return fail("Cannot write " + database.string() + ": " + error);
        outcome.records = writer.count();
    }
    if (outcome.badLine) {
        const std::string kept = outcome.records == 1 ? "The record before it is kept in "
                                                      : "The " + std::to_string(outcome.records) +
                                                            " records before it are kept in ";
        outcome.error += outcome.records > 0 ? "\n\n" + kept + database.filename().string() + "."
                                             : "\n\nNo database was created.";
        messages.show(std::string(kBadListTitle), outcome.error, MessageIcon::Critical);
    }
    return outcome;
}

}  // namespace quintaro
