// SPDX-License-Identifier: AGPL-3.0-or-later
// Every wheel style drawn with the glyph font into 800 x 800 images in build/screenshots, to be
// looked at: a natal chart, natal + transits, and a crowded chart.
#ifdef QUINTARO_GLYPH_FONT_BUILT
#include <cairo.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "recording_messages.h"
#include "sample_charts.h"
#include "wheels/wheel_files.h"

namespace quintaro {
namespace {

const std::filesystem::path FontDir = std::filesystem::path(QUINTARO_BINARY_DIR) / "fonts";
const std::filesystem::path ShotDir = std::filesystem::path(QUINTARO_BINARY_DIR) / "screenshots";

// How many distinct colours the image holds, sampling every third pixel.
int ColoursOfPng(const std::filesystem::path& file, int& width) {
    cairo_surface_t* image = cairo_image_surface_create_from_png(file.string().c_str());
    width = cairo_image_surface_get_width(image);
    std::set<uint32_t> seen;
    const int height = cairo_image_surface_get_height(image);
    const int stride = cairo_image_surface_get_stride(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    for (int y = 0; data && y < height; y += 3)
        for (int x = 0; x < width; x += 3)
            seen.insert(*reinterpret_cast<const uint32_t*>(data + y * stride + 4 * x) & 0xFFFFFF);
    cairo_surface_destroy(image);
    return static_cast<int>(seen.size());
}

TEST(WheelScreenshots, EveryStyleDrawsNatalTransitAndCrowdedCharts) {
    std::filesystem::create_directories(ShotDir);
    for (WheelStyle style :
         {WheelStyle::Lens, WheelStyle::Duo, WheelStyle::House, WheelStyle::Zodiac}) {
        const std::string name(WheelStyleName(style));
        const std::pair<std::string, StyledWheel> charts[] = {
            {"natal", test::SampleChart(style, false)},
            {"transits", test::SampleChart(style, true)},
            {"crowded", test::CrowdedChart(style, 7, true)},
        };
        for (const auto& [kind, wheel] : charts) {
            const auto file = ShotDir / ("wheel_" + name + "_" + kind + ".png");
            test::RecordingMessages messages;
            ASSERT_EQ(WriteStyledWheelFile(wheel, file, 800, FontDir, messages), "") << file;
            int width = 0;
            EXPECT_GT(ColoursOfPng(file, width), 4) << file;
            EXPECT_EQ(width, 800) << file;
        }
    }
}

}  // namespace
}  // namespace quintaro
#endif  // QUINTARO_GLYPH_FONT_BUILT
