// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/fitted_title.h"

#include <algorithm>
#include <cmath>

#include "wheels/sign_position.h"
#include "wheels/title_block.h"
#include "wheels/utf8_text.h"

namespace quintaro {

namespace {

constexpr char32_t Ellipsis = 0x2026;

bool Clear(const Box& box, const TitleObstacles& obstacles) {
    double nearestX = std::clamp(0.0, box.minX, box.maxX);
    double nearestY = std::clamp(0.0, box.minY, box.maxY);
    if (std::hypot(nearestX, nearestY) < obstacles.radius) return false;
    return std::none_of(obstacles.boxes.begin(), obstacles.boxes.end(),
                        [&](const Box& other) { return Overlap(box, other); });
}

// The longest form of the text (whole, or cut and ended with "…") whose box, placed by
// `boxOf(width)`, is clear; empty when none is.
template <typename BoxOf>
std::string Fitting(DrawSurface& surface, const std::string& text, BoxOf boxOf,
                    const TitleObstacles& obstacles) {
    if (Clear(boxOf(surface.textWidth(text)), obstacles)) return text;
    std::u32string chars = DecodeUtf8(text);
    while (!chars.empty()) {
        chars.pop_back();
        std::string candidate;
        for (char32_t c : chars) AppendUtf8(candidate, c);
        while (!candidate.empty() && candidate.back() == ' ') candidate.pop_back();
        if (candidate.empty()) break;
        AppendUtf8(candidate, Ellipsis);
        if (Clear(boxOf(surface.textWidth(candidate)), obstacles)) return candidate;
    }
    return {};
}

}  // namespace

std::vector<Box> DrawFittedTitle(DrawSurface& surface, const std::vector<TitleText>& lines,
                                 std::string_view caption, std::string_view notice,
                                 const TitleObstacles& obstacles, double height) {
    const UserScale& scale = surface.scale();
    const bool yUp = scale.height < 0;
    const double down = yUp ? -1 : 1;
    const double left = scale.left + TitleMargin;
    const double right = scale.left + scale.width - TitleMargin;
    const double top = scale.top + down * TitleMargin;
    const double bottom = scale.top + scale.height - down * TitleMargin;
    std::vector<Box> printed;
    surface.setFontName(FontChoice{}.name);
    surface.setFontSize(PointsForHeight(surface, FontChoice{}.name, height));

    auto print = [&](const std::string& text, Point topLeft) {
        surface.moveTo(topLeft);
        surface.printText(text);
        printed.push_back(TextBoxAt(topLeft, surface.textWidth(text), height, yUp));
    };

    double y = top;
    for (const TitleText& line : lines) {
        surface.setFontBold(line.bold);
        surface.setForeColor(line.color);
        std::string shown = Fitting(
            surface, line.text,
            [&](double width) {
                return TextBoxAt({left, y}, width, height, yUp);
            },
            obstacles);
        if (!shown.empty()) print(shown, {left, y});
        y += down * height;
    }
    surface.setFontBold(false);
    surface.setForeColor(QbColor(0));
    if (!caption.empty()) {
        std::string shown = Fitting(
            surface, std::string(caption),
            [&](double width) {
                return TextBoxAt({right - width, top}, width, height, yUp);
            },
            obstacles);
        if (!shown.empty()) print(shown, {right - surface.textWidth(shown), top});
    }
    std::vector<std::string> noticeLines = NoticeLines(notice);
    y = bottom - down * height * static_cast<double>(noticeLines.size());
    for (const std::string& line : noticeLines) {
        std::string shown = Fitting(
            surface, line,
            [&](double width) {
                return TextBoxAt({left, y}, width, height, yUp);
            },
            obstacles);
        if (!shown.empty()) print(shown, {left, y});
        y += down * height;
    }
    return printed;
}

}  // namespace quintaro
