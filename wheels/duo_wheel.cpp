// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/duo_wheel.h"

#include "core/formatting.h"
#include "wheels/title_block.h"
#include "wheels/wheel_drawing.h"
#include "wheels/wheel_geometry.h"

namespace quintaro {

namespace {

// The scale of a wheel whose centre lies at `centre` of the page's scale: the same scale moved
// so that the wheel's centre is its origin.
UserScale ShiftedScale(const UserScale& page, Point centre) {
    UserScale shifted = page;
    shifted.left -= centre.x;
    shifted.top -= centre.y;
    return shifted;
}

}  // namespace

DuoGeometry ChooseDuoGeometry(const WheelTarget& target) {
    const UserScale page = WheelScale(target);
    DuoGeometry geometry;
    Point offset;
    if (!target.printer && page.width / 2 >= DuoWideHalfWidth) {
        geometry.baseRadius = 118;
        offset = {142, 76};
    } else {
        geometry.baseRadius = 105;
        offset = {target.printer ? 108.0 : 99.0, 88};
    }
    geometry.geoCentre = {-offset.x, offset.y};
    geometry.helioCentre = {offset.x, -offset.y};
    return geometry;
}

std::string DuoChartKindTitle(const WheelInput& geo) {
    std::string title = ChartKindTitle(geo);
    std::string kind = geo.title.bisect ? "geo bisect chart (" : "geo chart (";
    return (geo.title.bisect ? "geo + helio bisect chart (" : "geo + helio chart (") +
           title.substr(kind.size());
}

StyledWheelLayout DrawDuoWheel(DrawSurface& surface, const WheelInput& geo,
                               const WheelInput& helio) {
    const UserScale page = WheelScale(geo.target);
    const DuoGeometry geometry = ChooseDuoGeometry(geo.target);
    surface.setScale(page);
    surface.clear(geo.options.whiteBackground ? QbColor(15) : QbColor(7));

    StyledWheelLayout layout;
    layout.style = WheelStyle::Duo;
    for (const auto& [input, centre] :
         {std::pair{&geo, geometry.geoCentre}, std::pair{&helio, geometry.helioCentre}}) {
        const WheelPass pass{ShiftedScale(page, centre), geometry.baseRadius};
        surface.setScale(pass.scale);
        DrawRing(surface, input->lens, input->target, pass.baseRadius);
        layout.wheels.push_back(DrawPlacedBodies(
            surface, *input, pass, PlaceGlyphSlots(DisplayedBodies(*input), input->boundaries)));
    }

    surface.setScale(page);
    DrawTitleBlock(surface, geo, DuoChartKindTitle(geo));
    return layout;
}

std::string DuoClickReport(const WheelLayout& wheel, Point at) {
    std::optional<int> body = BodyAt(wheel, at);
    if (!body) return {};
    const PlacedGlyph* glyph = FindGlyph(wheel, *body);
    const bool natal = glyph->body <= BodyCount;
    const std::string chart = natal ? " N. " : " T. ";
    std::string text = chart + (wheel.heliocentric ? "helio " : "geo ") + glyph->name + " is at " +
                       FormatNumber(glyph->longitude, "00.00");
    text += chart + (wheel.heliocentric ? "lat " : "decl ") + glyph->name + " is at " +
            FormatNumber(glyph->second, "00.00");
    if (glyph->falling) text += " - falling";
    return text;
}

}  // namespace quintaro
