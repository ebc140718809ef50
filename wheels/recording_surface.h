// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "wheels/draw_surface.h"
#include "wheels/text_box.h"

namespace quintaro {

// Plain records of the drawing operations, each with the state it was drawn in.
struct RecordedClear {
    Color background;
};
struct RecordedLine {
    Point from;
    Point to;
    Color color;
    double width = 1;
    DrawStyle style = DrawStyle::Solid;
};
struct RecordedCircle {
    Point centre;
    double radius = 0;
    Color color;
    double width = 1;
    DrawStyle style = DrawStyle::Solid;
};
struct RecordedText {
    Point topLeft;
    std::string text;
    FontChoice font;
    Color color;
    // The room the text takes on the page, in user units measured from the top-left corner of
    // the scale it was printed in (x to the right, y downwards), so that texts printed in
    // shifted scales (the two wheels of the duo) compare.
    Box pageBox;
};
using RecordedOp = std::variant<RecordedClear, RecordedLine, RecordedCircle, RecordedText>;

// A surface that draws nothing and remembers every operation in order, so that tests can ask
// what was drawn. Text is measured with a fixed metric in user units: each character is
// 0.6 x the font size wide and a line is 1.2 x the font size high.
class RecordingSurface final : public DrawSurface {
  public:
    static constexpr double CharWidthPerPoint = 0.6;
    static constexpr double LineHeightPerPoint = 1.2;

    const std::vector<RecordedOp>& ops() const { return ops_; }
    std::vector<RecordedLine> lines() const { return OfKind<RecordedLine>(); }
    std::vector<RecordedCircle> circles() const { return OfKind<RecordedCircle>(); }
    std::vector<RecordedText> texts() const { return OfKind<RecordedText>(); }

    double textWidth(std::string_view text) const override;
    double textHeight(std::string_view text) const override;

  protected:
    void drawClear(Color background) override;
    void drawLine(Point from, Point to) override;
    void drawCircle(Point centre, double radius) override;
    void drawText(Point topLeft, std::string_view text) override;

  private:
    template <typename T>
    std::vector<T> OfKind() const {
        std::vector<T> out;
        for (const auto& op : ops_)
            if (const T* item = std::get_if<T>(&op)) out.push_back(*item);
        return out;
    }

    std::vector<RecordedOp> ops_;
};

// Number of recorded lines drawn in a colour.
int CountLines(const RecordingSurface& surface, Color color);

// The page boxes of the recorded texts.
std::vector<Box> PageBoxes(const std::vector<RecordedText>& texts);

// The recorded texts printed in a font (case ignored in the name).
std::vector<RecordedText> TextsInFont(const RecordingSurface& surface, std::string_view fontName);

}  // namespace quintaro
