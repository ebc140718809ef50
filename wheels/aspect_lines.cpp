// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/aspect_lines.h"

#include <array>
#include <cmath>

namespace quintaro {

namespace {

using namespace wheel_aspect;

constexpr std::array<std::string_view, 9> FilterCaptions = {"All 30 Degree Aspects",
                                                            "Quincunxes",
                                                            "Linkages and Semi-Linkages",
                                                            "Clashes",
                                                            "Quintiles and Bi-Quintiles",
                                                            "No Aspect Lines",
                                                            "Pure Linkages",
                                                            "All Linkages",
                                                            "Saturn Clashes"};

bool IsSaturn(int body) {
    return body >= 1 && (body - 1) % BodyCount + 1 == SlotSaturn;
}

bool OneOf(int code, std::initializer_list<int> codes) {
    for (int c : codes)
        if (c == code) return true;
    return false;
}

}  // namespace

std::string_view FilterCaption(int filter) {
    return filter >= 0 && filter < static_cast<int>(FilterCaptions.size()) ? FilterCaptions[filter]
                                                                           : std::string_view();
}

bool FilterPasses(int filter, int code, int body1, int body2) {
    bool saturn = IsSaturn(body1) || IsSaturn(body2);
    switch (filter) {
        case FilterAll30Degree:
            return OneOf(code,
                         {Conjunction, SemiSextile, Sextile, Square, Trine, Quincunx, Opposition});
        case FilterQuincunxes:
            return code == Quincunx;
        case FilterLinkages:
            return OneOf(code, {Conjunction, Sextile, Trine});
        case FilterClashes:
            return OneOf(code, {Square, Opposition});
        case FilterQuintiles:
            return OneOf(code, {Quintile, Biquintile});
        case FilterPureLinkages:
            return OneOf(code, {Conjunction, Trine});
        case FilterAllLinkages:
            return OneOf(code, {Conjunction, Trine}) || (code == Quincunx && !saturn);
        case FilterSaturnClashes:
            return saturn && OneOf(code, {Square, Opposition, Quincunx});
        default:
            return false;
    }
}

Color AspectLineColor(int code) {
    switch (code) {
        case Conjunction:
        case Parallel:
            return AspectLightGreen;
        case Square:
        case Opposition:
            return AspectRed;
        case Trine:
            return AspectGreen;
        case Quincunx:
        case ContraParallel:
            return AspectBlue;
        case Quintile:
        case Biquintile:
            return QuintileColor;
        default:
            return QbColor(0);
    }
}

double VariableLineWidth(double orb) {
    double width = 4 - std::floor(std::abs(orb));
    return width < 1 ? 1 : width;
}

std::optional<LinePen> AspectLinePen(const WheelAspect& aspect, const WheelOptions& options,
                                     const WheelTarget& target) {
    if (options.filter == FilterNoLines) return std::nullopt;
    if (options.applyingOnly != ApplyingOnlyMode::Off && !aspect.applying) return std::nullopt;
    if (aspect.kind == AspectLineKind::Longitude) {
        if (!options.longitudeLines) return std::nullopt;
        if (!FilterPasses(options.filter, aspect.aspectCode, aspect.body1, aspect.body2))
            return std::nullopt;
    } else {
        if (!options.declinationLatitudeLines) return std::nullopt;
        if (aspect.aspectCode != Parallel && aspect.aspectCode != ContraParallel)
            return std::nullopt;
    }

    LinePen pen;
    pen.color = AspectLineColor(aspect.aspectCode);
    bool variable =
        options.variableLines || options.applyingOnly == ApplyingOnlyMode::VariableWidth;
    if (variable)
        pen.width = VariableLineWidth(aspect.orb);
    else if (target.printer && aspect.aspectCode == Conjunction)
        pen.width = target.printerLineWidths[1];
    pen.style = aspect.applying || options.displayAllAsSolid ? DrawStyle::Solid : DrawStyle::Dashed;
    return pen;
}

}  // namespace quintaro
