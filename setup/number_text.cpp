// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace quintaro {

namespace {

template <typename T>
std::string Shortest(T value) {
    if (!std::isfinite(value)) value = 0;
    if (value == 0) return " 0";  // also for -0
    char buffer[400];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (ec != std::errc()) return " 0";
    std::string digits(buffer, end);
    return value > 0 ? " " + digits : digits;
}

}  // namespace

std::string BlankSignedNumber(double value) {
    return Shortest(value);
}
std::string BlankSignedNumber(float value) {
    return Shortest(value);
}

std::string BlankSignedNumber(long long value) {
    return value >= 0 ? " " + std::to_string(value) : std::to_string(value);
}

std::optional<long long> RoundToRange(double value, long long lowest, long long highest) {
    if (!std::isfinite(value)) return std::nullopt;
    double rounded = std::round(value);
    // Halves go to the even neighbour (2.5 gives 2, 3.5 gives 4).
    if (std::fabs(value - std::trunc(value)) == 0.5 && std::fmod(rounded, 2.0) != 0)
        rounded -= std::copysign(1.0, value);
    if (rounded < static_cast<double>(lowest) || rounded > static_cast<double>(highest))
        return std::nullopt;
    return static_cast<long long>(rounded);
}

std::optional<float> ToSingle(double value) {
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(value);
}

}  // namespace quintaro
