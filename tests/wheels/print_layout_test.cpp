// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/print_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "core/glyph_text.h"
#include "wheels/glyph_codes.h"
#include "wheels/recording_surface.h"

namespace quintaro {
namespace {

// A table of `rows` rows whose second cell names the row ("L7"); the other cells are short.
PrintTable Table(char id, std::size_t rows, bool wideLastColumns = false) {
    PrintTable table;
    table.titles = {"", " # ", "Body", "Orb", "Exact", "Exact Time"};
    for (std::size_t i = 0; i < rows; ++i) {
        PrintRow row;
        row.cells = {{""},
                     {std::to_string(i + 1)},
                     {std::string(1, id) + std::to_string(i)},
                     {"a 1.00"},
                     {wideLastColumns ? "-123.45d" : ""},
                     {wideLastColumns ? "01/01/2000   12:00" : ""}};
        table.rows.push_back(std::move(row));
    }
    return table;
}

PrintDocument Document(std::size_t left, std::size_t right, bool wide = false) {
    PrintDocument document;
    document.header = {{"Notice"}, {"Geocentric Aspects", true}, {"natal = Ada"}};
    document.runningHead = "Geocentric Aspects   natal = Ada";
    document.tables = {Table('L', left, wide), Table('R', right, wide)};
    return document;
}

PrintLayout LayOut(const PrintDocument& document, const PageGeometry& page = {}) {
    RecordingSurface measure;
    return LayOutPrint(document, page, measure);
}

const PlacedText* Find(const PrintedPage& page, const std::string& text) {
    for (const PlacedText& placed : page.texts)
        if (placed.text == text) return &placed;
    return nullptr;
}

double WidthOf(const PlacedText& text) {
    return static_cast<double>(text.text.size()) * RecordingSurface::CharWidthPerPoint *
           text.font.size;
}

TEST(PrintLayout, EveryLineOnceInOrderUnderRepeatedTitles) {
    const PrintDocument document = Document(300, 120);
    const PrintLayout layout = LayOut(document);
    ASSERT_GT(layout.pages.size(), 3u);
    const double lineHeight = layout.textSize * PrintLineSpacing;
    const double footerY = layout.page.height - layout.page.margin - lineHeight;
    std::size_t next = 0;
    std::vector<std::size_t> linesPerPage;
    for (std::size_t p = 0; p < layout.pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const PrintedPage& page = layout.pages[p];
        EXPECT_EQ(page.firstLine, next);
        const PlacedText* title = Find(page, "Exact Time");
        ASSERT_NE(title, nullptr);
        EXPECT_TRUE(title->font.bold);
        const PlacedText* footer = Find(
            page, "Page " + std::to_string(p + 1) + " of " + std::to_string(layout.pages.size()));
        ASSERT_NE(footer, nullptr);
        EXPECT_DOUBLE_EQ(footer->topLeft.y, footerY);
        EXPECT_EQ(Find(page, "natal = Ada") != nullptr, p == 0);
        EXPECT_EQ(Find(page, document.runningHead) != nullptr, p > 0);
        for (std::size_t line = page.firstLine; line < page.endLine; ++line) {
            const PlacedText* left = Find(page, "L" + std::to_string(line));
            ASSERT_NE(left, nullptr) << line;
            EXPECT_GT(left->topLeft.y, title->topLeft.y);
            EXPECT_LE(left->topLeft.y + lineHeight, footerY);
            if (line < 120) {  // row i of the right table stands on the line of row i
                const PlacedText* right = Find(page, "R" + std::to_string(line));
                ASSERT_NE(right, nullptr) << line;
                EXPECT_DOUBLE_EQ(right->topLeft.y, left->topLeft.y);
            }
            if (line > page.firstLine) {
                const PlacedText* above = Find(page, "L" + std::to_string(line - 1));
                EXPECT_NEAR(left->topLeft.y - above->topLeft.y, lineHeight, 1e-9);
            }
        }
        EXPECT_EQ(Find(page, "L" + std::to_string(page.endLine)), nullptr);
        linesPerPage.push_back(page.endLine - page.firstLine);
        next = page.endLine;
    }
    EXPECT_EQ(next, 300u);
    // The header takes room on the first page only; the pages in between are all full alike.
    EXPECT_LT(linesPerPage.front(), linesPerPage[1]);
    for (std::size_t p = 2; p + 1 < linesPerPage.size(); ++p)
        EXPECT_EQ(linesPerPage[p], linesPerPage[1]);
    EXPECT_LE(linesPerPage.back(), linesPerPage[1]);
}

// The right-hand table begins after the widest text of the left one, and further right when
// the left one fills its exact-time columns.
TEST(PrintLayout, TablesSideBySideMoveRightWithExactColumns) {
    auto rightStart = [](const PrintDocument& document) {
        const PrintLayout layout = LayOut(document);
        double leftEnd = 0;
        const PrintedPage& page = layout.pages.front();
        for (const PlacedText& text : page.texts)
            if (text.topLeft.x < layout.columnLeft[1].front() && text.text.rfind("Page", 0))
                leftEnd = std::max(leftEnd, text.topLeft.x + WidthOf(text));
        for (std::size_t line = 0; line < 5; ++line) {
            const PlacedText* right = Find(page, "R" + std::to_string(line));
            EXPECT_GT(right->topLeft.x, leftEnd);
        }
        return layout.columnLeft[1].front();
    };
    const double plain = rightStart(Document(5, 5));
    const double exact = rightStart(Document(5, 5, true));
    EXPECT_GT(exact, plain + 50);
}

TEST(PrintLayout, TablesWithoutRowsPrintHeaderAndTitlesOnly) {
    const PrintDocument document = Document(0, 0);
    const PrintLayout layout = LayOut(document);
    ASSERT_EQ(layout.pages.size(), 1u);
    std::vector<std::string> texts;
    for (const PlacedText& text : layout.pages[0].texts) texts.push_back(text.text);
    const std::vector<std::string> expected = {
        "Notice",     "Geocentric Aspects", "natal = Ada", " # ",  "Body", "Orb",
        "Exact",      "Exact Time",         " # ",         "Body", "Orb",  "Exact",
        "Exact Time", "Page 1 of 1"};
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(layout.pages[0].rules.size(), 1u);
}

TEST(PrintLayout, WideTablesShrinkTheirTypeToFitThePage) {
    PrintDocument document = Document(3, 3, true);
    for (PrintTable& table : document.tables)
        for (PrintRow& row : table.rows) row.cells[2].text = std::string(40, 'w');
    const PageGeometry page;
    const PrintLayout layout = LayOut(document, page);
    EXPECT_LT(layout.textSize, PrintTextSize);
    EXPECT_GE(layout.textSize, PrintSmallestTextSize);
    for (const PlacedText& text : layout.pages[0].texts)
        EXPECT_LE(text.topLeft.x + WidthOf(text), page.width - page.margin + 1e-6) << text.text;

    // A table that cannot fit even in the smallest type keeps the smallest type.
    for (PrintRow& row : document.tables[0].rows) row.cells[2].text = std::string(400, 'w');
    EXPECT_DOUBLE_EQ(LayOut(document).textSize, PrintSmallestTextSize);
}

TEST(PrintLayout, GlyphCellsPrintInTheGlyphFontAndMixedCellsInRuns) {
    PrintDocument document;
    PrintTable table;
    table.titles = {"Asp", "Longitude"};
    const std::string parallel = GlyphChar(AspectGlyphCode(7));
    const std::string leo = GlyphChar(SignGlyphCode(5));
    table.rows.push_back({"", {{parallel, CellFont::Glyph}, {"12" + leo + "34", CellFont::Mixed}}});
    table.rows.push_back({"Declinations", {}});
    document.tables = {table};
    const PrintLayout layout = LayOut(document);
    const PrintedPage& page = layout.pages[0];
    const PlacedText* glyph = Find(page, parallel);
    ASSERT_NE(glyph, nullptr);
    EXPECT_EQ(glyph->font.name, GlyphFontName);
    const PlacedText* degrees = Find(page, "12");
    const PlacedText* sign = Find(page, leo);
    const PlacedText* minutes = Find(page, "34");
    ASSERT_TRUE(degrees && sign && minutes);
    EXPECT_EQ(degrees->font.name, FontChoice{}.name);
    EXPECT_EQ(sign->font.name, GlyphFontName);
    EXPECT_EQ(minutes->font.name, FontChoice{}.name);
    EXPECT_DOUBLE_EQ(sign->topLeft.x, degrees->topLeft.x + WidthOf(*degrees));
    EXPECT_DOUBLE_EQ(minutes->topLeft.x, sign->topLeft.x + layout.textSize * 0.6);
    const PlacedText* section = Find(page, "Declinations");
    ASSERT_NE(section, nullptr);
    EXPECT_TRUE(section->font.bold);
    EXPECT_GT(section->topLeft.y, glyph->topLeft.y);
}

TEST(PrintLayout, NotesFollowTheLastLineOrGoOnANewPageWithoutTitles) {
    PrintDocument document = Document(2, 0);
    document.notes = {"R retrograde"};
    PrintLayout layout = LayOut(document);
    ASSERT_EQ(layout.pages.size(), 1u);
    EXPECT_GT(Find(layout.pages[0], "R retrograde")->topLeft.y,
              Find(layout.pages[0], "L1")->topLeft.y);

    // A page filled to the last line leaves the notes to a page of their own.
    const std::size_t firstPageLines = LayOut(Document(400, 0)).pages[0].endLine;
    document = Document(firstPageLines, 0);
    document.notes = {"R retrograde"};
    layout = LayOut(document);
    ASSERT_EQ(layout.pages.size(), 2u);
    EXPECT_EQ(layout.pages[0].endLine, firstPageLines);
    EXPECT_NE(Find(layout.pages[1], "R retrograde"), nullptr);
    EXPECT_EQ(Find(layout.pages[1], "Exact Time"), nullptr);
    EXPECT_NE(Find(layout.pages[1], "Page 2 of 2"), nullptr);
}

TEST(PrintText, TablesSideBySideInFixedColumns) {
    PrintDocument document = Document(3, 1);
    document.tables[0].rows[1] = {"Helio Longitudes", {}};
    document.tables[1].rows[0].cells[3] = {"12" + GlyphChar(SignGlyphCode(1)) + "00",
                                           CellFont::Mixed};
    document.tables[1].rows[0].cells[1] = {"h", CellFont::Glyph};
    document.notes = {"note"};
    std::istringstream in(RenderPrintText(document));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 3u + 1 + 1 + 3 + 1 + 1);
    EXPECT_EQ(lines[0], "Notice");
    EXPECT_EQ(lines[3], "");
    const std::string& titles = lines[4];
    const std::size_t right = titles.rfind(" # ");
    EXPECT_NE(right, titles.find(" # "));
    EXPECT_EQ(lines[5].find("L0"), titles.find("Body"));
    EXPECT_EQ(lines[5].find("12ARI00"), right + titles.substr(right).find("Orb"));
    EXPECT_EQ(lines[5].find('h'), std::string::npos);  // a whole-glyph cell is left out
    EXPECT_EQ(lines[6], "Helio Longitudes");
    EXPECT_EQ(lines[7].find("L2"), titles.find("Body"));
    EXPECT_EQ(lines[9], "note");
}

}  // namespace
}  // namespace quintaro
