// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/print_document.h"

#include <algorithm>

#include "core/glyph_text.h"
#include "wheels/utf8_text.h"

namespace quintaro {

namespace {

constexpr std::size_t kColumnGap = 1;
constexpr std::size_t kTableGapCharacters = 4;

std::string PlainText(const PrintCell& cell) {
    switch (cell.font) {
        case CellFont::Plain:
            return cell.text;
        case CellFont::Glyph:
            return {};
        case CellFont::Mixed:
            return GlyphsAsPlainText(cell.text);
    }
    return {};
}

std::size_t Length(const std::string& text) {
    return DecodeUtf8(text).size();
}

std::string Padded(std::string text, std::size_t width) {
    const std::size_t length = Length(text);
    if (length < width) text.append(width - length, ' ');
    return text;
}

// Character widths of a table's columns: the longest title or cell, and a gap.
std::vector<std::size_t> ColumnWidths(const PrintTable& table) {
    std::vector<std::size_t> widths(table.titles.size(), 0);
    auto widen = [&](std::size_t column, const std::string& text) {
        if (column < widths.size()) widths[column] = std::max(widths[column], Length(text));
    };
    for (std::size_t c = 0; c < table.titles.size(); ++c) widen(c, table.titles[c]);
    for (const PrintRow& row : table.rows)
        for (std::size_t c = 0; c < row.cells.size(); ++c) widen(c, PlainText(row.cells[c]));
    for (std::size_t& width : widths) width += kColumnGap;
    return widths;
}

std::size_t Sum(const std::vector<std::size_t>& widths) {
    std::size_t sum = 0;
    for (std::size_t width : widths) sum += width;
    return sum;
}

std::string TableLine(const PrintTable& table, const std::vector<std::size_t>& widths,
                      std::size_t line) {
    if (line >= table.rows.size()) return std::string(Sum(widths), ' ');
    const PrintRow& row = table.rows[line];
    if (!row.title.empty()) return Padded(row.title, Sum(widths));
    std::string out;
    for (std::size_t c = 0; c < widths.size(); ++c)
        out += Padded(c < row.cells.size() ? PlainText(row.cells[c]) : "", widths[c]);
    return out;
}

std::string ColumnTitlesLine(const PrintTable& table, const std::vector<std::size_t>& widths) {
    std::string out;
    for (std::size_t c = 0; c < widths.size(); ++c) out += Padded(table.titles[c], widths[c]);
    return out;
}

void RightTrim(std::string& text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
}

}  // namespace

std::size_t LineCount(const PrintDocument& document) {
    std::size_t lines = 0;
    for (const PrintTable& table : document.tables) lines = std::max(lines, table.rows.size());
    return lines;
}

std::string RenderPrintText(const PrintDocument& document) {
    std::vector<std::vector<std::size_t>> widths;
    for (const PrintTable& table : document.tables) widths.push_back(ColumnWidths(table));
    auto joined = [&](auto&& part) {
        std::string line;
        for (std::size_t t = 0; t < document.tables.size(); ++t) {
            if (t > 0) line += std::string(kTableGapCharacters, ' ');
            line += part(document.tables[t], widths[t]);
        }
        RightTrim(line);
        return line + "\n";
    };
    std::string out;
    for (const PrintLine& line : document.header) out += line.text + "\n";
    out += "\n";
    out += joined(ColumnTitlesLine);
    const std::size_t lines = LineCount(document);
    for (std::size_t i = 0; i < lines; ++i)
        out += joined([i](const PrintTable& table, const std::vector<std::size_t>& w) {
            return TableLine(table, w, i);
        });
    if (!document.notes.empty()) out += "\n";
    for (const std::string& note : document.notes) out += note + "\n";
    return out;
}

}  // namespace quintaro
