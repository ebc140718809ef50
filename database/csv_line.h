// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quintaro {

// The values of one comma-separated line. A value may be quoted ("Smith, Jr.") with "" standing
// for a quote inside; blanks around a value are dropped. Nothing, with the reason, when a quote
// is not closed or text follows a closing quote.
std::optional<std::vector<std::string>> SplitCsvLine(std::string_view line, std::string& error);

// A value written into a comma-separated line: quoted when it holds a comma, a quote or a
// leading or trailing blank.
std::string CsvValue(std::string_view value);

}  // namespace quintaro
