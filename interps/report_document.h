// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quintaro {

// A report as its readers see it: paragraphs of one line each, centred or left-aligned, some of
// them bold, some starting a new page. The rich-text file, the plain-text file, the web page and
// the window's document are all written from it, so they say the same.
enum class ParagraphAlign { Left, Centre };

struct ReportParagraph {
    std::string text;  // UTF-8, without line breaks; "" for an empty line
    ParagraphAlign align = ParagraphAlign::Left;
    bool bold = false;
    bool pageBreakBefore = false;
};

struct ReportDocument {
    std::string title;  // the web page's title
    std::vector<ReportParagraph> paragraphs;

    // Adds text as paragraphs of the same style, one per line ("\r\n", "\n" or "\r" ends a
    // line; a final line break opens no further line); the page break goes before the first of
    // them. Bytes that are not UTF-8 are read as Latin-1 and other control characters (tabs
    // too) as blanks, so every renderer gets valid UTF-8 that it can show alike.
    void add(std::string_view text, ParagraphAlign align = ParagraphAlign::Left, bool bold = false,
             bool pageBreakBefore = false);
    void addBlank() { paragraphs.push_back({}); }
};

// The text as valid UTF-8: well-formed sequences kept, every other byte read as Latin-1.
std::string ValidUtf8(std::string_view text);

}  // namespace quintaro
