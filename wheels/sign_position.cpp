// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/sign_position.h"

#include <cmath>

#include "core/degrees.h"
#include "core/signs.h"
#include "wheels/glyph_codes.h"

namespace quintaro {

namespace {

constexpr double ReferencePoints = 20;

std::string TwoDigits(int value) {
    return value < 10 ? "0" + std::to_string(value) : std::to_string(value);
}

// Selects a font for a measurement or a print and restores the previous one afterwards.
class FontScope {
  public:
    FontScope(DrawSurface& surface, std::string_view name, double size, bool bold)
        : surface_(surface), saved_(surface.font()) {
        surface.setFontName(name);
        surface.setFontSize(size);
        surface.setFontBold(bold);
    }
    ~FontScope() {
        surface_.setFontName(saved_.name);
        surface_.setFontSize(saved_.size);
        surface_.setFontBold(saved_.bold);
    }
    FontScope(const FontScope&) = delete;
    FontScope& operator=(const FontScope&) = delete;

  private:
    DrawSurface& surface_;
    FontChoice saved_;
};

struct PositionParts {
    std::string degrees, glyph, minutes;
};

PositionParts PartsOf(const SignPosition& position) {
    return {TwoDigits(position.degree), GlyphText(SignGlyphCode(position.sign)),
            TwoDigits(position.minute)};
}

}  // namespace

SignPosition SignPositionOf(double longitude) {
    long minutes = std::lround(Norm360(longitude) * 60.0) % (360 * 60);
    long withinSign = minutes % (30 * 60);
    return {static_cast<int>(minutes / (30 * 60)) + 1, static_cast<int>(withinSign / 60),
            static_cast<int>(withinSign % 60)};
}

std::string DegreeText(const SignPosition& position) {
    return std::to_string(position.degree) + "\u00B0";
}

std::string MinuteText(const SignPosition& position) {
    return TwoDigits(position.minute) + "'";
}

double SignPositionWidth(DrawSurface& surface, const SignPosition& position,
                         const PositionFonts& fonts) {
    PositionParts parts = PartsOf(position);
    double width = 0;
    {
        FontScope text(surface, FontChoice{}.name, fonts.text, fonts.bold);
        width += surface.textWidth(parts.degrees) + surface.textWidth(parts.minutes);
    }
    FontScope glyph(surface, GlyphFontName, fonts.glyph, fonts.bold);
    return width + surface.textWidth(parts.glyph);
}

double SignPositionHeight(DrawSurface& surface, const PositionFonts& fonts) {
    double height = 0;
    {
        FontScope text(surface, FontChoice{}.name, fonts.text, fonts.bold);
        height = std::abs(surface.textHeight("0"));
    }
    FontScope glyph(surface, GlyphFontName, fonts.glyph, fonts.bold);
    return std::max(height, std::abs(surface.textHeight(GlyphText(SignGlyphCode(1)))));
}

void PrintSignPosition(DrawSurface& surface, Point topLeft, const SignPosition& position,
                       const PositionFonts& fonts) {
    PositionParts parts = PartsOf(position);
    const double down = surface.scale().height < 0 ? -1 : 1;
    const double middle = topLeft.y + down * SignPositionHeight(surface, fonts) / 2;
    double x = topLeft.x;
    // Each part is centred on the middle line of the whole.
    auto print = [&](std::string_view name, const std::string& text) {
        FontScope font(surface, name, name == GlyphFontName ? fonts.glyph : fonts.text, fonts.bold);
        surface.moveTo({x, middle - down * std::abs(surface.textHeight(text)) / 2});
        surface.printText(text);
        x = surface.currentPosition().x;
    };
    print(FontChoice{}.name, parts.degrees);
    print(GlyphFontName, parts.glyph);
    print(FontChoice{}.name, parts.minutes);
}

double PointsForHeight(DrawSurface& surface, std::string_view fontName, double height) {
    FontScope font(surface, fontName, ReferencePoints, false);
    double reference = std::abs(surface.textHeight("0"));
    return reference > 0 ? ReferencePoints * height / reference : ReferencePoints;
}

Box PrintCentred(DrawSurface& surface, Point centre, std::string_view text) {
    double width = surface.textWidth(text);
    double height = std::abs(surface.textHeight(text));
    bool yUp = surface.scale().height < 0;
    Point topLeft{centre.x - width / 2, centre.y + (yUp ? height / 2 : -height / 2)};
    surface.moveTo(topLeft);
    surface.printText(text);
    return TextBoxAt(topLeft, width, height, yUp);
}

}  // namespace quintaro
