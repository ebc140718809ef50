// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/houses.h"
#include "wheels/draw_surface.h"
#include "wheels/wheel_input.h"
#include "wheels/wheel_layout.h"

namespace quintaro {

// The kinds of chart wheel: the lens wheel ("Chartwheels"), the duo wheel with the geocentric
// and the heliocentric wheel side by side ("Duo Chartwheels"), the house wheel whose sectors are
// the houses of a chosen system, and the zodiac wheel, the conventional chart with the signs,
// the house cusps and the bodies at their longitudes.
enum class WheelStyle { Lens, Duo, House, Zodiac };

constexpr std::array<std::string_view, 4> WheelStyleNames = {"lens", "duo", "house", "zodiac"};
std::string_view WheelStyleName(WheelStyle style);
// The style of an exact name ("zodiac"), or nothing.
std::optional<WheelStyle> FindWheelStyle(std::string_view name);

// The natal chart's houses in the system the house and zodiac wheels show.
struct WheelHouses {
    HouseSystem system = HouseSystem::Placidus;
    HouseCuspArray cusps{};  // index 1 the 10th house, 4 the 1st, ... (core/houses.h)
    double ascendant = 0;
    double midheaven = 0;
    bool polarFallback = false;  // the system has no cusps here: they are Porphyry's
};

// "House system = Placidus", with a note when the cusps are Porphyry's.
std::string HouseSystemTitle(const WheelHouses& houses);

// Everything one styled wheel draws from.
struct StyledWheel {
    WheelStyle style = WheelStyle::Lens;
    WheelInput input;  // the wheel; for the duo its geocentric wheel
    WheelInput helio;  // the duo's heliocentric wheel
    WheelHouses houses;
};

// A body the house wheel had no room for.
struct LeftOutBody {
    int body = 0;   // 1..2N
    int house = 0;  // 1..12
    std::string name;
};

// Where a styled wheel put its glyphs: one wheel, or the duo's two (geocentric first), and the
// bodies the house wheel left out.
struct StyledWheelLayout {
    WheelStyle style = WheelStyle::Lens;
    std::vector<WheelLayout> wheels;
    std::vector<LeftOutBody> leftOut;
};

// The same wheel for another target (window, image, page).
void SetTarget(StyledWheel& wheel, const WheelTarget& target);

// Draws the wheel of its style on the surface, scale and background included.
StyledWheelLayout DrawStyledWheel(DrawSurface& surface, const StyledWheel& wheel);

// The report of a click at a device point of a device of the given size: the body under it in
// the words of the style (the duo's kind texts, the others' " Natal "/" Trans "); empty when the
// click hit no glyph.
std::string StyledClickReport(const StyledWheelLayout& layout, Point device, double deviceWidth,
                              double deviceHeight);

// The clipboard text of the body under a click; empty when the click hit no glyph.
std::string StyledClipboardText(const StyledWheelLayout& layout, Point device, double deviceWidth,
                                double deviceHeight);

}  // namespace quintaro
