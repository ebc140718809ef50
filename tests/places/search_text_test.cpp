// SPDX-License-Identifier: AGPL-3.0-or-later
#include "places/search_text.h"

#include <gtest/gtest.h>

namespace quintaro {
namespace {

TEST(FoldForSearch, IgnoresCaseAccentsAndPunctuation) {
    const std::pair<const char*, const char*> cases[] = {
        {"Zürich", "zurich"},
        {"ZÜRICH", "zurich"},
        {"Zu\xcc\x88rich", "zurich"},  // u and a combining diaeresis
        {"São Paulo", "sao paulo"},
        {"Saint-Étienne", "saint etienne"},
        {"Straße", "strasse"},
        {"Łódź", "lodz"},
        {"Ærøskøbing", "aeroskobing"},
        {"Þórshöfn", "thorshofn"},
        {"İstanbul", "istanbul"},
        {"Raʼs al Khaymah", "ras al khaymah"},
        {"O'Fallon", "ofallon"},
        {"St. Louis", "st louis"},
        {"  New   York ", "new york"},
        {"Москва", "москва"},  // other scripts keep their letters, in lower case
        {"", ""},
        {"--", ""},
    };
    for (const auto& [text, folded] : cases) EXPECT_EQ(FoldForSearch(text), folded) << text;
}

TEST(FoldForSearch, TakesTextThatIsNotUtf8AsLatin1) {
    EXPECT_EQ(FoldForSearch("Z\xfcrich"), "zurich");
    EXPECT_EQ(FoldForSearch("\xe9t\xe9"), "ete");
}

TEST(EditDistance, CountsEditsAndSwaps) {
    EXPECT_EQ(EditDistance("london", "london"), 0);
    EXPECT_EQ(EditDistance("london", "londn"), 1);
    EXPECT_EQ(EditDistance("london", "lodnon"), 1);  // two letters swapped
    EXPECT_EQ(EditDistance("nwe yrok", "new york"), 2);
    EXPECT_EQ(EditDistance("", "abc"), 3);
    EXPECT_EQ(EditDistance("kitten", "sitting"), 3);
}

}  // namespace
}  // namespace quintaro
