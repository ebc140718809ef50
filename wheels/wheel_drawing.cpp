// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/wheel_drawing.h"

#include <array>
#include <cmath>
#include <string>

#include "core/degrees.h"
#include "wheels/aspect_lines.h"
#include "wheels/degree_labels.h"
#include "wheels/glyph_anchor.h"
#include "wheels/glyph_codes.h"
#include "wheels/glyph_slots.h"
#include "wheels/title_block.h"
#include "wheels/wheel_geometry.h"

namespace quintaro {

namespace {

constexpr int N = BodyCount;
constexpr int MaxLens = 32767;

int SlotOf(int body) {
    return body > N ? body - N : body;
}

const WheelChart& ChartOf(const WheelInput& input, int body) {
    return body > N ? input.transit : input.natal;
}

int DisplaySector(const WheelInput& input, int body) {
    int recorded = ChartOf(input, body).sector[SlotOf(body)];
    if (recorded >= 1 && recorded <= SectorCount) return recorded;
    return SectorOfLongitude(input.boundaries, ChartOf(input, body).longitude[SlotOf(body)]);
}

std::vector<SlotRequest> DisplayedBodies(const WheelInput& input) {
    std::vector<SlotRequest> bodies;
    for (int body = 1; body <= 2 * N; ++body)
        if (IsDisplayedBody(input, body))
            bodies.push_back(
                {body, ChartOf(input, body).longitude[SlotOf(body)], DisplaySector(input, body)});
    return bodies;
}

// The glyph of a body: one character of the glyph font, or two letters for a free-slot body
// without a glyph of its own (printed in the text font, where they read as letters).
void PrintBodyGlyph(DrawSurface& surface, const BodyCatalogue& catalogue, int slot) {
    if (slot < FirstFreeSlot) {
        surface.printText(GlyphText(SlotGlyphCode(slot, catalogue.VertexOn)));
        return;
    }
    BodyGlyph glyph = ChooseBodyGlyph(catalogue, slot);
    if (glyph.isGlyph) {
        surface.printText(GlyphText(glyph.glyphCode));
        return;
    }
    FontChoice glyphFont = surface.font();
    surface.setFontName(FontChoice{}.name);
    for (char letter : glyph.letters) surface.printText(std::string(1, letter));
    surface.setFontName(glyphFont.name);
}

void PrintDegreeLabel(DrawSurface& surface, const SlotPlacement& placed, int bodiesInSector,
                      double longitude) {
    auto offset = LabelSlotOffset(placed.sector, bodiesInSector, placed.running);
    if (!offset) return;
    FontChoice glyphFont = surface.font();
    surface.setFontName(FontChoice{}.name);
    surface.setFontSize(LabelFontSize);
    double halfHeight = std::abs(surface.textHeight(LabelSampleText)) / 2;
    double up = surface.scale().height < 0 ? 1 : -1;
    surface.moveTo({offset->x, offset->y + up * halfHeight});
    surface.printText(DegreeLabelText(longitude));
    surface.setFontName(glyphFont.name);
    surface.setFontSize(glyphFont.size);
}

// Screen angle of a body's true longitude on the ring (the geometric pattern lines end there).
double TrueAngle(const WheelInput& input, const PlacedGlyph& glyph) {
    double start = input.boundaries[SectorBoundaryEntry(glyph.sector)];
    double size = SectorSize(input.boundaries, glyph.sector);
    double offset = Norm360(glyph.longitude - start);
    double fraction = size > 0 ? offset / size : 0;
    return SectorStartAngle(glyph.sector) - 2 + 30 * fraction;
}

void DrawAspectLines(DrawSurface& surface, const WheelInput& input, const WheelLayout& layout) {
    double inner = WheelRingRadii(input.target.printer).inner;
    for (const WheelAspect& aspect : input.aspects) {
        auto pen = AspectLinePen(aspect, input.options, input.target);
        if (!pen) continue;
        const PlacedGlyph* a = FindGlyph(layout, aspect.body1);
        const PlacedGlyph* b = FindGlyph(layout, aspect.body2);
        if (!a || !b) continue;
        surface.setForeColor(pen->color);
        surface.setDrawWidth(pen->width);
        surface.setDrawStyle(pen->style);
        if (input.options.geometricPatternLines)
            surface.line(PointOnWheel(TrueAngle(input, *a), inner),
                         PointOnWheel(TrueAngle(input, *b), inner));
        else
            surface.line(a->glyphPoint, b->glyphPoint);
    }
    surface.setDrawWidth(1);
    surface.setDrawStyle(DrawStyle::Solid);
}

}  // namespace

bool IsDisplayedBody(const WheelInput& input, int body) {
    if (body < 1 || body > 2 * N || (body > N && !input.withTransit)) return false;
    if (!input.selection.flag(body)) return false;
    int slot = SlotOf(body);
    if (slot >= input.catalogue.NextFreeSlot) return false;  // a free slot not in use
    if (input.coordinates == WheelCoordinates::Geocentric) return slot != SlotEarth;
    for (int excluded :
         {SlotSun, SlotMoon, SlotNode, SlotAscendant, SlotMidheaven, SlotPartOfFortune})
        if (slot == excluded) return false;
    return true;
}

void DrawRing(DrawSurface& surface, int lens, const WheelTarget& target) {
    RingRadii radii = WheelRingRadii(target.printer);
    surface.setForeColor(QbColor(0));
    surface.setDrawStyle(DrawStyle::Solid);
    surface.setDrawWidth(target.printer ? target.printerLineWidths[0] : 1);
    surface.circle({0, 0}, radii.inner);
    surface.circle({0, 0}, radii.outer);
    surface.setDrawWidth(target.printer ? 2 : 1);
    if (lens < 1) lens = 12;
    if (lens > MaxLens) lens = MaxLens;  // the entry field holds a 16-bit number
    double step = 360.0 / lens;
    for (int k = 0; k * step <= 359; ++k)
        surface.line(PointOnWheel(k * step, radii.inner), PointOnWheel(k * step, radii.outer));
    surface.setDrawWidth(1);
}

WheelLayout DrawWheel(DrawSurface& surface, const WheelInput& input) {
    const WheelTarget& target = input.target;
    WheelLayout layout;
    layout.scale = WheelScale(target);
    layout.heliocentric = input.coordinates == WheelCoordinates::Heliocentric;
    surface.setScale(layout.scale);
    surface.clear(input.options.whiteBackground ? QbColor(15) : QbColor(7));

    DrawRing(surface, input.lens, target);

    surface.setFontName(GlyphFontName);
    surface.setFontSize(target.printer ? PrinterSlotFontSize : ScreenSlotFontSize);
    std::vector<SlotRequest> bodies = DisplayedBodies(input);
    std::array<int, SectorCount + 1> inSector{};
    for (const SlotRequest& body : bodies) ++inSector[body.sector];

    surface.setFontSize(target.printer ? PrinterGlyphFontSize : ScreenGlyphFontSize);
    surface.setFontBold(false);
    std::string sample = GlyphText(GlyphCellSampleCode);
    layout.cellWidth = surface.textWidth(sample) + GlyphCellMargin;
    layout.cellHeight = std::abs(surface.textHeight(sample)) + GlyphCellMargin;

    double glyphRadius = WheelRingRadii(target.printer).glyph;
    for (const SlotPlacement& placed : PlaceGlyphSlots(bodies, input.boundaries)) {
        int slot = SlotOf(placed.body);
        const WheelChart& chart = ChartOf(input, placed.body);
        PlacedGlyph glyph;
        glyph.body = placed.body;
        glyph.sector = placed.sector;
        glyph.slot = placed.slot;
        glyph.angle = placed.angle;
        glyph.name = input.catalogue.BodyNames[slot];
        glyph.longitude = chart.longitude[slot];
        glyph.second = chart.second[slot];
        glyph.falling = chart.direction.at(slot) == 'f';
        glyph.anchor = GlyphAnchor(placed.angle, PointOnWheel(placed.angle, glyphRadius),
                                   layout.cellWidth, layout.cellHeight);

        surface.setForeColor(placed.body > N ? TransitGlyphColor : NatalGlyphColor);
        surface.moveTo(glyph.anchor);
        PrintBodyGlyph(surface, input.catalogue, slot);
        glyph.glyphPoint = surface.currentPosition();
        if (input.options.degreeLabels)
            PrintDegreeLabel(surface, placed, inSector[placed.sector], glyph.longitude);
        layout.glyphs.push_back(std::move(glyph));
    }

    DrawAspectLines(surface, input, layout);
    DrawTitleBlock(surface, input);
    return layout;
}

}  // namespace quintaro
