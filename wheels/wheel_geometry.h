// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>

#include "wheels/draw_surface.h"
#include "wheels/wheel_input.h"

namespace quintaro {

// Wheel angles are screen angles in degrees, counter-clockwise from the positive x axis, around
// the wheel centre at the user origin with y growing upwards.

constexpr double WheelPi = 3.1415926535;
constexpr double RingBaseRadius = 200;
constexpr double ZodiacBandWidth = 30;
constexpr double ScreenRingFactor = 0.9775;
constexpr double PrinterRingFactor = 0.955;
constexpr double GlyphCircleOffset = 5;  // the glyph circle lies this far outside the base radius
constexpr double ScaleHalfHeight = 272;  // half the shorter side of the scale, in user units

constexpr int SectorCount = 12;
constexpr int SlotsPerSector = 8;
constexpr int SlotTableSize = SectorCount * SlotsPerSector;
constexpr double SlotWidth = 3.75;  // degrees

// The point at a screen angle and radius.
Point PointOnWheel(double angle, double radius);

// The screen angle of a point seen from the centre, in [0, 360).
double AngleOfPoint(Point p);

struct RingRadii {
    double inner = 0;
    double outer = 0;
    double glyph = 0;  // the circle the glyphs are printed on
};
// The radii of a ring of the given base radius (200 for the main wheel).
RingRadii WheelRingRadii(bool printer, double baseRadius = RingBaseRadius);

// The user scale: origin at the wheel centre, y upwards, the shorter side 2 x 272 units long.
UserScale WheelScale(const WheelTarget& target);

// Screen angle at which the slots of display sector 1..12 begin: 182 + 30 (s - 1), mod 360.
double SectorStartAngle(int sector);

// Entry of the 12-entry boundary table where display sector 1..12 begins (s + 3 up to 9, s - 9
// from 10 on), and the sector's size, the distance to the next entry, in [0, 360).
int SectorBoundaryEntry(int sector);
double SectorSize(const std::array<double, 13>& boundaries, int sector);

// The display sector a longitude falls in, by the boundary table (the rule of the house
// placement: a body on a boundary belongs to the sector that begins there). 0 for a table
// that covers nothing.
int SectorOfLongitude(const std::array<double, 13>& boundaries, double longitude);

}  // namespace quintaro
