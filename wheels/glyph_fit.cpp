// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/glyph_fit.h"

#include <algorithm>

#include "wheels/glyph_anchor.h"
#include "wheels/text_box.h"
#include "wheels/wheel_geometry.h"

namespace quintaro {

namespace {

Box GlyphBox(const GlyphToFit& glyph, GlyphExtent cell, double cellMargin, double glyphRadius,
             double scale) {
    Point anchor = GlyphAnchor(glyph.angle, PointOnWheel(glyph.angle, glyphRadius),
                               cell.width * scale + cellMargin, cell.height * scale + cellMargin);
    return TextBoxAt(anchor, glyph.extent.width * scale, glyph.extent.height * scale, true);
}

}  // namespace

std::vector<double> FittingGlyphScales(const std::vector<GlyphToFit>& glyphs, GlyphExtent cell,
                                       double cellMargin, double glyphRadius) {
    std::vector<double> scales(glyphs.size(), 1.0);
    auto overlap = [&](size_t a, size_t b, double scale) {
        return Overlap(GlyphBox(glyphs[a], cell, cellMargin, glyphRadius, scale),
                       GlyphBox(glyphs[b], cell, cellMargin, glyphRadius, scale));
    };
    for (size_t a = 0; a < glyphs.size(); ++a) {
        for (size_t b = a + 1; b < glyphs.size(); ++b) {
            if (!overlap(a, b, 1)) continue;
            double fits = MinGlyphScale, tooBig = 1;
            if (!overlap(a, b, fits))
                for (int step = 0; step < 14; ++step) {
                    double middle = (fits + tooBig) / 2;
                    (overlap(a, b, middle) ? tooBig : fits) = middle;
                }
            scales[a] = std::min(scales[a], fits);
            scales[b] = std::min(scales[b], fits);
        }
    }
    return scales;
}

}  // namespace quintaro
