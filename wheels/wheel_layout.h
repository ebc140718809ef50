// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "wheels/draw_surface.h"

namespace quintaro {

// What the wheel placed where, so that the window can answer clicks without drawing again.
struct PlacedGlyph {
    int body = 0;  // 1..2N: natal b is b, transit b is N + b
    int sector = 1;
    int slot = 0;  // index into the 12 x 8 slot table
    double angle = 0;
    Point anchor;      // top-left corner of the printed glyph
    Point glyphPoint;  // where the aspect lines end
    std::string name;  // catalogue name
    double longitude = 0;
    double second = 0;
    bool falling = false;  // declination or latitude decreasing
};

struct WheelLayout {
    UserScale scale;
    bool heliocentric = false;
    double cellWidth = 0;  // the measured glyph cell, user units
    double cellHeight = 0;
    std::vector<PlacedGlyph> glyphs;  // in placement order, lowest longitude first
};

// The placed glyph of a body, if it was drawn.
const PlacedGlyph* FindGlyph(const WheelLayout& layout, int body);

// The body whose glyph cell holds a point (user units), testing bodies 1, 2, ..., 2N and taking
// the first hit; a cell reaches from its anchor one cell width right and one cell height down.
std::optional<int> BodyAt(const WheelLayout& layout, Point at);

// The report of a click: " Natal " or " Trans ", the name, " is at ", the longitude formatted
// "00.0000", and " - falling" when the declination or latitude is decreasing. Empty when the
// click hit no glyph.
std::string ClickReport(const WheelLayout& layout, Point at);

// The clipboard text of a body: "geo_" or "hel_", "nat_" (body <= N) or "tra_", the name, the
// position formatted "0.0000".
std::string ClipboardText(int body, std::string_view name, double position, bool heliocentric);

// The clipboard text of the body under a click; empty when the click hit no glyph.
std::string ClipboardTextAt(const WheelLayout& layout, Point at);

}  // namespace quintaro
