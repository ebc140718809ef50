// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/utf8_text.h"

#include <gtest/gtest.h>

namespace quintaro {
namespace {

constexpr char32_t R = 0xFFFD;

TEST(Utf8Text, DecodesWellFormedAndReplacesMalformedSequences) {
    struct Case {
        const char* name;
        std::string bytes;
        std::u32string expected;
    };
    const Case cases[] = {
        {"ascii", "A", {U'A'}},
        {"two bytes", "\xC3\xAC", {0xEC}},
        {"three bytes", "\xE2\x99\x88", {0x2648}},
        {"four bytes", "\xF0\x9F\x9C\xBE", {0x1F73E}},
        {"overlong slash", "\xC0\xAF", {R}},
        {"overlong three bytes", "\xE0\x80\xAF", {R}},
        {"surrogate", "\xED\xA0\x80", {R}},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", {R}},
        {"truncated at the end", "\xC3", {R}},
        {"truncated before a letter",
         "\xC3"
         "A",
         {R, U'A'}},
        {"stray continuation",
         "\x80"
         "B",
         {R, U'B'}},
        {"five-byte lead", "\xF8\x88", {R, R}},
        {"embedded zero", std::string("a\0b", 3), {U'a', 0, U'b'}},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeUtf8(c.bytes), c.expected) << c.name;
}

TEST(Utf8Text, EncodesAtEveryLengthBoundary) {
    struct Case {
        char32_t codePoint;
        std::string bytes;
    };
    const Case cases[] = {
        {0x7F, "\x7F"},
        {0x80, "\xC2\x80"},
        {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"},
        {0xFFFF, "\xEF\xBF\xBF"},
        {0x10000, "\xF0\x90\x80\x80"},
        {0x10FFFF, "\xF4\x8F\xBF\xBF"},
        {0xD800, "\xEF\xBF\xBD"},    // a surrogate is no character
        {0x110000, "\xEF\xBF\xBD"},  // beyond Unicode
    };
    for (const auto& c : cases) {
        std::string out;
        AppendUtf8(out, c.codePoint);
        EXPECT_EQ(out, c.bytes) << std::hex << static_cast<unsigned long>(c.codePoint);
    }
}

}  // namespace
}  // namespace quintaro
