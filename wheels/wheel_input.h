// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/bodies.h"
#include "core/chart_positions.h"
#include "core/selection_flags.h"

namespace quintaro {

// Everything the chart wheel draws from, filled by the caller from the workstation state. The
// wheel numbers its bodies 1..2N (N = BodyCount): natal body b is b, transit body b is N + b.

enum class WheelCoordinates { Geocentric, Heliocentric };

// Longitude aspects come from the longitude lists; parallels and contra-parallels from the
// declination (geocentric) or latitude (heliocentric) lists.
enum class AspectLineKind { Longitude, DeclinationLatitude };

// One found aspect, as a plain record of the aspect lists.
struct WheelAspect {
    int body1 = 0;  // 1..2N
    int body2 = 0;  // 1..2N
    int aspectCode = 1;
    double orb = 0;  // distance from exactness in degrees; only its size counts here
    bool applying = true;
    AspectLineKind kind = AspectLineKind::Longitude;
};

// 0 off; 1 applying aspects only, one line width; 2 applying aspects only, variable widths.
enum class ApplyingOnlyMode { Off = 0, SingleWidth = 1, VariableWidth = 2 };

// The aspect-line filters of the wheel menu, by value 0..8.
enum WheelFilter : int {
    FilterAll30Degree = 0,
    FilterQuincunxes = 1,
    FilterLinkages = 2,
    FilterClashes = 3,
    FilterQuintiles = 4,
    FilterNoLines = 5,
    FilterPureLinkages = 6,
    FilterAllLinkages = 7,
    FilterSaturnClashes = 8,
};

// One chart's positions in the wheel's coordinate kind, by slot 1..N.
struct WheelChart {
    PerSlot<double> longitude{};  // [0, 360)
    PerSlot<double> second{};     // declination or latitude
    SlotMarks direction;          // 'r' rising, 'f' falling, blank
    SlotMarks retro;              // 'R' retrograde in longitude, blank
    // Display sector 1..12 of each body: its house from the house placement; 0 where none was
    // recorded, in which case the wheel finds it from the boundary table.
    PerSlot<int> sector{};
};

struct WheelOptions {
    int filter = FilterAll30Degree;      // 0..8
    bool geometricPatternLines = false;  // lines join the true longitudes on the inner circle
    bool longitudeLines = true;
    bool declinationLatitudeLines = false;
    bool variableLines = false;
    bool displayAllAsSolid = false;
    bool whiteBackground = false;
    ApplyingOnlyMode applyingOnly = ApplyingOnlyMode::Off;
};

struct WheelTitle {
    std::string natalName;
    std::string natalDate;
    std::string transitName;
    std::string transitDate;
    int natalHarmonic = 1;
    int transitHarmonic = 1;
    bool bisect = false;
    bool sidereal = false;
    std::string notice;  // printed at the foot of the chart
};

// Where the wheel goes: the screen (or an image) of the given size, or the printer.
struct WheelTarget {
    bool printer = false;
    double deviceWidth = 800;  // pixels or printer dots; only the proportions count
    double deviceHeight = 800;
    std::array<double, 2> printerLineWidths{1, 2};
};

// The fixed 30-degree sector table of the chart computation: 90, 120, ..., 60 (entries 1..12).
std::array<double, 13> DefaultSectorBoundaries();

struct WheelInput {
    WheelCoordinates coordinates = WheelCoordinates::Geocentric;
    bool withTransit = false;  // a natal + transit wheel
    WheelChart natal;
    WheelChart transit;
    SelectionFlags selection;  // wheel body b (1..2N) is flag b
    BodyCatalogue catalogue = MakeBodyCatalogue();
    std::array<double, 13> boundaries = DefaultSectorBoundaries();  // entries 1..12, degrees
    int lens = 12;
    std::vector<WheelAspect> aspects;
    WheelOptions options;
    WheelTitle title;
    WheelTarget target;
};

}  // namespace quintaro
