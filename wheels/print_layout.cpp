// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/print_layout.h"

#include <algorithm>

#include "wheels/glyph_codes.h"
#include "wheels/utf8_text.h"

namespace quintaro {

namespace {

// Room after each column and between two tables, per point of type.
constexpr double kColumnPadding = 0.9;
constexpr double kTableGap = 2.5;

struct TextRun {
    std::string text;
    bool glyph = false;
};

// The pieces of a cell that print in one font each.
std::vector<TextRun> RunsOf(const PrintCell& cell) {
    if (cell.font != CellFont::Mixed) return {{cell.text, cell.font == CellFont::Glyph}};
    std::vector<TextRun> runs;
    for (char32_t c : DecodeUtf8(cell.text)) {
        const bool glyph = c >= 0x80 && c <= 0xFF;
        if (runs.empty() || runs.back().glyph != glyph) runs.push_back({{}, glyph});
        AppendUtf8(runs.back().text, c);
    }
    return runs;
}

FontChoice TextFont(double size, bool bold = false) {
    return {FontChoice{}.name, size, bold};
}

FontChoice RunFont(const TextRun& run, double size) {
    return run.glyph ? FontChoice{std::string(GlyphFontName), size, false} : TextFont(size);
}

double Width(DrawSurface& surface, const FontChoice& font, const std::string& text) {
    surface.setFontName(font.name);
    surface.setFontSize(font.size);
    surface.setFontBold(font.bold);
    return surface.textWidth(text);
}

double CellWidth(DrawSurface& surface, const PrintCell& cell, double size) {
    if (cell.text.empty()) return 0;
    double width = 0;
    for (const TextRun& run : RunsOf(cell)) width += Width(surface, RunFont(run, size), run.text);
    return width;
}

bool Blank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

// Column widths of every table at the given type size: the widest title or cell and the padding.
std::vector<std::vector<double>> ColumnWidths(const PrintDocument& document, DrawSurface& surface,
                                              double size) {
    std::vector<std::vector<double>> widths;
    for (const PrintTable& table : document.tables) {
        std::vector<double> columns(table.titles.size(), 0);
        for (std::size_t c = 0; c < columns.size(); ++c)
            columns[c] = Width(surface, TextFont(size, true), table.titles[c]);
        for (const PrintRow& row : table.rows) {
            const std::size_t count = std::min(row.cells.size(), columns.size());
            for (std::size_t c = 0; c < count; ++c)
                columns[c] = std::max(columns[c], CellWidth(surface, row.cells[c], size));
        }
        for (double& width : columns) width += kColumnPadding * size;
        widths.push_back(std::move(columns));
    }
    return widths;
}

double TotalWidth(const std::vector<std::vector<double>>& widths, double size) {
    double total = 0;
    for (const auto& columns : widths)
        for (double width : columns) total += width;
    if (widths.size() > 1) total += kTableGap * size * static_cast<double>(widths.size() - 1);
    return total;
}

// Places the documents's parts page by page.
class PageBuilder {
  public:
    // tablesRight: where the last table ends, the right end of the rule under the titles.
    PageBuilder(const PrintDocument& document, PrintLayout& layout, DrawSurface& surface,
                double tablesRight)
        : document_(document), layout_(layout), surface_(surface), tablesRight_(tablesRight) {
        const PageGeometry& page = layout.page;
        lineHeight_ = layout.textSize * PrintLineSpacing;
        bottom_ = page.height - page.margin - 2 * lineHeight_;  // the foot keeps two lines
    }

    void build() {
        startPage(true);
        const std::size_t lines = LineCount(document_);
        for (std::size_t line = 0; line < lines; ++line) {
            if (!fits(1) && page().firstLine < line) {
                startPage(false);
                page().firstLine = line;
            }
            placeLine(line);
            page().endLine = line + 1;
        }
        if (!document_.notes.empty()) y_ += lineHeight_ / 2;
        for (const std::string& note : document_.notes) {
            if (!fits(1)) startPage(false, false);
            place({layout_.page.margin, y_}, note, TextFont(layout_.textSize));
            y_ += lineHeight_;
        }
        placeFooters();
    }

  private:
    PrintedPage& page() { return layout_.pages.back(); }
    bool fits(int lines) const { return y_ + lines * lineHeight_ <= bottom_ + 1e-9; }

    void place(Point at, std::string text, FontChoice font) {
        page().texts.push_back({at, std::move(text), std::move(font)});
    }

    void startPage(bool first, bool headings = true) {
        const std::size_t line = layout_.pages.empty() ? 0 : page().endLine;
        layout_.pages.emplace_back();
        page().firstLine = page().endLine = line;
        const double left = layout_.page.margin;
        y_ = layout_.page.margin;
        if (first) {
            const double height = PrintHeaderSize * PrintLineSpacing;
            for (const PrintLine& line : document_.header) {
                if (!Blank(line.text))
                    place({left, y_}, line.text, TextFont(PrintHeaderSize, line.bold));
                y_ += height;
            }
            y_ += lineHeight_ / 2;
        } else if (!document_.runningHead.empty()) {
            place({left, y_}, document_.runningHead, TextFont(layout_.textSize));
            y_ += 1.5 * lineHeight_;
        }
        if (headings) placeHeadings();
    }

    void placeHeadings() {
        if (document_.tables.empty()) return;
        for (std::size_t t = 0; t < document_.tables.size(); ++t) {
            const PrintTable& table = document_.tables[t];
            const std::vector<double>& columns = layout_.columnLeft[t];
            for (std::size_t c = 0; c < table.titles.size() && c < columns.size(); ++c)
                if (!Blank(table.titles[c]))
                    place({columns[c], y_}, table.titles[c], TextFont(layout_.textSize, true));
        }
        y_ += lineHeight_;
        page().rules.push_back({{layout_.page.margin, y_}, {tablesRight_, y_}});
        y_ += lineHeight_ / 4;
    }

    void placeLine(std::size_t line) {
        for (std::size_t t = 0; t < document_.tables.size(); ++t) {
            const PrintTable& table = document_.tables[t];
            if (line >= table.rows.size()) continue;
            const PrintRow& row = table.rows[line];
            const std::vector<double>& columns = layout_.columnLeft[t];
            if (!row.title.empty()) {
                if (!columns.empty())
                    place({columns.front(), y_}, row.title, TextFont(layout_.textSize, true));
                continue;
            }
            for (std::size_t c = 0; c < row.cells.size() && c < columns.size(); ++c)
                placeCell(row.cells[c], {columns[c], y_});
        }
        y_ += lineHeight_;
    }

    void placeCell(const PrintCell& cell, Point at) {
        if (Blank(cell.text)) return;
        const std::vector<TextRun> runs = RunsOf(cell);
        for (std::size_t r = 0; r < runs.size(); ++r) {
            FontChoice font = RunFont(runs[r], layout_.textSize);
            if (r + 1 < runs.size()) {
                const double width = Width(surface_, font, runs[r].text);
                place(at, runs[r].text, std::move(font));
                at.x += width;
            } else {
                place(at, runs[r].text, std::move(font));
            }
        }
    }

    void placeFooters() {
        const std::size_t count = layout_.pages.size();
        const FontChoice font = TextFont(layout_.textSize);
        for (std::size_t p = 0; p < count; ++p) {
            std::string text = "Page " + std::to_string(p + 1) + " of " + std::to_string(count);
            const double width = Width(surface_, font, text);
            const PageGeometry& geometry = layout_.page;
            layout_.pages[p].texts.push_back(
                {{(geometry.width - width) / 2, geometry.height - geometry.margin - lineHeight_},
                 std::move(text),
                 font});
        }
    }

    const PrintDocument& document_;
    PrintLayout& layout_;
    DrawSurface& surface_;
    double tablesRight_;
    double lineHeight_ = 0;
    double bottom_ = 0;
    double y_ = 0;
};

}  // namespace

PrintLayout LayOutPrint(const PrintDocument& document, const PageGeometry& page,
                        DrawSurface& surface) {
    PrintLayout layout;
    layout.page = page;
    surface.setScale({0, 0, page.width, page.height});
    std::vector<std::vector<double>> widths = ColumnWidths(document, surface, PrintTextSize);
    const double room = page.width - 2 * page.margin;
    const double natural = TotalWidth(widths, PrintTextSize);
    if (natural > room) {
        layout.textSize = std::max(PrintSmallestTextSize, PrintTextSize * room / natural);
        const double factor = layout.textSize / PrintTextSize;
        for (auto& columns : widths)
            for (double& width : columns) width *= factor;
    }
    double x = page.margin, right = page.margin;
    for (const auto& columns : widths) {
        std::vector<double> left;
        for (double width : columns) {
            left.push_back(x);
            x += width;
        }
        layout.columnLeft.push_back(std::move(left));
        right = x;
        x += kTableGap * layout.textSize;
    }
    PageBuilder(document, layout, surface, right).build();
    return layout;
}

void DrawPrintedPage(const PrintLayout& layout, std::size_t page, DrawSurface& surface,
                     double ruleWidth) {
    if (page >= layout.pages.size()) return;
    const PageGeometry& geometry = layout.page;
    surface.setScale({0, 0, geometry.width, geometry.height});
    surface.setForeColor(QbColor(0));
    surface.setDrawStyle(DrawStyle::Solid);
    surface.setDrawWidth(ruleWidth);
    const PrintedPage& printed = layout.pages[page];
    for (const PlacedRule& rule : printed.rules) surface.line(rule.from, rule.to);
    for (const PlacedText& text : printed.texts) {
        surface.setFontName(text.font.name);
        surface.setFontSize(text.font.size);
        surface.setFontBold(text.font.bold);
        surface.moveTo(text.topLeft);
        surface.printText(text.text);
    }
}

}  // namespace quintaro
