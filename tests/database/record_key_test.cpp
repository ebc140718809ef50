// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/record_key.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <vector>

namespace quintaro {
namespace {

// Hands out the given numbers in turn.
RandomUnit Sequence(std::vector<double> values) {
    auto at = std::make_shared<size_t>(0);
    return [values, at] { return values[(*at)++ % values.size()]; };
}

TEST(RecordKey, DrawsAgainOnTheCodesBetweenDigitsAndLetters) {
    // Int(x * 42 + 49): 0 -> 49 "1", 0.2 -> 57 "9", 0.22 -> 58 (again), 0.38 -> 64 (again),
    // 0.39 -> 65 "A", 0.999 -> 90 "Z".
    auto random = Sequence({0.0, 0.22, 0.2, 0.38, 0.39, 0.999});
    EXPECT_EQ(MakeRecordKey(random), "19AZ19AZ19AZ19AZ");
}

TEST(RecordKey, SystemKeysUseDigitsOneToNineAndCapitals) {
    RandomUnit random = SystemRandomUnit();
    std::set<std::string> keys;
    for (int i = 0; i < 200; ++i) {
        std::string key = MakeRecordKey(random);
        EXPECT_TRUE(std::regex_match(key, std::regex("[1-9A-Z]{16}"))) << key;
        keys.insert(key);
    }
    EXPECT_EQ(keys.size(), 200u);
}

TEST(NameSplit, AtTheFirstBlank) {
    struct Case {
        const char* full;
        const char* first;
        const char* last;
        const char* primary;
    };
    const Case cases[] = {
        {"Orrin Feldcastle", "Orrin", "Feldcastle", "Feldcastle, Orrin"},
        {"Mary Ann Lee", "Mary", "Ann Lee", "Ann Lee, Mary"},
        {"Quenby", "Quenby", "", ", Quenby"},
    };
    for (const Case& c : cases) {
        NameParts parts = SplitFullName(c.full);
        EXPECT_EQ(parts.firstName, c.first) << c.full;
        EXPECT_EQ(parts.lastName, c.last) << c.full;
        EXPECT_EQ(parts.primaryName, c.primary) << c.full;
    }
}

}  // namespace
}  // namespace quintaro
