// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/aspectarian_csv.h"

#include <initializer_list>

namespace quintaro {

namespace {

std::string Row(std::initializer_list<std::string_view> fields) {
    std::string row;
    for (std::string_view field : fields) {
        if (!row.empty()) row += ',';
        row += CsvField(field);
    }
    return row + "\r\n";
}

}  // namespace

std::string CsvField(std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(field);
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string AttCsv(const AttFile& file) {
    std::string csv = Row({"Date", "Time", "Body 1", "Event", "Body 2", "Run"});
    for (const AttLine& line : file.lines) {
        auto parts = SplitEventText(line.eventText);
        if (!parts) parts = EventParts{"", line.eventText, ""};
        csv += Row({IsoDate(line.stamp.date), StampTime(line.stamp), parts->body1, parts->event,
                    parts->body2, AttMarker(line.subject)});
    }
    return csv;
}

}  // namespace quintaro
