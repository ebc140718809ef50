// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <cairo.h>

#include <cstdint>
#include <optional>
#include <string>

namespace quintaro::test {

// A PNG file decoded whole with cairo.
struct DecodedPng {
    int width = 0, height = 0;
    double drawnShare = 0;  // share of pixels that differ from the top-left one (the background)
};

inline std::optional<DecodedPng> DecodePng(const std::string& path) {
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return std::nullopt;
    }
    cairo_surface_flush(surface);
    DecodedPng png{cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface)};
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const uint32_t background = *reinterpret_cast<const uint32_t*>(data);
    long drawn = 0;
    for (int y = 0; y < png.height; ++y)
        for (int x = 0; x < png.width; ++x)
            drawn += *reinterpret_cast<const uint32_t*>(data + y * stride + 4 * x) != background;
    png.drawnShare = static_cast<double>(drawn) / (png.width * png.height);
    cairo_surface_destroy(surface);
    return png;
}

}  // namespace quintaro::test
