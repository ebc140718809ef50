// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/wheel_styles.h"

#include <algorithm>

#include "wheels/duo_wheel.h"
#include "wheels/house_wheel.h"
#include "wheels/wheel_drawing.h"
#include "wheels/zodiac_wheel.h"

namespace quintaro {

std::string_view WheelStyleName(WheelStyle style) {
    return WheelStyleNames[static_cast<size_t>(style)];
}

std::optional<WheelStyle> FindWheelStyle(std::string_view name) {
    auto it = std::find(WheelStyleNames.begin(), WheelStyleNames.end(), name);
    if (it == WheelStyleNames.end()) return std::nullopt;
    return static_cast<WheelStyle>(it - WheelStyleNames.begin());
}

std::string HouseSystemTitle(const WheelHouses& houses) {
    std::string title = "House system = " + std::string(HouseSystemName(houses.system));
    if (houses.polarFallback) title += " (Porphyry cusps at this latitude)";
    return title;
}

void SetTarget(StyledWheel& wheel, const WheelTarget& target) {
    wheel.input.target = target;
    wheel.helio.target = target;
}

StyledWheelLayout DrawStyledWheel(DrawSurface& surface, const StyledWheel& wheel) {
    switch (wheel.style) {
        case WheelStyle::Duo:
            return DrawDuoWheel(surface, wheel.input, wheel.helio);
        case WheelStyle::House:
            return DrawHouseWheel(surface, wheel.input, wheel.houses);
        case WheelStyle::Zodiac:
            return {WheelStyle::Zodiac, {DrawZodiacWheel(surface, wheel.input, wheel.houses)}, {}};
        case WheelStyle::Lens:
            break;
    }
    return {WheelStyle::Lens, {DrawWheel(surface, wheel.input)}, {}};
}

namespace {

// The first wheel with a glyph under the device point, and the point in that wheel's scale.
std::optional<std::pair<const WheelLayout*, Point>> WheelAt(const StyledWheelLayout& layout,
                                                            Point device, double deviceWidth,
                                                            double deviceHeight) {
    for (const WheelLayout& wheel : layout.wheels) {
        Point user = DeviceMapping{wheel.scale, deviceWidth, deviceHeight}.toUser(device);
        if (BodyAt(wheel, user)) return std::pair{&wheel, user};
    }
    return std::nullopt;
}

}  // namespace

std::string StyledClickReport(const StyledWheelLayout& layout, Point device, double deviceWidth,
                              double deviceHeight) {
    auto hit = WheelAt(layout, device, deviceWidth, deviceHeight);
    if (!hit) return {};
    return layout.style == WheelStyle::Duo ? DuoClickReport(*hit->first, hit->second)
                                           : ClickReport(*hit->first, hit->second);
}

std::string StyledClipboardText(const StyledWheelLayout& layout, Point device, double deviceWidth,
                                double deviceHeight) {
    auto hit = WheelAt(layout, device, deviceWidth, deviceHeight);
    return hit ? ClipboardTextAt(*hit->first, hit->second) : std::string();
}

}  // namespace quintaro
