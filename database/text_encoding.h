// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Texts inside fixed-record files take one byte per character (the Western European Windows code
// page); in memory the program works in UTF-8. Both directions are lossless for every byte of a
// file: a byte that the code page leaves undefined maps to the control character of its own
// number, and UTF-8 input that is not valid UTF-8 keeps its bytes as they are.

#include <string>
#include <string_view>

namespace quintaro {

// File bytes as UTF-8.
std::string FileTextToUtf8(std::string_view bytes);

// UTF-8 as file bytes, at most maxChars of them; a character the code page cannot hold becomes
// "?". Cutting happens between characters, never inside one.
std::string Utf8ToFileText(std::string_view text, size_t maxChars);

}  // namespace quintaro
