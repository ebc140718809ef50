// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/plain_text.h"

#include <algorithm>

namespace quintaro {

namespace {
bool IsWhitespace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
}  // namespace

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return AsciiLower(c); });
    return lower;
}

std::string_view TrimWhitespace(std::string_view text) {
    while (!text.empty() && IsWhitespace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsWhitespace(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace quintaro
