// SPDX-License-Identifier: AGPL-3.0-or-later
#include "trading/price_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/atomic_file.h"
#include "core/formatting.h"
#include "setup/file_lines.h"

namespace quintaro {

namespace {

constexpr std::array<std::string_view, PriceColumnCount> kColumnNames = {
    "date", "high", "low", "close", "open", "volume", "open interest"};

// Prices and volumes beyond this are taken for damage; it also keeps every pivot level finite.
constexpr double kLargestValue = 1e15;

// A decimal number that is the whole text (blanks around it allowed).
std::optional<double> Decimal(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty()) return std::nullopt;
    if (text.front() == '+') text.remove_prefix(1);
    double value = 0;
    auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || end != text.data() + text.size() ||
        !(std::fabs(value) <= kLargestValue))
        return std::nullopt;
    return value;
}

// What is wrong with a price or volume text, for a message: empty when it is a usable number.
std::string ValueProblem(std::string_view name, std::string_view value) {
    if (Decimal(value)) return {};
    std::string problem = "the " + std::string(name) + " \"" + std::string(value) + "\" ";
    double parsed = 0;
    std::string_view t = TrimBlanks(value);
    auto [end, ec] =
        std::from_chars(t.data(), t.data() + t.size(), parsed, std::chars_format::fixed);
    bool tooLarge =
        (ec == std::errc::result_out_of_range || (ec == std::errc() && std::isfinite(parsed))) &&
        end == t.data() + t.size() && !t.empty();
    return problem + (tooLarge ? "is too large for a price or volume" : "is not a number");
}

bool IsCalendarDate(int year, int month, int day) {
    return year >= 1000 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

// "yyyymmdd" as a date.
std::optional<CivilDate> EightDigitDate(std::string_view text) {
    text = TrimBlanks(text);
    if (text.size() != 8 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    auto number = [&](size_t at, size_t length) {
        int value = 0;
        std::from_chars(text.data() + at, text.data() + at + length, value);
        return value;
    };
    CivilDate date{number(0, 4), number(4, 2), number(6, 2)};
    if (!IsCalendarDate(date.year, date.month, date.day)) return std::nullopt;
    return date;
}

std::string UsDate(const CivilDate& d) {
    return FormatDate({d.year, d.month, d.day}, "mm/dd/yyyy");
}

std::vector<std::string_view> SplitCommas(std::string_view line) {
    std::vector<std::string_view> values;
    while (true) {
        size_t comma = line.find(',');
        values.push_back(line.substr(0, comma));
        if (comma == std::string_view::npos) return values;
        line.remove_prefix(comma + 1);
    }
}

// One line into one row; on failure the reason.
std::optional<PriceRow> ParsePriceLine(std::string_view line, PriceFileKind kind,
                                       std::string& error) {
    std::vector<std::string_view> values = SplitCommas(line);
    const size_t expected = static_cast<size_t>(PriceValueCount(kind));
    if (values.size() != expected) {
        error = (values.size() < expected ? "too few values: " : "too many values: ") +
                std::to_string(values.size()) + " instead of " + std::to_string(expected);
        return std::nullopt;
    }
    PriceRow row;
    auto date = EightDigitDate(values[0]);
    if (!date) {
        error = "the date \"" + std::string(TrimBlanks(values[0])) +
                "\" is not eight digits yyyymmdd of a calendar date";
        return std::nullopt;
    }
    row.date = *date;
    row.cells[DateColumn] = UsDate(*date);
    for (size_t i = 1; i < values.size(); ++i) {
        std::string_view value = TrimBlanks(values[i]);
        row.cells[i] = std::string(value);
        if (i == OpenInterestColumn && value.empty()) continue;
        if (std::string problem = ValueProblem(kColumnNames[i], value); !problem.empty()) {
            error = problem;
            return std::nullopt;
        }
    }
    row.high = *Decimal(row.cells[HighColumn]);
    row.low = *Decimal(row.cells[LowColumn]);
    row.close = *Decimal(row.cells[CloseColumn]);
    return row;
}

}  // namespace

int PriceValueCount(PriceFileKind kind) {
    return kind == PriceFileKind::Futures ? 7 : 6;
}

std::optional<PriceFileKind> PriceFileKindOf(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".prn") return PriceFileKind::Futures;
    if (extension == ".csf") return PriceFileKind::Stock;
    return std::nullopt;
}

std::optional<PriceTable> ParsePriceFile(std::string_view text, PriceFileKind kind,
                                         std::string_view fileName, std::string& error) {
    PriceTable table;
    table.fileName = fileName;
    table.kind = kind;
    size_t lineNumber = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (TrimBlanks(line).empty()) continue;
        std::string reason;
        auto row = ParsePriceLine(TrimBlanks(line), kind, reason);
        if (!row) {
            error = std::string(fileName) + ", line " + std::to_string(lineNumber) + ": " + reason;
            return std::nullopt;
        }
        table.rows.push_back(std::move(*row));
    }
    return table;
}

std::optional<PriceTable> LoadPriceFile(const std::filesystem::path& file, std::string& error) {
    auto kind = PriceFileKindOf(file);
    if (!kind) {
        error = file.string() + " is not a price file (.prn or .csf)";
        return std::nullopt;
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        error = file.string() + " does not exist or is no file";
        return std::nullopt;
    }
    if (std::filesystem::file_size(file, ec) > PriceFileSizeLimit) {
        error = file.string() + " is too big (over 64 MB) to be a price file";
        return std::nullopt;
    }
    std::string text;
    if (!ReadWholeFile(file, text)) {
        error = "cannot read " + file.string();
        return std::nullopt;
    }
    return ParsePriceFile(text, *kind, file.filename().string(), error);
}

std::optional<std::string> PriceLine(const PriceEntry& entry, PriceFileKind kind,
                                     std::string& error) {
    for (int i = 0; i < 5; ++i) {
        if (TrimBlanks(entry.values[i]).empty()) {
            error = "the " + std::string(kColumnNames[i + 1]) + " is not filled in";
            return std::nullopt;
        }
    }
    auto whole = [](const std::string& text) -> std::optional<int> {
        std::string_view t = TrimBlanks(text);
        int value = 0;
        auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
        if (t.empty() || ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
        return value;
    };
    auto year = whole(entry.year), month = whole(entry.month), day = whole(entry.day);
    if (!year || !month || !day || !IsCalendarDate(*year, *month, *day)) {
        error = "the date " + entry.month + "/" + entry.day + "/" + entry.year +
                " is not a calendar date";
        return std::nullopt;
    }
    const int valueCount = PriceValueCount(kind) - 1;
    if (kind == PriceFileKind::Stock && !TrimBlanks(entry.values[5]).empty()) {
        error = "a stock file (.csf) holds no open interest";
        return std::nullopt;
    }
    char date[40];
    std::snprintf(date, sizeof date, "%04d%02d%02d", *year, *month, *day);
    std::string line = date;
    for (int i = 0; i < valueCount; ++i) {
        std::string_view value = TrimBlanks(entry.values[i]);
        if (!value.empty()) {
            if (std::string problem = ValueProblem(kColumnNames[i + 1], value); !problem.empty()) {
                error = problem;
                return std::nullopt;
            }
        }
        line += ",";
        line += value;
    }
    return line;
}

std::string AppendPriceDay(const std::filesystem::path& file, const PriceEntry& entry) {
    auto kind = PriceFileKindOf(file);
    if (!kind) return file.string() + " is not a price file (.prn or .csf)";
    std::string error;
    auto line = PriceLine(entry, *kind, error);
    if (!line) return error + "; nothing was written";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return file.string() + " does not exist; create it first";
    std::string content;
    if (!ReadWholeFile(file, content)) return "cannot read " + file.string();
    // New lines end as the file's first line does.
    size_t firstBreak = content.find('\n');
    const char* lineEnd =
        firstBreak != std::string::npos && firstBreak > 0 && content[firstBreak - 1] == '\r'
            ? "\r\n"
            : "\n";
    if (!content.empty() && content.back() != '\n') content += lineEnd;
    content += *line + lineEnd;
    return WriteFileAtomically(file, content);
}

std::string CreatePriceFile(const std::filesystem::path& file) {
    if (!PriceFileKindOf(file)) return file.string() + " is not a price file name (.prn or .csf)";
    std::error_code ec;
    if (std::filesystem::exists(file, ec)) return file.string() + " exists already";
    return WriteFileAtomically(file, "");
}

}  // namespace quintaro
