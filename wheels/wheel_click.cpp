// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/wheel_layout.h"

#include <algorithm>
#include <cmath>

#include "core/bodies.h"
#include "core/formatting.h"

namespace quintaro {

namespace {

bool Inside(const WheelLayout& layout, const PlacedGlyph& glyph, Point at) {
    double down = layout.scale.height < 0 ? -1 : 1;
    double top = glyph.anchor.y;
    double bottom = glyph.anchor.y + down * layout.cellHeight;
    double low = std::min(top, bottom), high = std::max(top, bottom);
    return at.x >= glyph.anchor.x && at.x <= glyph.anchor.x + layout.cellWidth && at.y >= low &&
           at.y <= high;
}

const PlacedGlyph* GlyphAt(const WheelLayout& layout, Point at) {
    const PlacedGlyph* hit = nullptr;
    for (const PlacedGlyph& glyph : layout.glyphs)
        if (Inside(layout, glyph, at) && (!hit || glyph.body < hit->body)) hit = &glyph;
    return hit;
}

}  // namespace

const PlacedGlyph* FindGlyph(const WheelLayout& layout, int body) {
    for (const PlacedGlyph& glyph : layout.glyphs)
        if (glyph.body == body) return &glyph;
    return nullptr;
}

std::optional<int> BodyAt(const WheelLayout& layout, Point at) {
    const PlacedGlyph* hit = GlyphAt(layout, at);
    return hit ? std::optional<int>(hit->body) : std::nullopt;
}

std::string ClickReport(const WheelLayout& layout, Point at) {
    const PlacedGlyph* hit = GlyphAt(layout, at);
    if (!hit) return {};
    std::string text = hit->body <= BodyCount ? " Natal " : " Trans ";
    text += hit->name + " is at " + FormatNumber(hit->longitude, "00.0000");
    if (hit->falling) text += " - falling";
    return text;
}

std::string ClipboardText(int body, std::string_view name, double position, bool heliocentric) {
    std::string text = heliocentric ? "hel_" : "geo_";
    text += body <= BodyCount ? "nat_" : "tra_";
    text += name;
    return text + FormatNumber(position, "0.0000");
}

std::string ClipboardTextAt(const WheelLayout& layout, Point at) {
    const PlacedGlyph* hit = GlyphAt(layout, at);
    return hit ? ClipboardText(hit->body, hit->name, hit->longitude, layout.heliocentric)
               : std::string();
}

}  // namespace quintaro
