// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

#include "wheels/draw_surface.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_font_face cairo_font_face_t;

namespace quintaro {

// The glyph font loaded from its file for cairo drawing; empty when the file cannot be read (the
// glyph texts then fall back to the plain font).
class CairoGlyphFont {
  public:
    explicit CairoGlyphFont(const std::filesystem::path& fontFile);
    ~CairoGlyphFont();
    CairoGlyphFont(const CairoGlyphFont&) = delete;
    CairoGlyphFont& operator=(const CairoGlyphFont&) = delete;

    cairo_font_face_t* face() const { return face_; }

  private:
    struct Library;
    std::unique_ptr<Library> library_;
    cairo_font_face_t* face_ = nullptr;
};

// The drawing surface on a cairo context: the command line's PNG images and PDF pages. The
// context draws on a device of deviceWidth x deviceHeight units (pixels or printer dots);
// fonts are sized in points at dpi units per inch. Texts in the glyph font use `glyphs`.
class CairoSurface final : public DrawSurface {
  public:
    CairoSurface(cairo_t* context, double deviceWidth, double deviceHeight, double dpi,
                 const CairoGlyphFont& glyphs);

    double textWidth(std::string_view text) const override;
    double textHeight(std::string_view text) const override;

  protected:
    void drawClear(Color background) override;
    void drawLine(Point from, Point to) override;
    void drawCircle(Point centre, double radius) override;
    void drawText(Point topLeft, std::string_view text) override;

  private:
    DeviceMapping mapping() const;
    // Selects the current font on the context; returns the text as that font draws it.
    std::string selectFont(std::string_view text) const;
    void applyPen();

    cairo_t* cairo_;
    double width_;
    double height_;
    double dpi_;
    const CairoGlyphFont& glyphs_;
};

}  // namespace quintaro
