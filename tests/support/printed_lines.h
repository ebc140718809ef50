// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "pdf_text.h"
#include "wheels/print_document.h"
#include "wheels/utf8_text.h"

namespace quintaro::test {

// A cell's text as a PDF text extractor reads it back: glyph characters in the glyph font are
// stored at U+F000 + code.
inline std::string ExtractedText(const PrintCell& cell) {
    if (cell.font == CellFont::Plain) return cell.text;
    std::string out;
    for (char32_t c : DecodeUtf8(cell.text))
        AppendUtf8(out, c >= 0x80 && c <= 0xFF ? 0xF000 + c : c);
    return out;
}

// The lines a printed document must show, squeezed, in order: the header lines, the column
// titles, then every table line with the cells of each table from left to right.
inline std::vector<std::string> ExpectedPrintedLines(const PrintDocument& document) {
    std::vector<std::string> lines;
    for (const PrintLine& line : document.header)
        if (std::string text = Squeezed(line.text); !text.empty()) lines.push_back(text);
    std::string titles;
    for (const PrintTable& table : document.tables)
        for (const std::string& title : table.titles) titles += title + " ";
    lines.push_back(Squeezed(titles));
    for (std::size_t i = 0; i < LineCount(document); ++i) {
        std::string line;
        for (const PrintTable& table : document.tables) {
            if (i >= table.rows.size()) continue;
            const PrintRow& row = table.rows[i];
            if (!row.title.empty()) line += row.title + " ";
            for (const PrintCell& cell : row.cells) line += ExtractedText(cell) + " ";
        }
        lines.push_back(Squeezed(line));
    }
    return lines;
}

// The lines with every glyph character (code 128..255 or its mirror at U+F000 + code) and
// every blank taken out.
inline std::vector<std::string> WithoutGlyphsAndBlanks(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        std::string kept;
        for (char32_t c : DecodeUtf8(line)) {
            const char32_t code = c >= 0xF000 ? c - 0xF000 : c;
            if (c != ' ' && (code < 0x80 || code > 0xFF)) AppendUtf8(kept, c);
        }
        out.push_back(std::move(kept));
    }
    return out;
}

}  // namespace quintaro::test
