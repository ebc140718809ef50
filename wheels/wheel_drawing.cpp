// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/wheel_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "core/degrees.h"
#include "wheels/aspect_lines.h"
#include "wheels/degree_labels.h"
#include "wheels/glyph_anchor.h"
#include "wheels/glyph_codes.h"
#include "wheels/glyph_fit.h"
#include "wheels/title_block.h"

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

void PrintGlyphText(DrawSurface& surface, const BodyGlyphText& glyph) {
    if (glyph.inGlyphFont) return surface.printText(glyph.text);
    FontChoice glyphFont = surface.font();
    surface.setFontName(FontChoice{}.name);
    surface.printText(glyph.text);
    surface.setFontName(glyphFont.name);
}

GlyphExtent MeasureGlyph(DrawSurface& surface, const BodyGlyphText& glyph) {
    FontChoice glyphFont = surface.font();
    if (!glyph.inGlyphFont) surface.setFontName(FontChoice{}.name);
    GlyphExtent extent{surface.textWidth(glyph.text), std::abs(surface.textHeight(glyph.text))};
    surface.setFontName(glyphFont.name);
    return extent;
}

// Screen angle of a body's true longitude on the ring (the geometric pattern lines end there).
double TrueAngle(const WheelInput& input, const PlacedGlyph& glyph) {
    double start = input.boundaries[SectorBoundaryEntry(glyph.sector)];
    double size = SectorSize(input.boundaries, glyph.sector);
    double offset = Norm360(glyph.longitude - start);
    double fraction = size > 0 ? offset / size : 0;
    return SectorStartAngle(glyph.sector) - 2 + 30 * fraction;
}

void DrawAspectLines(DrawSurface& surface, const WheelInput& input, const WheelLayout& layout,
                     double innerRadius) {
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
            surface.line(PointOnWheel(TrueAngle(input, *a), innerRadius),
                         PointOnWheel(TrueAngle(input, *b), innerRadius));
        else
            surface.line(a->glyphPoint, b->glyphPoint);
    }
    surface.setDrawWidth(1);
    surface.setDrawStyle(DrawStyle::Solid);
}

// The glyph font size of each placed glyph, so that no two of them touch.
std::vector<double> FittedGlyphSizes(DrawSurface& surface, const WheelInput& input,
                                     const std::vector<SlotPlacement>& placements,
                                     double glyphRadius) {
    const double nominal = surface.font().size;
    std::string sample = GlyphText(GlyphCellSampleCode);
    GlyphExtent cell{surface.textWidth(sample), std::abs(surface.textHeight(sample))};
    std::vector<GlyphToFit> glyphs;
    glyphs.reserve(placements.size());
    for (const SlotPlacement& placed : placements)
        glyphs.push_back({placed.angle, MeasureGlyph(surface, GlyphOfBody(input.catalogue,
                                                                          SlotOf(placed.body)))});
    std::vector<double> sizes = FittingGlyphScales(glyphs, cell, GlyphCellMargin, glyphRadius);
    for (double& size : sizes) size *= nominal;
    return sizes;
}

}  // namespace

Color BodyColor(int body) {
    return body > N ? TransitGlyphColor : NatalGlyphColor;
}

BodyGlyphText GlyphOfBody(const BodyCatalogue& catalogue, int slot) {
    if (slot < FirstFreeSlot) return {GlyphText(SlotGlyphCode(slot, catalogue.VertexOn)), true};
    BodyGlyph glyph = ChooseBodyGlyph(catalogue, slot);
    if (glyph.isGlyph) return {GlyphText(glyph.glyphCode), true};
    return {glyph.letters, false};
}

std::vector<SlotRequest> DisplayedBodies(const WheelInput& input) {
    std::vector<SlotRequest> bodies;
    for (int body = 1; body <= 2 * N; ++body)
        if (IsDisplayedBody(input, body))
            bodies.push_back(
                {body, ChartOf(input, body).longitude[SlotOf(body)], DisplaySector(input, body)});
    return bodies;
}

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

void DrawRing(DrawSurface& surface, int lens, const WheelTarget& target, double baseRadius) {
    RingRadii radii = WheelRingRadii(target.printer, baseRadius);
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

WheelLayout DrawPlacedBodies(DrawSurface& surface, const WheelInput& input, const WheelPass& pass,
                             const std::vector<SlotPlacement>& placements) {
    const WheelTarget& target = input.target;
    WheelLayout layout;
    layout.scale = pass.scale;
    layout.heliocentric = input.coordinates == WheelCoordinates::Heliocentric;
    surface.setScale(pass.scale);
    const RingRadii radii = WheelRingRadii(target.printer, pass.baseRadius);

    surface.setFontName(GlyphFontName);
    surface.setFontSize(target.printer ? PrinterSlotFontSize : ScreenSlotFontSize);
    std::array<int, SectorCount + 1> inSector{};
    for (const SlotRequest& body : DisplayedBodies(input)) ++inSector[body.sector];

    surface.setFontSize(target.printer ? PrinterGlyphFontSize : ScreenGlyphFontSize);
    surface.setFontBold(false);
    std::string sample = GlyphText(GlyphCellSampleCode);
    layout.cellWidth = surface.textWidth(sample) + GlyphCellMargin;
    layout.cellHeight = std::abs(surface.textHeight(sample)) + GlyphCellMargin;
    const FontChoice glyphFont = surface.font();
    const std::vector<double> glyphSizes =
        FittedGlyphSizes(surface, input, placements, radii.glyph);

    surface.setFontName(FontChoice{}.name);
    surface.setFontSize(LabelFontSize);
    const double labelHeight = std::abs(surface.textHeight(LabelSampleText));
    const double labelPitch =
        std::max(NarrowLabelSpacing, surface.textWidth(LabelSampleText) + LabelGap);
    const double rowFactor = pass.baseRadius / RingBaseRadius;
    LabelPlacer labels(labelHeight, labelPitch,
                       radii.glyph - std::hypot(layout.cellWidth, layout.cellHeight));
    const double up = pass.scale.height < 0 ? 1 : -1;

    for (size_t k = 0; k < placements.size(); ++k) {
        const SlotPlacement& placed = placements[k];
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
        // A glyph printed smaller keeps its cell in proportion, the margin aside.
        const double scale = glyphSizes[k] / glyphFont.size;
        glyph.anchor = GlyphAnchor(placed.angle, PointOnWheel(placed.angle, radii.glyph),
                                   (layout.cellWidth - GlyphCellMargin) * scale + GlyphCellMargin,
                                   (layout.cellHeight - GlyphCellMargin) * scale + GlyphCellMargin);

        surface.setForeColor(BodyColor(placed.body));
        surface.setFontName(glyphFont.name);
        surface.setFontSize(glyphSizes[k]);
        surface.moveTo(glyph.anchor);
        PrintGlyphText(surface, GlyphOfBody(input.catalogue, slot));
        glyph.glyphPoint = surface.currentPosition();

        auto offset = LabelSlotOffset(placed.sector, inSector[placed.sector], placed.running,
                                      labelPitch / rowFactor);
        if (offset) {
            surface.setFontName(FontChoice{}.name);
            surface.setFontSize(LabelFontSize);
            std::string text = DegreeLabelText(glyph.longitude);
            Point at = labels.place({offset->x * rowFactor, offset->y * rowFactor},
                                    surface.textWidth(text));
            surface.moveTo({at.x, at.y + up * labelHeight / 2});
            surface.printText(text);
        }
        layout.glyphs.push_back(std::move(glyph));
    }
    surface.setFontName(glyphFont.name);
    surface.setFontSize(glyphFont.size);

    DrawAspectLines(surface, input, layout, radii.inner);
    return layout;
}

WheelLayout DrawWheel(DrawSurface& surface, const WheelInput& input) {
    const WheelTarget& target = input.target;
    UserScale scale = WheelScale(target);
    surface.setScale(scale);
    surface.clear(input.options.whiteBackground ? QbColor(15) : QbColor(7));
    DrawRing(surface, input.lens, target);
    WheelLayout layout =
        DrawPlacedBodies(surface, input, {scale, RingBaseRadius},
                         PlaceGlyphSlots(DisplayedBodies(input), input.boundaries));
    DrawTitleBlock(surface, input);
    return layout;
}

}  // namespace quintaro
