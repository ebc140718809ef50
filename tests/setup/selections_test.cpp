// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/selections.h"

#include <gtest/gtest.h>

#include <vector>

namespace quintaro {
namespace {

TEST(SlotOfKey, WholeKeyIgnoringCase) {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    AddFreeSlotBody(catalogue, "apollo");
    const std::vector<std::pair<std::string, int>> cases = {
        {"sun", 1},   {"MARS", 5},   {"Jupiter", 6}, {"mc ", 19}, {"mc", 0},      {"MC ", 19},
        {"jupit", 0}, {"partf", 20}, {"node", 13},   {"", 0},     {"Apollo", 21}, {"unused", 22},
    };
    for (const auto& [key, slot] : cases) EXPECT_EQ(SlotOfKey(catalogue, key), slot) << key;
}

}  // namespace
}  // namespace quintaro
