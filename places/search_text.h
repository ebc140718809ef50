// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quintaro {

// A name as searches compare it: lower case, accents and other marks removed ("Zürich" and
// "ZURICH" both give "zurich"), letters without a decomposition spelled out ("Straße" gives
// "strasse", "Łódź" gives "lodz"), apostrophes dropped and every other run of punctuation or
// blanks one blank ("Saint-Étienne" gives "saint etienne"). Text that is not UTF-8 is taken byte
// by byte as Latin-1.
std::string FoldForSearch(std::string_view text);

// Edit distance of two byte strings: insertions, deletions, substitutions and two neighbouring
// letters swapped count one each.
int EditDistance(std::string_view a, std::string_view b);

}  // namespace quintaro
