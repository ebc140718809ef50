// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/glyph_fit.h"

#include "wheels/glyph_anchor.h"
#include "wheels/text_box.h"
#include "wheels/wheel_geometry.h"

namespace quintaro {

namespace {

bool AnyOverlap(const std::vector<GlyphToFit>& glyphs, GlyphExtent cell, double cellMargin,
                double glyphRadius, double scale) {
    std::vector<Box> boxes;
    boxes.reserve(glyphs.size());
    for (const GlyphToFit& glyph : glyphs) {
        Point anchor =
            GlyphAnchor(glyph.angle, PointOnWheel(glyph.angle, glyphRadius),
                        cell.width * scale + cellMargin, cell.height * scale + cellMargin);
        Box box = TextBoxAt(anchor, glyph.extent.width * scale, glyph.extent.height * scale, true);
        for (const Box& other : boxes)
            if (Overlap(box, other)) return true;
        boxes.push_back(box);
    }
    return false;
}

}  // namespace

double FittingGlyphScale(const std::vector<GlyphToFit>& glyphs, GlyphExtent cell, double cellMargin,
                         double glyphRadius) {
    auto overlaps = [&](double scale) {
        return AnyOverlap(glyphs, cell, cellMargin, glyphRadius, scale);
    };
    if (!overlaps(1)) return 1;
    double fits = MinGlyphScale, tooBig = 1;
    if (overlaps(fits)) return fits;
    for (int step = 0; step < 14; ++step) {
        double middle = (fits + tooBig) / 2;
        (overlaps(middle) ? tooBig : fits) = middle;
    }
    return fits;
}

}  // namespace quintaro
