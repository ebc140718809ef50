// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/svg_surface.h"

#include <fmt/format.h>

#include <cmath>

#include "core/atomic_file.h"
#include "wheels/glyph_codes.h"
#include "wheels/utf8_text.h"

namespace quintaro {

namespace {

constexpr double GenericAdvanceEm = 0.6;
constexpr double GenericAscentEm = 0.93;
constexpr double GenericLineHeightEm = 1.17;
constexpr double BoldStrokeEm = 0.03;

// A coordinate with at most two decimals and no trailing zeros.
std::string Num(double v) {
    std::string s = fmt::format("{:.2f}", v);
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string Hex(Color c) {
    return fmt::format("#{:02x}{:02x}{:02x}", c.r, c.g, c.b);
}

bool Finite(Point p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// Characters XML 1.0 allows in text, others replaced; markup characters escaped.
void AppendEscaped(std::string& out, char32_t c) {
    switch (c) {
        case '&':
            out += "&amp;";
            return;
        case '<':
            out += "&lt;";
            return;
        case '>':
            out += "&gt;";
            return;
        case '"':
            out += "&quot;";
            return;
    }
    bool allowed = c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c != 0xFFFE && c != 0xFFFF);
    AppendUtf8(out, allowed ? c : 0xFFFD);
}

std::string EscapedAttribute(std::string_view text) {
    std::string out;
    for (char32_t c : DecodeUtf8(text)) AppendEscaped(out, c);
    return out;
}

}  // namespace

SvgSurface::SvgSurface(double widthPx, double heightPx, GlyphOutlines glyphs, double dpi)
    : width_(widthPx > 0 ? widthPx : 1),
      height_(heightPx > 0 ? heightPx : 1),
      dpi_(dpi > 0 ? dpi : 96),
      glyphs_(std::move(glyphs)) {
    setScale({0, 0, width_, height_});
}

std::string SvgSurface::document() const {
    return fmt::format(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"{0}\" height=\"{1}\" "
        "viewBox=\"0 0 {0} {1}\" xml:space=\"preserve\">\n{2}</svg>\n",
        Num(width_), Num(height_), body_);
}

std::string SvgSurface::save(const std::filesystem::path& file) const {
    return WriteFileAtomically(file, document());
}

DeviceMapping SvgSurface::mapping() const {
    return {scale(), width_, height_};
}

double SvgSurface::fontPixels() const {
    return font().size * dpi_ / 72.0;
}

bool SvgSurface::glyphFontSelected() const {
    return IsGlyphFont(font().name) && !glyphs_.empty();
}

double SvgSurface::advancePixels(char32_t c) const {
    if (glyphFontSelected())
        if (const GlyphOutline* glyph = glyphs_.find(c))
            return glyph->advance / glyphs_.unitsPerEm * fontPixels();
    return GenericAdvanceEm * fontPixels();
}

double SvgSurface::textWidth(std::string_view text) const {
    double ppu = mapping().pixelsPerUnitX();
    if (ppu == 0) return 0;
    double pixels = 0;
    for (char32_t c : DecodeUtf8(text)) pixels += advancePixels(c);
    return pixels / ppu;
}

double SvgSurface::textHeight(std::string_view) const {
    double ppu = mapping().pixelsPerUnitY();
    if (ppu == 0) return 0;
    double em = glyphFontSelected() ? (glyphs_.ascent + glyphs_.descent) / glyphs_.unitsPerEm
                                    : GenericLineHeightEm;
    return em * fontPixels() / ppu;
}

std::string SvgSurface::strokeAttributes() const {
    std::string out = fmt::format(" stroke=\"{}\" stroke-width=\"{}\"", Hex(state().foreColor),
                                  Num(state().drawWidth));
    if (state().drawStyle == DrawStyle::Dashed)
        out += fmt::format(" stroke-dasharray=\"{} {}\"", Num(4 * state().drawWidth),
                           Num(2 * state().drawWidth));
    return out;
}

void SvgSurface::drawClear(Color background) {
    body_ = fmt::format("<rect x=\"0\" y=\"0\" width=\"{}\" height=\"{}\" fill=\"{}\"/>\n",
                        Num(width_), Num(height_), Hex(background));
}

void SvgSurface::drawLine(Point from, Point to) {
    Point a = mapping().toDevice(from);
    Point b = mapping().toDevice(to);
    if (!Finite(a) || !Finite(b)) return;
    body_ += fmt::format("<line x1=\"{}\" y1=\"{}\" x2=\"{}\" y2=\"{}\"{}/>\n", Num(a.x), Num(a.y),
                         Num(b.x), Num(b.y), strokeAttributes());
}

void SvgSurface::drawCircle(Point centre, double radius) {
    Point c = mapping().toDevice(centre);
    double r = std::abs(radius) * mapping().pixelsPerUnitX();
    if (!Finite(c) || !std::isfinite(r)) return;
    body_ += fmt::format("<circle cx=\"{}\" cy=\"{}\" r=\"{}\" fill=\"none\"{}/>\n", Num(c.x),
                         Num(c.y), Num(r), strokeAttributes());
}

void SvgSurface::addTextElement(Point baseline, std::u32string_view text, std::string_view family) {
    std::string content;
    for (char32_t c : text) AppendEscaped(content, c);
    body_ += fmt::format(
        "<text x=\"{}\" y=\"{}\" font-family=\"{}\" font-size=\"{}\"{} fill=\"{}\">{}</text>\n",
        Num(baseline.x), Num(baseline.y), EscapedAttribute(family), Num(fontPixels()),
        font().bold ? " font-weight=\"bold\"" : "", Hex(state().foreColor), content);
}

void SvgSurface::addGlyphPath(Point baseline, const std::string& path) {
    double k = fontPixels() / glyphs_.unitsPerEm;
    std::string bold;
    if (font().bold)
        bold = fmt::format(" stroke=\"{}\" stroke-width=\"{}\"", Hex(state().foreColor),
                           Num(BoldStrokeEm * glyphs_.unitsPerEm));
    body_ +=
        fmt::format("<path transform=\"matrix({0} 0 0 {1} {2} {3})\" fill=\"{4}\"{5} d=\"{6}\"/>\n",
                    fmt::format("{:.5f}", k), fmt::format("{:.5f}", -k), Num(baseline.x),
                    Num(baseline.y), Hex(state().foreColor), bold, path);
}

void SvgSurface::drawText(Point topLeft, std::string_view text) {
    Point at = mapping().toDevice(topLeft);
    if (!Finite(at) || text.empty()) return;
    std::u32string chars = DecodeUtf8(text);
    if (!glyphFontSelected()) {
        addTextElement({at.x, at.y + GenericAscentEm * fontPixels()}, chars, font().name);
        return;
    }
    Point pen{at.x, at.y + glyphs_.ascent / glyphs_.unitsPerEm * fontPixels()};
    for (char32_t c : chars) {
        const GlyphOutline* glyph = glyphs_.find(c);
        if (!glyph)
            addTextElement(pen, std::u32string_view(&c, 1), font().name);
        else if (!glyph->path.empty())
            addGlyphPath(pen, glyph->path);
        pen.x += advancePixels(c);
    }
}

}  // namespace quintaro
