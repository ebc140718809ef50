// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quintaro {

// A printed report before it is put on pages: a header block, tables printed side by side line
// by line (line i carries row i of every table), and notes after the last line. The aspect
// listings, the positions and the midpoint printouts are all of this form.

enum class CellFont {
    Plain,  // the text font
    Glyph,  // the whole text in the glyph font
    Mixed,  // glyph characters (code points 128..255) in the glyph font, the rest in the text font
};

struct PrintCell {
    std::string text;
    CellFont font = CellFont::Plain;
};

// One line of a table: a title that spans the table (set), or one cell per column.
struct PrintRow {
    std::string title;
    std::vector<PrintCell> cells;
};

struct PrintTable {
    std::vector<std::string> titles;  // one per column; blank titles print nothing
    std::vector<PrintRow> rows;
};

struct PrintLine {
    std::string text;
    bool bold = false;
};

struct PrintDocument {
    std::string name;               // the print job's and the PDF's title
    std::vector<PrintLine> header;  // the header block, on the first page
    std::string runningHead;        // at the top of every later page
    std::vector<PrintTable> tables;
    std::vector<std::string> notes;  // after the last line
};

// The number of table lines: the longest table's row count.
std::size_t LineCount(const PrintDocument& document);

// The document as plain text: the header, a blank line, the column titles and the lines with the
// tables side by side in fixed columns, glyphs as words (a whole-glyph cell is left out), then
// the notes.
std::string RenderPrintText(const PrintDocument& document);

}  // namespace quintaro
