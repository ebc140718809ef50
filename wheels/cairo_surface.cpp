// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/cairo_surface.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>

#include "wheels/glyph_codes.h"
#include "wheels/utf8_text.h"

namespace quintaro {

struct CairoGlyphFont::Library {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~Library() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
};

CairoGlyphFont::CairoGlyphFont(const std::filesystem::path& fontFile)
    : library_(std::make_unique<Library>()) {
    if (FT_Init_FreeType(&library_->library) != 0) return;
    if (FT_New_Face(library_->library, fontFile.string().c_str(), 0, &library_->face) != 0) {
        library_->face = nullptr;
        return;
    }
    face_ = cairo_ft_font_face_create_for_ft_face(library_->face, 0);
}

CairoGlyphFont::~CairoGlyphFont() {
    // The face lives until cairo lets it go; the FreeType face must outlive it.
    if (face_) cairo_font_face_destroy(face_);
}

CairoSurface::CairoSurface(cairo_t* context, double deviceWidth, double deviceHeight, double dpi,
                           const CairoGlyphFont& glyphs)
    : cairo_(context), width_(deviceWidth), height_(deviceHeight), dpi_(dpi), glyphs_(glyphs) {}

DeviceMapping CairoSurface::mapping() const {
    return {scale(), width_, height_};
}

std::string CairoSurface::selectFont(std::string_view text) const {
    const FontChoice& choice = font();
    cairo_set_font_size(cairo_, choice.size * dpi_ / 72.0);
    if (choice.name == GlyphFontName && glyphs_.face()) {
        cairo_set_font_face(cairo_, glyphs_.face());
        // The glyph characters 128..255 are also held at U+F000 + code, where a text engine
        // does not take them for control characters.
        std::string shown;
        for (char32_t c : DecodeUtf8(text))
            AppendUtf8(shown, c >= 0x80 && c <= 0xFF ? 0xF000 + c : c);
        return shown;
    }
    cairo_select_font_face(cairo_, choice.name.c_str(), CAIRO_FONT_SLANT_NORMAL,
                           choice.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    return std::string(text);
}

double CairoSurface::textWidth(std::string_view text) const {
    const std::string shown = selectFont(text);
    cairo_text_extents_t extents;
    cairo_text_extents(cairo_, shown.c_str(), &extents);
    const double perUnit = mapping().pixelsPerUnitX();
    return perUnit > 0 ? extents.x_advance / perUnit : 0;
}

double CairoSurface::textHeight(std::string_view text) const {
    selectFont(text);
    cairo_font_extents_t extents;
    cairo_font_extents(cairo_, &extents);
    const double perUnit = mapping().pixelsPerUnitY();
    return perUnit > 0 ? (extents.ascent + extents.descent) / perUnit : 0;
}

void CairoSurface::applyPen() {
    const Color c = state().foreColor;
    cairo_set_source_rgb(cairo_, c.r / 255.0, c.g / 255.0, c.b / 255.0);
    cairo_set_line_width(cairo_, state().drawWidth);
    const double dash[] = {4 * state().drawWidth, 2 * state().drawWidth};
    cairo_set_dash(cairo_, dash, state().drawStyle == DrawStyle::Dashed ? 2 : 0, 0);
}

void CairoSurface::drawClear(Color background) {
    cairo_set_source_rgb(cairo_, background.r / 255.0, background.g / 255.0, background.b / 255.0);
    cairo_rectangle(cairo_, 0, 0, width_, height_);
    cairo_fill(cairo_);
}

void CairoSurface::drawLine(Point from, Point to) {
    applyPen();
    const DeviceMapping map = mapping();
    const Point a = map.toDevice(from), b = map.toDevice(to);
    cairo_move_to(cairo_, a.x, a.y);
    cairo_line_to(cairo_, b.x, b.y);
    cairo_stroke(cairo_);
}

void CairoSurface::drawCircle(Point centre, double radius) {
    applyPen();
    const DeviceMapping map = mapping();
    const Point c = map.toDevice(centre);
    cairo_new_sub_path(cairo_);
    cairo_arc(cairo_, c.x, c.y, radius * map.pixelsPerUnitX(), 0, 2 * 3.14159265358979323846);
    cairo_stroke(cairo_);
}

void CairoSurface::drawText(Point topLeft, std::string_view text) {
    const std::string shown = selectFont(text);
    const Color c = state().foreColor;
    cairo_set_source_rgb(cairo_, c.r / 255.0, c.g / 255.0, c.b / 255.0);
    cairo_font_extents_t extents;
    cairo_font_extents(cairo_, &extents);
    const Point at = mapping().toDevice(topLeft);
    cairo_move_to(cairo_, at.x, at.y + extents.ascent);
    cairo_show_text(cairo_, shown.c_str());
    cairo_new_path(cairo_);
}

}  // namespace quintaro
