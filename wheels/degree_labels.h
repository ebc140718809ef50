// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "wheels/draw_surface.h"

namespace quintaro {

// The degree labels of the bodies stand in rows inside the ring, one row per display sector.
// A sector with fewer than 4 bodies uses 3 label slots 30.56 units apart; a fuller one uses 6
// or 8 slots 10 units apart. The rows of sectors 5..8 and 9..12 lie near the top and bottom of
// the inner circle (sectors 9..12 in the left column); those of sectors 1..4 repeat the same
// pattern of rows nearer the centre.

constexpr double WideLabelSpacing = 30.56;
constexpr double NarrowLabelSpacing = 10;
constexpr double LabelFontSize = 8;
constexpr const char* LabelSampleText = "29.8";

// Number of label slots of display sector 1..12 holding the given number of bodies.
int LabelSlotCount(int sector, int bodiesInSector);

// Offset from the wheel centre of label slot `running` (1 for the first body placed in the
// sector); none beyond the sector's last slot or for a sector outside 1..12.
std::optional<Point> LabelSlotOffset(int sector, int bodiesInSector, int running);

// The label of a longitude: its degrees within the sign, formatted "#0.0".
std::string DegreeLabelText(double longitude);

}  // namespace quintaro
