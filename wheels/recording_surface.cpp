// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/recording_surface.h"

#include <algorithm>
#include <cctype>

#include "wheels/utf8_text.h"

namespace quintaro {

double RecordingSurface::textWidth(std::string_view text) const {
    return static_cast<double>(DecodeUtf8(text).size()) * CharWidthPerPoint * font().size;
}

double RecordingSurface::textHeight(std::string_view) const {
    return LineHeightPerPoint * font().size;
}

void RecordingSurface::drawClear(Color background) {
    ops_.clear();
    ops_.emplace_back(RecordedClear{background});
}

void RecordingSurface::drawLine(Point from, Point to) {
    ops_.emplace_back(
        RecordedLine{from, to, state().foreColor, state().drawWidth, state().drawStyle});
}

void RecordingSurface::drawCircle(Point centre, double radius) {
    ops_.emplace_back(
        RecordedCircle{centre, radius, state().foreColor, state().drawWidth, state().drawStyle});
}

void RecordingSurface::drawText(Point topLeft, std::string_view text) {
    const UserScale& s = scale();
    Point onPage{s.width < 0 ? s.left - topLeft.x : topLeft.x - s.left,
                 s.height < 0 ? s.top - topLeft.y : topLeft.y - s.top};
    Box box = TextBoxAt(onPage, textWidth(text), textHeight(text), false);
    ops_.emplace_back(
        RecordedText{topLeft, std::string(text), state().font, state().foreColor, box});
}

int CountLines(const RecordingSurface& surface, Color color) {
    auto lines = surface.lines();
    return static_cast<int>(
        std::count_if(lines.begin(), lines.end(), [&](const auto& l) { return l.color == color; }));
}

std::vector<Box> PageBoxes(const std::vector<RecordedText>& texts) {
    std::vector<Box> boxes;
    boxes.reserve(texts.size());
    for (const RecordedText& text : texts) boxes.push_back(text.pageBox);
    return boxes;
}

std::vector<RecordedText> TextsInFont(const RecordingSurface& surface, std::string_view fontName) {
    auto same = [](std::string_view a, std::string_view b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) ==
                   std::tolower(static_cast<unsigned char>(y));
        });
    };
    std::vector<RecordedText> out;
    for (const auto& text : surface.texts())
        if (same(text.font.name, fontName)) out.push_back(text);
    return out;
}

}  // namespace quintaro
