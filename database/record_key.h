// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quintaro {

// A source of random numbers in [0, 1). Passed in so that tests can fix the sequence.
using RandomUnit = std::function<double()>;
// A source seeded from the system's entropy.
RandomUnit SystemRandomUnit();

inline constexpr size_t RecordKeyLength = 16;

// Sixteen characters, each the code Int(random × 42 + 49) drawn again while it falls on 58 to 64:
// the digits 1 to 9 and the capital letters A to Z.
std::string MakeRecordKey(const RandomUnit& random);

struct NameParts {
    std::string firstName;
    std::string lastName;
    std::string primaryName;  // last name + ", " + first name
};

// Splits a full name at its first blank: before it the first name, after it the last name.
NameParts SplitFullName(std::string_view fullName);

}  // namespace quintaro
