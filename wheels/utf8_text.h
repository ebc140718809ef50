// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quintaro {

// The code points of UTF-8 text; every malformed or truncated sequence, overlong form and
// surrogate becomes one U+FFFD.
std::u32string DecodeUtf8(std::string_view text);

// Appends the UTF-8 form of one code point (U+FFFD for one that is not a Unicode scalar value).
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace quintaro
