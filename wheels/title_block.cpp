// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/title_block.h"

#include <cmath>

#include "wheels/aspect_lines.h"

namespace quintaro {

namespace {

std::string NameAndDate(const std::string& name, const std::string& date) {
    if (name.empty()) return date;
    if (date.empty()) return name;
    return name + ", " + date;
}

}  // namespace

std::string ChartKindTitle(const WheelInput& input) {
    std::string kind = input.coordinates == WheelCoordinates::Heliocentric ? "helio" : "geo";
    std::string text = kind + (input.title.bisect ? " bisect chart (" : " chart (");
    text += NameAndDate(input.title.natalName, input.title.natalDate);
    if (input.withTransit)
        text += " / " + NameAndDate(input.title.transitName, input.title.transitDate);
    return text + ")";
}

std::vector<TitleLine> TitleLines(const WheelInput& input) {
    std::vector<TitleLine> lines;
    if (input.title.natalHarmonic != 1 || input.title.transitHarmonic != 1)
        lines.push_back({"HARMONIC", true});
    lines.push_back({ChartKindTitle(input), false});
    lines.push_back({"Velm = " + std::to_string(input.lens), false});
    if (input.title.sidereal) lines.push_back({"Sidereal", false});
    return lines;
}

void DrawTitleBlock(DrawSurface& surface, const WheelInput& input) {
    const UserScale& scale = surface.scale();
    double down = scale.height < 0 ? -1 : 1;  // direction of the next line on the surface
    surface.setForeColor(QbColor(0));
    surface.setFontName(FontChoice{}.name);
    surface.setFontSize(TitleFontSize);

    double y = scale.top + down * TitleMargin;
    for (const TitleLine& line : TitleLines(input)) {
        surface.setFontBold(line.bold);
        surface.moveTo({scale.left + TitleMargin, y});
        surface.printText(line.text);
        y += down * std::abs(surface.textHeight(line.text));
    }
    surface.setFontBold(false);

    std::string_view caption = FilterCaption(input.options.filter);
    if (!caption.empty()) {
        double x = scale.left + scale.width - surface.textWidth(caption) - TitleMargin;
        surface.moveTo({x, scale.top + down * TitleMargin});
        surface.printText(caption);
    }

    if (!input.title.notice.empty()) {
        double bottom = scale.top + scale.height;
        double height = std::abs(surface.textHeight(input.title.notice));
        surface.moveTo({scale.left + TitleMargin, bottom - down * (height + TitleMargin)});
        surface.printText(input.title.notice);
    }
}

}  // namespace quintaro
