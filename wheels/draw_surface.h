// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quintaro {

// The one drawing surface every wheel draws on: the window, the printer, PNG and PDF (a QPainter
// surface in ui/), an SVG writer and a recording surface for tests. Only our own small types
// appear here, so the wheels stay free of any toolkit.

struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

// A colour from three components; each is clamped into 0..255.
constexpr Color Rgb(int r, int g, int b) {
    auto clamp = [](int v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
    return {clamp(r), clamp(g), clamp(b)};
}

// The sixteen colours of the classic QBColor palette: 0 black, 7 grey, 10 light green, 12 light
// red, 15 white, ... An index outside 0..15 gives black.
constexpr Color QbColor(int index) {
    constexpr Color palette[16] = {{0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
                                   {128, 0, 0},     {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
                                   {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
                                   {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};
    return index >= 0 && index < 16 ? palette[index] : palette[0];
}

enum class DrawStyle { Solid, Dashed };

// Font of the texts printed from now on. The size is in points; "Orvessa" is the glyph font.
struct FontChoice {
    std::string name = "DejaVu Sans";
    double size = 10;
    bool bold = false;
    friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

// The user coordinate system: (left, top) is the top-left corner of the surface and
// (left + width, top + height) its bottom-right corner. A negative height makes y grow upwards,
// as the wheels use it (origin at the wheel centre).
struct UserScale {
    double left = 0;
    double top = 0;
    double width = 1;
    double height = 1;
    friend bool operator==(const UserScale&, const UserScale&) = default;
};

// Maps user coordinates onto a device of deviceWidth x deviceHeight pixels (or printer dots).
struct DeviceMapping {
    UserScale scale;
    double deviceWidth = 1;
    double deviceHeight = 1;

    Point toDevice(Point user) const;
    Point toUser(Point device) const;
    // Size of one user unit in device pixels, always positive (0 for an empty scale).
    double pixelsPerUnitX() const;
    double pixelsPerUnitY() const;
};

// Everything the drawing operations depend on besides their arguments.
struct DrawState {
    UserScale scale;
    Color foreColor;       // lines, circles and texts
    double drawWidth = 1;  // line width in device pixels
    DrawStyle drawStyle = DrawStyle::Solid;
    FontChoice font;
    Point current;  // the current position, in user units
};

// The surface keeps the state; an implementation draws and measures. Positions and radii are in
// user units; draw widths in device pixels. The current position follows the drawing: a line
// leaves it at its end, a circle at its centre, printed text at its right end on the same line.
class DrawSurface {
  public:
    virtual ~DrawSurface() = default;

    const DrawState& state() const { return state_; }

    void setScale(const UserScale& scale) { state_.scale = scale; }
    const UserScale& scale() const { return state_.scale; }
    void setForeColor(Color color) { state_.foreColor = color; }
    // A width below 1 is not applied: the previous width stays in force.
    void setDrawWidth(double pixels) {
        if (pixels >= 1) state_.drawWidth = pixels;
    }
    void setDrawStyle(DrawStyle style) { state_.drawStyle = style; }
    void setFontName(std::string_view name) { state_.font.name = std::string(name); }
    // A size that is not positive is not applied.
    void setFontSize(double points) {
        if (points > 0) state_.font.size = points;
    }
    void setFontBold(bool bold) { state_.font.bold = bold; }
    const FontChoice& font() const { return state_.font; }

    void moveTo(Point at) { state_.current = at; }
    Point currentPosition() const { return state_.current; }

    // Fills the whole surface with the background colour, erasing everything drawn so far, and
    // puts the current position at the user origin.
    void clear(Color background) {
        drawClear(background);
        state_.current = {};
    }
    void line(Point from, Point to) {
        drawLine(from, to);
        state_.current = to;
    }
    void lineTo(Point to) { line(state_.current, to); }
    // The radius is measured along the x axis; the circle stays round on the device.
    void circle(Point centre, double radius) {
        drawCircle(centre, radius);
        state_.current = centre;
    }
    // Prints UTF-8 text with its top-left corner at the current position. A glyph of the glyph
    // font is the character whose code point is the glyph code (see glyph_codes.h).
    void printText(std::string_view text) {
        drawText(state_.current, text);
        state_.current.x += textWidth(text);
    }

    // Size of one line of text in the current font, in user units (never negative).
    virtual double textWidth(std::string_view text) const = 0;
    virtual double textHeight(std::string_view text) const = 0;

  protected:
    virtual void drawClear(Color background) = 0;
    virtual void drawLine(Point from, Point to) = 0;
    virtual void drawCircle(Point centre, double radius) = 0;
    virtual void drawText(Point topLeft, std::string_view text) = 0;

  private:
    DrawState state_;
};

}  // namespace quintaro
