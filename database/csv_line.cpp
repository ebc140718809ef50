// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/csv_line.h"

#include "setup/file_lines.h"

namespace quintaro {

std::optional<std::vector<std::string>> SplitCsvLine(std::string_view line, std::string& error) {
    std::vector<std::string> values;
    size_t at = 0;
    while (true) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
        std::string value;
        if (at < line.size() && line[at] == '"') {
            ++at;
            while (true) {
                if (at >= line.size()) {
                    error = "a quoted value is not closed";
                    return std::nullopt;
                }
                if (line[at] == '"') {
                    if (at + 1 < line.size() && line[at + 1] == '"') {
                        value += '"';
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                value += line[at++];
            }
            while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
            if (at < line.size() && line[at] != ',') {
                error =
                    "text follows the closing quote of value " + std::to_string(values.size() + 1);
                return std::nullopt;
            }
        } else {
            size_t comma = line.find(',', at);
            value = TrimBlanks(
                line.substr(at, comma == std::string_view::npos ? line.npos : comma - at));
            at = comma == std::string_view::npos ? line.size() : comma;
        }
        values.push_back(std::move(value));
        if (at >= line.size()) break;
        ++at;  // the comma
    }
    return values;
}

std::string CsvValue(std::string_view value) {
    bool quote = value.find_first_of(",\"") != std::string_view::npos ||
                 (!value.empty() && (value.front() == ' ' || value.back() == ' '));
    if (!quote) return std::string(value);
    std::string out = "\"";
    for (char c : value) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace quintaro
