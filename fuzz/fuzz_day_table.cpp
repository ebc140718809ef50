// SPDX-License-Identifier: AGPL-3.0-or-later
// Feeds arbitrary bytes to the day-table parser: it must never read outside the text, and on
// success every number it gives must be finite.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/day_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<float> out;
    for (std::size_t count : {std::size_t{1}, std::size_t{5}, std::size_t{64}}) {
        std::string error = quintaro::ParseDayTable(text, count, out);
        if (out.size() != count) __builtin_trap();
        if (error.empty()) {
            for (float value : out) {
                if (!std::isfinite(value)) __builtin_trap();
            }
        }
    }
    return 0;
}
