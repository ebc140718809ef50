// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/degree_labels.h"

#include <array>

#include "core/degrees.h"
#include "core/formatting.h"

namespace quintaro {

namespace {

struct LabelRow {
    double y = 0;
    double wideFirstX = 0;    // first of the 3 wide slots; the others follow leftwards
    double narrowFirstX = 0;  // first of the narrow slots
    int narrowCount = 6;
};

constexpr double CentreWideX = 68.8;
constexpr double CentreNarrowX = 48;
constexpr double LeftWideX = -31.2;
constexpr double LeftNarrowX = -52;

constexpr std::array<LabelRow, 13> LabelRows = {{
    {},
    {24, CentreWideX, CentreNarrowX, 6},    // 1
    {-8, CentreWideX, CentreNarrowX, 6},    // 2
    {40, CentreWideX, CentreNarrowX, 8},    // 3
    {-24, CentreWideX, CentreNarrowX, 8},   // 4
    {120, CentreWideX, CentreNarrowX, 6},   // 5
    {-104, CentreWideX, CentreNarrowX, 6},  // 6
    {136, CentreWideX, CentreNarrowX, 8},   // 7
    {-120, CentreWideX, CentreNarrowX, 8},  // 8
    {120, LeftWideX, LeftNarrowX, 6},       // 9
    {-104, LeftWideX, LeftNarrowX, 6},      // 10
    {136, LeftWideX, LeftNarrowX, 8},       // 11
    {-120, LeftWideX, LeftNarrowX, 8},      // 12
}};

bool Wide(int bodiesInSector) {
    return bodiesInSector < 4;
}

}  // namespace

int LabelSlotCount(int sector, int bodiesInSector) {
    if (sector < 1 || sector > 12) return 0;
    return Wide(bodiesInSector) ? 3 : LabelRows[sector].narrowCount;
}

std::optional<Point> LabelSlotOffset(int sector, int bodiesInSector, int running) {
    if (running < 1 || running > LabelSlotCount(sector, bodiesInSector)) return std::nullopt;
    const LabelRow& row = LabelRows[sector];
    double x = Wide(bodiesInSector) ? row.wideFirstX - WideLabelSpacing * (running - 1)
                                    : row.narrowFirstX - NarrowLabelSpacing * (running - 1);
    return Point{x, row.y};
}

std::string DegreeLabelText(double longitude) {
    return FormatNumber(DegreeInSign(longitude), "#0.0");
}

}  // namespace quintaro
