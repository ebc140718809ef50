// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "wheels/draw_surface.h"
#include "wheels/glyph_outlines.h"

namespace quintaro {

// A surface that writes an SVG drawing of widthPx x heightPx pixels. Texts in the glyph font
// become filled paths from the glyph outlines, so the drawing shows the glyphs on a machine
// without the font (a character without an outline falls back to a <text> in the glyph font);
// other texts become <text> elements. Font sizes in points are converted at dpi pixels per inch.
// Texts of other fonts are measured with a fixed metric (0.6 em wide per character, 1.17 em
// high), since the surface has no font engine.
class SvgSurface final : public DrawSurface {
  public:
    SvgSurface(double widthPx, double heightPx, GlyphOutlines glyphs = {}, double dpi = 96);

    // The whole SVG document.
    std::string document() const;
    // Writes the document whole or not at all; an empty string on success, else the reason.
    std::string save(const std::filesystem::path& file) const;

    double textWidth(std::string_view text) const override;
    double textHeight(std::string_view text) const override;

  protected:
    void drawClear(Color background) override;
    void drawLine(Point from, Point to) override;
    void drawCircle(Point centre, double radius) override;
    void drawText(Point topLeft, std::string_view text) override;

  private:
    DeviceMapping mapping() const;
    double fontPixels() const;
    bool glyphFontSelected() const;
    double advancePixels(char32_t c) const;
    std::string strokeAttributes() const;
    void addTextElement(Point baseline, std::u32string_view text, std::string_view family);
    void addGlyphPath(Point baseline, const std::string& path);

    double width_;
    double height_;
    double dpi_;
    GlyphOutlines glyphs_;
    std::string body_;
};

}  // namespace quintaro
