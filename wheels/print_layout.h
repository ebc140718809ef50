// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "wheels/draw_surface.h"
#include "wheels/print_document.h"

namespace quintaro {

// A printed page in points (1/72 inch): the area the printer draws on and a margin inside it.
struct PageGeometry {
    double width = 595.28;  // A4 portrait
    double height = 841.89;
    double margin = 36;
};

// Type sizes of the printouts, in points. The tables shrink their type, down to the smallest
// size, when they are wider than the page.
constexpr double PrintTextSize = 8;
constexpr double PrintHeaderSize = 10;
constexpr double PrintSmallestTextSize = 5;
constexpr double PrintLineSpacing = 1.3;  // line height per point of type

// What goes where on one page, in points from the page's top-left corner.
struct PlacedText {
    Point topLeft;
    std::string text;
    FontChoice font;
};
struct PlacedRule {
    Point from;
    Point to;
};
struct PrintedPage {
    std::vector<PlacedText> texts;
    std::vector<PlacedRule> rules;
    std::size_t firstLine = 0;  // the table lines on this page: [firstLine, endLine)
    std::size_t endLine = 0;
};

struct PrintLayout {
    PageGeometry page;
    double textSize = PrintTextSize;
    std::vector<std::vector<double>> columnLeft;  // by table, the x of each column
    std::vector<PrintedPage> pages;
};

// Puts a document on pages: the header block on the first page, the column titles at the top of
// every page under a running head on the later ones, as many lines as fit, the notes after the
// last line and "Page n of m" at the foot. The surface measures the texts; its scale becomes the
// page in points.
PrintLayout LayOutPrint(const PrintDocument& document, const PageGeometry& page,
                        DrawSurface& surface);

// Draws one laid-out page; the surface's device is the page's printable area. Rules are drawn
// ruleWidth device pixels wide.
void DrawPrintedPage(const PrintLayout& layout, std::size_t page, DrawSurface& surface,
                     double ruleWidth = 1);

}  // namespace quintaro
