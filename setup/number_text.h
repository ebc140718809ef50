// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// How the settings and options files write numbers and round what they read back: a leading
// blank for a value of 0 or more and "-" otherwise, digits in plain decimal notation, as few as
// bring back the same value.

#include <cstdint>
#include <optional>
#include <string>

namespace quintaro {

std::string BlankSignedNumber(double value);
std::string BlankSignedNumber(float value);
std::string BlankSignedNumber(long long value);

// A number read from a file rounded to a whole number (halves to even), or nothing when it
// falls outside [lowest, highest].
std::optional<long long> RoundToRange(double value, long long lowest, long long highest);

inline std::optional<int16_t> RoundToInt16(double value) {
    auto rounded = RoundToRange(value, INT16_MIN, INT16_MAX);
    return rounded ? std::optional<int16_t>(static_cast<int16_t>(*rounded)) : std::nullopt;
}

inline std::optional<int32_t> RoundToInt32(double value) {
    auto rounded = RoundToRange(value, INT32_MIN, INT32_MAX);
    return rounded ? std::optional<int32_t>(static_cast<int32_t>(*rounded)) : std::nullopt;
}

// A number read from a file as a single-precision value, or nothing when it does not fit.
std::optional<float> ToSingle(double value);

}  // namespace quintaro
