// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/wheel_files.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "temp_folder.h"
#include "wheel_test_input.h"

namespace quintaro {
namespace {

std::string Contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

WheelInput SampleWheel() {
    WheelInput input;
    test::AddNatal(input, SlotSun, 10);
    test::AddNatal(input, SlotMars, 130);
    input.aspects.push_back({SlotSun, SlotMars, 5, 0.5, true, AspectLineKind::Longitude});
    return input;
}

// The PNG decodes to an image of the asked size that holds more than the white background.
TEST(WheelFiles, PngDecodesToTheAskedSize) {
    test::TempFolder folder;
    SilentMessages messages;
    const auto file = folder.path() / "wheel.png";
    ASSERT_EQ(WriteWheelFile(SampleWheel(), file, 300, folder.path(), messages), "");
    cairo_surface_t* image = cairo_image_surface_create_from_png(file.c_str());
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(image), 300);
    EXPECT_EQ(cairo_image_surface_get_height(image), 300);
    cairo_surface_flush(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    int dark = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x) {
            const auto* pixel = reinterpret_cast<const uint32_t*>(data + y * stride) + x;
            if ((*pixel & 0xFFFFFF) != 0xFFFFFF) ++dark;
        }
    cairo_surface_destroy(image);
    EXPECT_GT(dark, 1000);  // the rings and lines are drawn
}

TEST(WheelFiles, PdfAndSvgAreWrittenWhole) {
    test::TempFolder folder;
    SilentMessages messages;
    ASSERT_EQ(WriteWheelFile(SampleWheel(), folder.path() / "w.pdf", 300, folder.path(), messages),
              "");
    const std::string pdf = Contents(folder.path() / "w.pdf");
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
    ASSERT_EQ(WriteWheelFile(SampleWheel(), folder.path() / "w.svg", 300, folder.path(), messages),
              "");
    EXPECT_NE(Contents(folder.path() / "w.svg").find("</svg>"), std::string::npos);
}

TEST(WheelFiles, UnknownExtensionsAndMissingFoldersAreRefused) {
    test::TempFolder folder;
    SilentMessages messages;
    EXPECT_NE(WriteWheelFile(SampleWheel(), folder.path() / "w.gif", 300, folder.path(), messages),
              "");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "w.gif"));
    EXPECT_NE(
        WriteWheelFile(SampleWheel(), folder.path() / "no" / "w.png", 300, folder.path(), messages),
        "");
}

}  // namespace
}  // namespace quintaro
