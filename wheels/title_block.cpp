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

std::vector<TitleLine> TitleLines(const WheelInput& input, std::string_view kindTitle) {
    std::vector<TitleLine> lines;
    if (input.title.natalHarmonic != 1 || input.title.transitHarmonic != 1)
        lines.push_back({"HARMONIC", true});
    lines.push_back({kindTitle.empty() ? ChartKindTitle(input) : std::string(kindTitle), false});
    lines.push_back({"Velm = " + std::to_string(input.lens), false});
    if (input.title.sidereal) lines.push_back({"Sidereal", false});
    return lines;
}

void DrawTitleBlock(DrawSurface& surface, const WheelInput& input, std::string_view kindTitle) {
    const UserScale& scale = surface.scale();
    double down = scale.height < 0 ? -1 : 1;  // direction of the next line on the surface
    surface.setForeColor(QbColor(0));
    surface.setFontName(FontChoice{}.name);
    surface.setFontSize(TitleFontSize);

    double y = scale.top + down * TitleMargin;
    for (const TitleLine& line : TitleLines(input, kindTitle)) {
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

    DrawNotice(surface, input.title.notice);
}

std::vector<std::string> NoticeLines(std::string_view notice) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= notice.size()) {
        size_t end = notice.find('\n', start);
        if (end == std::string_view::npos) end = notice.size();
        std::string line(notice.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

void DrawNotice(DrawSurface& surface, std::string_view notice) {
    const UserScale& scale = surface.scale();
    double down = scale.height < 0 ? -1 : 1;
    surface.setForeColor(QbColor(0));
    surface.setFontName(FontChoice{}.name);
    surface.setFontSize(TitleFontSize);
    surface.setFontBold(false);
    std::vector<std::string> lines = NoticeLines(notice);
    double y = scale.top + scale.height - down * TitleMargin;
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        y -= down * std::abs(surface.textHeight(*line));
        surface.moveTo({scale.left + TitleMargin, y});
        surface.printText(*line);
    }
}

}  // namespace quintaro
