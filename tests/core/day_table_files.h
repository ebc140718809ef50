// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Writes day-table files for tests: the four files of a body with values given by a function of
// the record number, one number per line.

#include <charconv>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "core/day_tables.h"

namespace quintaro::test {

using RecordValue = std::function<double(DayKind kind, int record)>;  // record 1..count

inline void WriteDayTableFile(const std::filesystem::path& path, int count,
                              const std::function<double(int)>& value) {
    std::string text;
    text.reserve(static_cast<std::size_t>(count) * 12);
    char number[64];
    for (int record = 1; record <= count; ++record) {
        char* end = std::to_chars(number, number + sizeof number - 1, value(record),
                                  std::chars_format::fixed, 6)
                        .ptr;
        *end++ = '\n';
        text.append(number, end);
    }
    std::ofstream(path, std::ios::binary) << text;
}

inline void WriteBodyTables(const std::filesystem::path& folder, const std::string& body,
                            DayPeriod period, const RecordValue& value) {
    std::filesystem::create_directories(folder);
    int count = period == DayPeriod::From1900 ? Count1900 : Count1750;
    for (DayKind kind : AllDayKinds) {
        WriteDayTableFile(folder / DayTableFileName(body, kind, period), count,
                          [&](int record) { return value(kind, record); });
    }
}

// Distinct, exactly representable values: kind · 100 + (record mod 2048) / 8, so a mix-up of
// kinds or records shows.
inline double DistinctValue(DayKind kind, int record) {
    return static_cast<int>(kind) * 100 + (record % 2048) / 8.0;
}

}  // namespace quintaro::test
