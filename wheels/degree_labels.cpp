// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/degree_labels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "core/degrees.h"
#include "core/formatting.h"

namespace quintaro {

namespace {

struct LabelRow {
    double y = 0;
    double wideFirstX = 0;    // first of the 3 wide slots; the others follow leftwards
    double narrowFirstX = 0;  // first of the narrow slots
};

constexpr double CentreWideX = 68.8;
constexpr double CentreNarrowX = 48;
constexpr double LeftWideX = -31.2;
constexpr double LeftNarrowX = -52;

constexpr std::array<LabelRow, 13> LabelRows = {{
    {},
    {24, CentreWideX, CentreNarrowX},    // 1
    {-8, CentreWideX, CentreNarrowX},    // 2
    {40, CentreWideX, CentreNarrowX},    // 3
    {-24, CentreWideX, CentreNarrowX},   // 4
    {120, CentreWideX, CentreNarrowX},   // 5
    {-104, CentreWideX, CentreNarrowX},  // 6
    {136, CentreWideX, CentreNarrowX},   // 7
    {-120, CentreWideX, CentreNarrowX},  // 8
    {120, LeftWideX, LeftNarrowX},       // 9
    {-104, LeftWideX, LeftNarrowX},      // 10
    {136, LeftWideX, LeftNarrowX},       // 11
    {-120, LeftWideX, LeftNarrowX},      // 12
}};

bool Wide(int bodiesInSector) {
    return bodiesInSector < 4;
}

// Steps (columns along the row, rows away from the centre) from a label's slot to the places
// tried after it, nearest first: a column costs 1, a row 3, so that a label stays in its row
// while a free place is near.
struct LatticeStep {
    int column = 0;
    int row = 0;
};

constexpr int MaxColumns = 24;
constexpr int MaxRows = 40;

std::vector<LatticeStep> MakeLatticeSteps() {
    std::vector<LatticeStep> steps;
    for (int row = -MaxRows; row <= MaxRows; ++row)
        for (int column = -MaxColumns; column <= MaxColumns; ++column)
            steps.push_back({column, row});
    auto cost = [](const LatticeStep& s) { return std::abs(s.column) + 3 * std::abs(s.row); };
    std::stable_sort(steps.begin(), steps.end(), [&](const LatticeStep& a, const LatticeStep& b) {
        if (cost(a) != cost(b)) return cost(a) < cost(b);
        if (std::abs(a.row) != std::abs(b.row)) return std::abs(a.row) < std::abs(b.row);
        if (a.row != b.row) return a.row > b.row;  // away from the centre first
        return a.column > b.column;                // further along the row first
    });
    return steps;
}

const std::vector<LatticeStep>& LatticeSteps() {
    static const std::vector<LatticeStep> steps = MakeLatticeSteps();
    return steps;
}

bool InsideDisc(const Box& box, double radius) {
    for (double x : {box.minX, box.maxX})
        for (double y : {box.minY, box.maxY})
            if (std::hypot(x, y) > radius) return false;
    return true;
}

}  // namespace

std::optional<Point> LabelSlotOffset(int sector, int bodiesInSector, int running,
                                     double labelPitch) {
    if (sector < 1 || sector > 12 || running < 1) return std::nullopt;
    const LabelRow& row = LabelRows[sector];
    double x = Wide(bodiesInSector)
                   ? row.wideFirstX - std::max(WideLabelSpacing, labelPitch) * (running - 1)
                   : row.narrowFirstX - std::max(NarrowLabelSpacing, labelPitch) * (running - 1);
    return Point{x, row.y};
}

std::string DegreeLabelText(double longitude) {
    return FormatNumber(DegreeInSign(longitude), "#0.0");
}

LabelPlacer::LabelPlacer(double height, double pitch, double radius)
    : height_(height), pitch_(pitch), radius_(radius) {}

bool LabelPlacer::free(const Box& box) const {
    if (!InsideDisc(box, radius_)) return false;
    return std::none_of(boxes_.begin(), boxes_.end(),
                        [&](const Box& placed) { return Overlap(placed, box); });
}

Point LabelPlacer::place(Point slot, double width) {
    const double lineStep = height_ + LabelGap;
    const double outwards = slot.y < 0 ? -1 : 1;
    auto boxAt = [&](Point p) {
        return Box{p.x, p.y - height_ / 2, p.x + width, p.y + height_ / 2};
    };
    for (const LatticeStep& step : LatticeSteps()) {
        Point at{slot.x - step.column * pitch_, slot.y + outwards * step.row * lineStep};
        Box box = boxAt(at);
        if (free(box)) {
            boxes_.push_back(box);
            return at;
        }
    }
    boxes_.push_back(boxAt(slot));
    return slot;
}

}  // namespace quintaro
