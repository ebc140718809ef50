// SPDX-License-Identifier: AGPL-3.0-or-later
// Price files: the first byte chooses ".prn" or ".csf", the rest is the file. A file that loads
// gives rows whose pivot levels are all finite numbers, and each row written as an appended line
// loads back as the same row.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "trading/pivots.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quintaro;
    if (size == 0) return 0;
    PriceFileKind kind = data[0] % 2 ? PriceFileKind::Futures : PriceFileKind::Stock;
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string error;
    auto table = ParsePriceFile(text, kind, "fuzz", error);
    if (!table) {
        if (error.rfind("fuzz, line ", 0) != 0) std::abort();
        return 0;
    }
    PivotView view = OpenPivotView(*table);
    while (!table->rows.empty()) {
        for (double level : LevelValues(*CurrentLevels(view)))
            if (!std::isfinite(level)) std::abort();
        FormatLevels(*CurrentLevels(view));
        if (!StepDataPoint(view, -1)) break;
    }
    for (const PriceRow& row : table->rows) {
        PriceEntry entry{std::to_string(row.date.month),
                         std::to_string(row.date.day),
                         std::to_string(row.date.year),
                         {}};
        for (int i = 0; i < 6; ++i) entry.values[i] = row.cells[i + 1];
        auto line = PriceLine(entry, kind, error);
        if (!line) std::abort();
        auto again = ParsePriceFile(*line, kind, "fuzz", error);
        if (!again || again->rows.size() != 1 || again->rows[0].cells != row.cells) std::abort();
    }
    LastDateLabel(*table);
    return 0;
}
