// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/zodiac_wheel.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "core/degrees.h"
#include "core/signs.h"
#include "wheels/angle_spreading.h"
#include "wheels/aspect_lines.h"
#include "wheels/fitted_title.h"
#include "wheels/glyph_codes.h"
#include "wheels/sign_position.h"
#include "wheels/title_block.h"
#include "wheels/wheel_drawing.h"
#include "wheels/wheel_geometry.h"
#include "wheels/zodiac_rings.h"

namespace quintaro {

namespace {

constexpr int N = BodyCount;

// Sizes in user units: text heights are line heights of their font.
constexpr double ZodiacInnerRadius = ZodiacOuterRadius - SignBandWidth;
constexpr double SignGlyphHeight = 19;
constexpr double TickOne = 3, TickFive = 5.5, TickTen = 8;
constexpr double MarkerFrom = 9.5, MarkerTo = 14;  // true-position marks, inside the ticks
constexpr double RingGap = 2;
constexpr double ItemGap = 0.8;
constexpr double HouseRingWidth = 13;
constexpr double HouseNumberHeight = 8.5;
constexpr double CuspTextHeight = 10.5;
constexpr double CuspGap = 3;
constexpr double TitleTextHeight = 10;
constexpr double MinAspectRadius = 44;
constexpr double PointerSlack = 0.5;  // degrees a column may stand off before it gets a pointer
constexpr std::array<double, ColumnItemCount> NatalHeights = {16, 10.5, 10.5, 9.5};
constexpr std::array<double, ColumnItemCount> TransitHeights = {14.5, 9.5, 9.5, 9};
constexpr double DotRadius = 1.2;  // the dot at a body's true position

constexpr Color CuspColor = Rgb(96, 96, 96);
constexpr Color AxisColor = QbColor(0);
constexpr std::array<Color, 4> ElementColors = {Rgb(190, 30, 30), Rgb(40, 120, 40),
                                                Rgb(150, 110, 0), Rgb(30, 60, 190)};

int SlotOf(int body) {
    return body > N ? body - N : body;
}

const WheelChart& ChartOf(const WheelInput& input, int body) {
    return body > N ? input.transit : input.natal;
}

double Longitude(const WheelInput& input, int body) {
    return ChartOf(input, body).longitude[SlotOf(body)];
}

// Device pixels of a line (printer dots are finer).
double LineWidth(const WheelTarget& target, double pixels) {
    return target.printer ? 3 * pixels : pixels;
}

// The fonts of the chart at a size factor: points for each kind of text.
struct ZodiacFonts {
    double textPerUnit = 1;   // points per user unit of line height, text font
    double glyphPerUnit = 1;  // the same for the glyph font
    double text(double height) const { return textPerUnit * height; }
    double glyph(double height) const { return glyphPerUnit * height; }
};

ZodiacFonts MeasureFonts(DrawSurface& surface) {
    return {PointsForHeight(surface, FontChoice{}.name, 1),
            PointsForHeight(surface, GlyphFontName, 1)};
}

// One ring's bodies: their numbers, true and display angles.
struct RingBodies {
    std::vector<int> bodies;
    std::vector<double> trueAngles;
    std::vector<double> shown;
};

struct ColumnTexts {
    BodyGlyphText glyph;
    std::string degree, sign, minute;
};

ColumnTexts TextsOf(const WheelInput& input, int body) {
    SignPosition position = SignPositionOf(Longitude(input, body));
    bool retro = ChartOf(input, body).retro.at(SlotOf(body)) == 'R';
    return {GlyphOfBody(input.catalogue, SlotOf(body)), DegreeText(position),
            GlyphText(SignGlyphCode(position.sign)), MinuteText(position) + (retro ? "R" : "")};
}

// Where the short marks of the true positions stand: from `outer` in to `inner`.
struct Marks {
    double outer = 0;
    double inner = 0;
};

ColumnSizes Scaled(ColumnSizes sizes, double factor) {
    for (ItemSize& size : sizes) size = {size.width * factor, size.height * factor};
    return sizes;
}

class ZodiacPainter {
  public:
    ZodiacPainter(DrawSurface& surface, const WheelInput& input, const WheelHouses& houses)
        : surface_(surface), input_(input), houses_(houses) {}

    WheelLayout draw();

  private:
    double angleOf(double longitude) const { return ZodiacAngle(longitude, houses_.ascendant); }
    ColumnSizes measureColumn(const std::vector<int>& bodies,
                              const std::array<double, ColumnItemCount>& heights, double factor);
    bool planRings(double factor);
    void drawZodiacBand();
    void drawHouses();
    void drawCuspLabels();
    void drawRing(const RingBodies& ring, const BodyRing& plan, const ColumnSizes& sizes,
                  const Marks& marks, bool transit);
    void drawAspectLines();
    void drawTitle();
    Box centred(Point at, const std::string& text, std::string_view font, double points,
                bool bold = false);

    DrawSurface& surface_;
    const WheelInput& input_;
    const WheelHouses& houses_;
    ZodiacFonts fonts_;
    WheelLayout layout_;
    std::vector<Box> printed_;

    RingBodies natal_, transit_;
    double factor_ = 1;
    BodyRing natalRing_, transitRing_;
    ColumnSizes natalSizes_{}, transitSizes_{};
    ColumnSizes natalFullSize_{}, transitFullSize_{};  // at the factor 1
    Marks natalMarks_, transitMarks_;
    double separator_ = 0;  // the circle between the transit and the natal ring
    double houseOuter_ = 0, aspectRadius_ = 0;
};

ColumnSizes ZodiacPainter::measureColumn(const std::vector<int>& bodies,
                                         const std::array<double, ColumnItemCount>& heights,
                                         double factor) {
    ColumnSizes sizes{};
    auto measure = [&](ColumnItem item, std::string_view font, double points,
                       const std::string& text) {
        surface_.setFontName(font);
        surface_.setFontSize(points);
        sizes[item].width = std::max(sizes[item].width, surface_.textWidth(text));
        sizes[item].height = std::max(sizes[item].height, std::abs(surface_.textHeight(text)));
    };
    surface_.setFontBold(false);
    const double glyphPoints = fonts_.glyph(heights[ItemGlyph] * factor);
    const double glyphTextPoints = fonts_.text(heights[ItemGlyph] * factor);
    for (int body : bodies) {
        BodyGlyphText glyph = GlyphOfBody(input_.catalogue, SlotOf(body));
        measure(ItemGlyph, glyph.inGlyphFont ? GlyphFontName : FontChoice{}.name,
                glyph.inGlyphFont ? glyphPoints : glyphTextPoints, glyph.text);
    }
    measure(ItemDegree, FontChoice{}.name, fonts_.text(heights[ItemDegree] * factor), "29\u00B0");
    for (int sign = 1; sign <= 12; ++sign)
        measure(ItemSign, GlyphFontName, fonts_.glyph(heights[ItemSign] * factor),
                GlyphText(SignGlyphCode(sign)));
    measure(ItemMinute, FontChoice{}.name, fonts_.text(heights[ItemMinute] * factor), "59'R");
    return sizes;
}

// Lays the rings out at a size factor; false when they do not fit (too many columns for the
// ring, or no room left for the aspect circle).
bool ZodiacPainter::planRings(double factor) {
    factor_ = factor;
    Marks marks{ZodiacInnerRadius - MarkerFrom, ZodiacInnerRadius - MarkerTo};
    if (input_.withTransit) {
        transitMarks_ = marks;
        transitSizes_ = Scaled(transitFullSize_, factor);
        transitRing_ = PlanBodyRing(marks.inner - RingGap, transitSizes_, ItemGap * factor);
        separator_ = transitRing_.inner - RingGap;
        marks = {separator_ - 1, separator_ - 1 - (MarkerTo - MarkerFrom)};
    }
    natalMarks_ = marks;
    natalSizes_ = Scaled(natalFullSize_, factor);
    natalRing_ = PlanBodyRing(marks.inner - RingGap, natalSizes_, ItemGap * factor);
    houseOuter_ = natalRing_.inner - RingGap;
    aspectRadius_ = houseOuter_ - HouseRingWidth * std::max(factor, 0.6);
    auto fits = [](const RingBodies& ring, const BodyRing& plan) {
        return static_cast<double>(ring.bodies.size()) * plan.separation <= 354;
    };
    return aspectRadius_ >= MinAspectRadius && fits(natal_, natalRing_) &&
           (!input_.withTransit || fits(transit_, transitRing_));
}

Box ZodiacPainter::centred(Point at, const std::string& text, std::string_view font, double points,
                           bool bold) {
    surface_.setFontName(font);
    surface_.setFontSize(points);
    surface_.setFontBold(bold);
    Box box = PrintCentred(surface_, at, text);
    printed_.push_back(box);
    return box;
}

void ZodiacPainter::drawZodiacBand() {
    const WheelTarget& target = input_.target;
    surface_.setForeColor(QbColor(0));
    surface_.setDrawStyle(DrawStyle::Solid);
    surface_.setDrawWidth(LineWidth(target, 1));
    surface_.circle({0, 0}, ZodiacOuterRadius);
    surface_.circle({0, 0}, ZodiacInnerRadius);
    for (int degree = 0; degree < 360; ++degree) {
        double a = angleOf(degree);
        double length = degree % 10 == 0 ? TickTen : degree % 5 == 0 ? TickFive : TickOne;
        if (degree % 30 == 0)
            surface_.line(PointOnWheel(a, ZodiacInnerRadius - length),
                          PointOnWheel(a, ZodiacOuterRadius));
        else
            surface_.line(PointOnWheel(a, ZodiacInnerRadius - length),
                          PointOnWheel(a, ZodiacInnerRadius));
    }
    const double glyphPoints = fonts_.glyph(SignGlyphHeight);
    for (int sign = 1; sign <= 12; ++sign) {
        surface_.setForeColor(ElementColors[(sign - 1) % 4]);
        centred(PointOnWheel(angleOf(30.0 * sign - 15), ZodiacInnerRadius + SignBandWidth / 2),
                GlyphText(SignGlyphCode(sign)), GlyphFontName, glyphPoints);
    }
}

// A longitude named on the rim: a house cusp, an axis, or both.
struct RimMark {
    double longitude = 0;
    std::string axis;  // "AC", "MC", "DC", "IC" or empty
};

// The cusps, and the four axes: an axis on a cusp (the quadrant systems) names it, one off every
// cusp (equal houses from the MC, whole signs, ...) is a mark of its own.
std::vector<RimMark> RimMarks(const WheelHouses& houses) {
    std::vector<RimMark> marks;
    for (int index = 1; index <= 12; ++index) marks.push_back({houses.cusps[index], ""});
    const std::pair<double, const char*> axes[] = {{houses.ascendant, "AC"},
                                                   {houses.midheaven, "MC"},
                                                   {Norm360(houses.ascendant + 180), "DC"},
                                                   {Norm360(houses.midheaven + 180), "IC"}};
    for (const auto& [longitude, name] : axes) {
        auto same = std::find_if(marks.begin(), marks.end(), [&](const RimMark& m) {
            return m.axis.empty() && std::abs(Norm360(m.longitude - longitude + 180) - 180) < 1e-6;
        });
        if (same != marks.end())
            same->axis = name;
        else
            marks.push_back({longitude, name});
    }
    return marks;
}

void ZodiacPainter::drawHouses() {
    const WheelTarget& target = input_.target;
    surface_.setDrawStyle(DrawStyle::Solid);
    surface_.setForeColor(CuspColor);
    surface_.setDrawWidth(LineWidth(target, 1));
    surface_.circle({0, 0}, houseOuter_);
    surface_.circle({0, 0}, aspectRadius_);
    if (input_.withTransit) surface_.circle({0, 0}, separator_);
    for (const RimMark& mark : RimMarks(houses_)) {
        bool axis = !mark.axis.empty();
        surface_.setForeColor(axis ? AxisColor : CuspColor);
        surface_.setDrawWidth(LineWidth(target, axis ? 2 : 1));
        double a = angleOf(mark.longitude);
        surface_.line(PointOnWheel(a, aspectRadius_), PointOnWheel(a, ZodiacInnerRadius));
    }
    surface_.setDrawWidth(LineWidth(target, 1));

    // House numbers in the middle of each house, spread where houses are narrow.
    std::vector<double> middles;
    for (int house = 1; house <= 12; ++house) {
        int index = (house + 2) % 12 + 1;  // cusp index of the house's own cusp
        double from = houses_.cusps[index], to = houses_.cusps[index % 12 + 1];
        middles.push_back(angleOf(from + Norm360(to - from) / 2));
    }
    const double points = fonts_.text(HouseNumberHeight * std::max(factor_, 0.6));
    surface_.setFontName(FontChoice{}.name);
    surface_.setFontSize(points);
    ItemSize size{surface_.textWidth("12"), std::abs(surface_.textHeight("12"))};
    const double radius = (houseOuter_ + aspectRadius_) / 2;
    std::vector<double> shown = SpreadAngles(middles, ClearAngle(size, radius, size, radius));
    surface_.setForeColor(CuspColor);
    for (int house = 1; house <= 12; ++house)
        centred(PointOnWheel(shown[house - 1], radius), std::to_string(house), FontChoice{}.name,
                points);
}

void ZodiacPainter::drawCuspLabels() {
    PositionFonts fonts{fonts_.text(CuspTextHeight), fonts_.glyph(CuspTextHeight), false};
    const double lineHeight = SignPositionHeight(surface_, fonts);
    struct Label {
        RimMark mark;
        SignPosition position;
        ItemSize size;
    };
    std::vector<Label> labels;
    std::vector<double> angles;
    ItemSize largest;
    double smallestHalf = 1e9;
    for (const RimMark& mark : RimMarks(houses_)) {
        PositionFonts own = fonts;
        own.bold = !mark.axis.empty();
        SignPosition position = SignPositionOf(mark.longitude);
        ItemSize size{SignPositionWidth(surface_, position, own), lineHeight};
        if (own.bold) size.height *= 2;
        labels.push_back({mark, position, size});
        angles.push_back(angleOf(mark.longitude));
        largest.width = std::max(largest.width, size.width);
        largest.height = std::max(largest.height, size.height);
        smallestHalf = std::min({smallestHalf, size.width / 2, size.height / 2});
    }
    const double nearest = ZodiacOuterRadius + CuspGap + smallestHalf;
    std::vector<double> shown =
        SpreadAngles(angles, ClearAngle(largest, nearest, largest, nearest));
    const double down = surface_.scale().height < 0 ? -1 : 1;
    for (size_t k = 0; k < labels.size(); ++k) {
        const Label& label = labels[k];
        const bool axis = !label.mark.axis.empty();
        const double a = shown[k];
        Point centre =
            PointOnWheel(a, ZodiacOuterRadius + CuspGap + RadialHalfExtent(label.size, a));
        double top = centre.y - down * label.size.height / 2;
        surface_.setForeColor(axis ? AxisColor : CuspColor);
        if (axis) {
            // The axis name above its position, both bold.
            centred({centre.x, top + down * lineHeight / 2}, label.mark.axis, FontChoice{}.name,
                    fonts.text, true);
            top += down * lineHeight;
            printed_.pop_back();  // the whole label's box is kept below
        }
        PositionFonts own = fonts;
        own.bold = axis;
        double width = SignPositionWidth(surface_, label.position, own);
        PrintSignPosition(surface_, {centre.x - width / 2, top}, label.position, own);
        printed_.push_back(BoxAround(centre, label.size.width, label.size.height));
        if (std::abs(Norm360(a - angles[k] + 180) - 180) > PointerSlack) {
            surface_.setDrawWidth(LineWidth(input_.target, 1));
            surface_.line(PointOnWheel(angles[k], ZodiacOuterRadius),
                          PointOnWheel(a, ZodiacOuterRadius + CuspGap));
        }
    }
    surface_.setFontBold(false);
}

void ZodiacPainter::drawRing(const RingBodies& ring, const BodyRing& plan, const ColumnSizes& sizes,
                             const Marks& marks, bool transit) {
    const std::array<double, ColumnItemCount>& heights = transit ? TransitHeights : NatalHeights;
    const double factor = factor_;
    const WheelTarget& target = input_.target;
    for (size_t k = 0; k < ring.bodies.size(); ++k) {
        const int body = ring.bodies[k];
        const double trueAngle = ring.trueAngles[k];
        const double shown = ring.shown[k];
        surface_.setForeColor(BodyColor(body));
        surface_.setDrawStyle(DrawStyle::Solid);
        surface_.setDrawWidth(LineWidth(target, 1));
        const double dot = (marks.outer + marks.inner) / 2;
        surface_.circle(PointOnWheel(trueAngle, dot), DotRadius);
        surface_.circle(PointOnWheel(trueAngle, dot), DotRadius / 2);
        const double glyphEdge =
            plan.radius[ItemGlyph] + RadialHalfExtent(sizes[ItemGlyph], shown) + 0.5;
        if (std::abs(Norm360(shown - trueAngle + 180) - 180) > PointerSlack)
            surface_.line(PointOnWheel(trueAngle, dot - DotRadius), PointOnWheel(shown, glyphEdge));

        ColumnTexts texts = TextsOf(input_, body);
        const double glyphPoints = texts.glyph.inGlyphFont
                                       ? fonts_.glyph(heights[ItemGlyph] * factor)
                                       : fonts_.text(heights[ItemGlyph] * factor);
        Box glyphBox =
            centred(PointOnWheel(shown, plan.radius[ItemGlyph]), texts.glyph.text,
                    texts.glyph.inGlyphFont ? GlyphFontName : FontChoice{}.name, glyphPoints);
        centred(PointOnWheel(shown, plan.radius[ItemDegree]), texts.degree, FontChoice{}.name,
                fonts_.text(heights[ItemDegree] * factor));
        centred(PointOnWheel(shown, plan.radius[ItemSign]), texts.sign, GlyphFontName,
                fonts_.glyph(heights[ItemSign] * factor));
        centred(PointOnWheel(shown, plan.radius[ItemMinute]), texts.minute, FontChoice{}.name,
                fonts_.text(heights[ItemMinute] * factor));

        PlacedGlyph glyph;
        glyph.body = body;
        glyph.angle = shown;
        glyph.anchor = {glyphBox.minX, glyphBox.maxY};
        glyph.glyphPoint = PointOnWheel(trueAngle, aspectRadius_);
        glyph.name = input_.catalogue.BodyNames[SlotOf(body)];
        glyph.longitude = Longitude(input_, body);
        glyph.second = ChartOf(input_, body).second[SlotOf(body)];
        glyph.falling = ChartOf(input_, body).direction.at(SlotOf(body)) == 'f';
        layout_.cellWidth = std::max(layout_.cellWidth, glyphBox.width());
        layout_.cellHeight = std::max(layout_.cellHeight, glyphBox.height());
        layout_.glyphs.push_back(glyph);
    }
}

void ZodiacPainter::drawAspectLines() {
    for (const WheelAspect& aspect : input_.aspects) {
        auto pen = AspectLinePen(aspect, input_.options, input_.target);
        if (!pen || !IsDisplayedBody(input_, aspect.body1) ||
            !IsDisplayedBody(input_, aspect.body2))
            continue;
        surface_.setForeColor(pen->color);
        surface_.setDrawWidth(input_.target.printer ? 3 * pen->width : pen->width);
        surface_.setDrawStyle(pen->style);
        surface_.line(PointOnWheel(angleOf(Longitude(input_, aspect.body1)), aspectRadius_),
                      PointOnWheel(angleOf(Longitude(input_, aspect.body2)), aspectRadius_));
    }
    surface_.setDrawWidth(LineWidth(input_.target, 1));
    surface_.setDrawStyle(DrawStyle::Solid);
}

void ZodiacPainter::drawTitle() {
    const WheelTitle& title = input_.title;
    auto nameAndDate = [](const std::string& name, const std::string& date) {
        return name.empty() ? date : date.empty() ? name : name + ", " + date;
    };
    std::vector<TitleText> lines;
    if (title.natalHarmonic != 1 || title.transitHarmonic != 1)
        lines.push_back({"HARMONIC", true, QbColor(0)});
    lines.push_back({nameAndDate(title.natalName, title.natalDate), false, NatalGlyphColor});
    if (input_.withTransit)
        lines.push_back(
            {nameAndDate(title.transitName, title.transitDate), false, TransitGlyphColor});
    lines.push_back({HouseSystemTitle(houses_), false, QbColor(0)});
    if (title.sidereal) lines.push_back({"Sidereal", false, QbColor(0)});
    DrawFittedTitle(surface_, lines, FilterCaption(input_.options.filter), title.notice,
                    {printed_, ZodiacOuterRadius + 1}, TitleTextHeight);
}

WheelLayout ZodiacPainter::draw() {
    const WheelTarget& target = input_.target;
    layout_.scale = WheelScale(target);
    surface_.setScale(layout_.scale);
    surface_.clear(input_.options.whiteBackground ? QbColor(15) : QbColor(7));
    fonts_ = MeasureFonts(surface_);

    for (int body = 1; body <= 2 * N; ++body) {
        if (!IsDisplayedBody(input_, body)) continue;
        int slot = SlotOf(body);
        // The natal ascendant and midheaven are the axes themselves.
        if (body <= N && (slot == SlotAscendant || slot == SlotMidheaven)) continue;
        RingBodies& ring = body > N ? transit_ : natal_;
        ring.bodies.push_back(body);
        ring.trueAngles.push_back(angleOf(Longitude(input_, body)));
    }
    // Text sizes grow with their fonts, so the columns are measured once at full size.
    natalFullSize_ = measureColumn(natal_.bodies, NatalHeights, 1);
    if (input_.withTransit) transitFullSize_ = measureColumn(transit_.bodies, TransitHeights, 1);
    double factor = 1;
    while (!planRings(factor) && factor > 0.2) factor *= 0.95;
    natal_.shown = SpreadAngles(natal_.trueAngles, natalRing_.separation);
    transit_.shown = SpreadAngles(transit_.trueAngles, transitRing_.separation);

    drawZodiacBand();
    drawHouses();
    drawAspectLines();
    drawCuspLabels();
    if (input_.withTransit) drawRing(transit_, transitRing_, transitSizes_, transitMarks_, true);
    drawRing(natal_, natalRing_, natalSizes_, natalMarks_, false);
    drawTitle();
    return layout_;
}

}  // namespace

double ZodiacAngle(double longitude, double ascendant) {
    return Norm360(180 + longitude - ascendant);
}

WheelLayout DrawZodiacWheel(DrawSurface& surface, const WheelInput& input,
                            const WheelHouses& houses) {
    ZodiacPainter painter(surface, input, houses);
    return painter.draw();
}

}  // namespace quintaro
