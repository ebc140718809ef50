// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/record_key.h"

#include <memory>
#include <random>

namespace quintaro {

RandomUnit SystemRandomUnit() {
    auto engine = std::make_shared<std::mt19937_64>(std::random_device{}());
    return [engine] { return std::uniform_real_distribution<double>(0.0, 1.0)(*engine); };
}

std::string MakeRecordKey(const RandomUnit& random) {
    std::string key;
    key.reserve(RecordKeyLength);
    while (key.size() < RecordKeyLength) {
        int code = static_cast<int>(random() * 42 + 49);
        // A generator may round up to exactly 1 now and then; such a draw is drawn again too.
        if ((code >= 58 && code <= 64) || code < 49 || code > 90) continue;
        key += static_cast<char>(code);
    }
    return key;
}

NameParts SplitFullName(std::string_view fullName) {
    NameParts parts;
    size_t blank = fullName.find(' ');
    parts.firstName = std::string(fullName.substr(0, blank));
    if (blank != std::string_view::npos) parts.lastName = std::string(fullName.substr(blank + 1));
    parts.primaryName = parts.lastName + ", " + parts.firstName;
    return parts;
}

}  // namespace quintaro
