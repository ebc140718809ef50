// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quintaro {

// A–Z to a–z; every other byte (UTF-8 included) unchanged, whatever the C locale.
char AsciiLower(char c);
std::string AsciiLower(std::string_view text);

// The text without the spaces, tabs and line ends around it.
std::string_view TrimWhitespace(std::string_view text);

}  // namespace quintaro
