// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/draw_surface.h"

#include <cmath>

namespace quintaro {

Point DeviceMapping::toDevice(Point user) const {
    if (scale.width == 0 || scale.height == 0) return {};
    return {(user.x - scale.left) / scale.width * deviceWidth,
            (user.y - scale.top) / scale.height * deviceHeight};
}

Point DeviceMapping::toUser(Point device) const {
    if (deviceWidth == 0 || deviceHeight == 0) return {scale.left, scale.top};
    return {scale.left + device.x / deviceWidth * scale.width,
            scale.top + device.y / deviceHeight * scale.height};
}

double DeviceMapping::pixelsPerUnitX() const {
    return scale.width == 0 ? 0 : std::abs(deviceWidth / scale.width);
}

double DeviceMapping::pixelsPerUnitY() const {
    return scale.height == 0 ? 0 : std::abs(deviceHeight / scale.height);
}

}  // namespace quintaro
