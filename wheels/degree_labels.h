// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "wheels/draw_surface.h"
#include "wheels/text_box.h"

namespace quintaro {

// The degree labels of the bodies stand in rows inside the ring, one row per display sector.
// A sector with fewer than 4 bodies uses 3 label slots 30.56 units apart; a fuller one uses
// narrow slots, 10 units apart or one label's width and a gap where a label is wider than that.
// The rows of sectors 5..8 and 9..12 lie near the top and bottom of the inner circle (sectors
// 9..12 in the left column); those of sectors 1..4 repeat the same pattern of rows nearer the
// centre. The offsets are those of the main wheel (ring base radius 200); a smaller wheel
// scales them.

constexpr double WideLabelSpacing = 30.56;
constexpr double NarrowLabelSpacing = 10;
constexpr double LabelFontSize = 8;
constexpr const char* LabelSampleText = "29.8";
constexpr double LabelGap = 4;  // user units kept free between two labels

// Offset from the wheel centre of the label slot of the `running`-th body of a sector (1 for
// the first placed), its left end at the row's height; a row goes on leftwards past its table
// for a sector holding more bodies. Slots are never closer than `labelPitch` (a label's width
// and the gap). None for a sector outside 1..12 or a running number below 1.
std::optional<Point> LabelSlotOffset(int sector, int bodiesInSector, int running,
                                     double labelPitch = NarrowLabelSpacing);

// The label of a longitude: its degrees within the sign, formatted "#0.0".
std::string DegreeLabelText(double longitude);

// Puts labels one after the other where they touch no label put before: at the slot asked for
// when it is free, else at the nearest free place on a lattice of label places around it (the
// same row first, then the rows above and below), always inside a disc around the centre.
class LabelPlacer {
  public:
    // height: of every label; pitch: the distance between two places in a row; radius: of the
    // disc the labels stay in (every corner inside).
    LabelPlacer(double height, double pitch, double radius);

    // The left end (at mid-height) of the place given to a label of this width whose slot is
    // `slot` (left end, mid-height); the slot itself when nothing is free.
    Point place(Point slot, double width);

    const std::vector<Box>& boxes() const { return boxes_; }

  private:
    bool free(const Box& box) const;

    double height_;
    double pitch_;
    double radius_;
    std::vector<Box> boxes_;
};

}  // namespace quintaro
