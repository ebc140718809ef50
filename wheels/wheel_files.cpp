// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/wheel_files.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cctype>

#include "core/atomic_file.h"
#include "wheels/cairo_surface.h"
#include "wheels/glyph_codes.h"
#include "wheels/glyph_outlines.h"
#include "wheels/svg_surface.h"
#include "wheels/wheel_drawing.h"
#include "wheels/wheel_styles.h"

namespace quintaro {

namespace {

constexpr double kScreenDpi = 96;
constexpr double kPageDpi = 300;
constexpr double kA4WidthInches = 210 / 25.4;
constexpr double kA4HeightInches = 297 / 25.4;

// Collects what cairo writes, so that the file can be written whole.
cairo_status_t Collect(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

std::string Png(const WheelPainter& draw, int sizePx, const CairoGlyphFont& glyphs,
                std::string& bytes) {
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, sizePx, sizePx);
    cairo_t* cairo = cairo_create(image);
    cairo_set_source_rgb(cairo, 1, 1, 1);
    cairo_paint(cairo);
    CairoSurface surface(cairo, sizePx, sizePx, kScreenDpi, glyphs);
    WheelTarget target;
    target.deviceWidth = target.deviceHeight = sizePx;
    draw(surface, target);
    cairo_destroy(cairo);
    const cairo_status_t status = cairo_surface_write_to_png_stream(image, Collect, &bytes);
    cairo_surface_destroy(image);
    return status == CAIRO_STATUS_SUCCESS ? "" : cairo_status_to_string(status);
}

std::string Pdf(const WheelPainter& draw, const CairoGlyphFont& glyphs, std::string& bytes) {
    const double widthPoints = kA4WidthInches * 72, heightPoints = kA4HeightInches * 72;
    cairo_surface_t* page =
        cairo_pdf_surface_create_for_stream(Collect, &bytes, widthPoints, heightPoints);
    cairo_t* cairo = cairo_create(page);
    cairo_scale(cairo, 72 / kPageDpi, 72 / kPageDpi);  // draw in dots of 1/300 inch
    const double width = kA4WidthInches * kPageDpi, height = kA4HeightInches * kPageDpi;
    CairoSurface surface(cairo, width, height, kPageDpi, glyphs);
    WheelTarget target;
    target.printer = true;
    target.deviceWidth = width;
    target.deviceHeight = height;
    draw(surface, target);
    cairo_destroy(cairo);
    cairo_surface_finish(page);
    const cairo_status_t status = cairo_surface_status(page);
    cairo_surface_destroy(page);
    return status == CAIRO_STATUS_SUCCESS ? "" : cairo_status_to_string(status);
}

}  // namespace

std::string WriteDrawingFile(const WheelPainter& draw, const std::filesystem::path& file,
                             int sizePx, const std::filesystem::path& home, Messages& messages) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".svg") {
        SvgSurface surface(
            sizePx, sizePx,
            LoadGlyphOutlines(home / "orvessa_paths.txt", messages).value_or(GlyphOutlines{}));
        WheelTarget target;
        target.deviceWidth = target.deviceHeight = sizePx;
        draw(surface, target);
        return surface.save(file);
    }
    if (extension != ".png" && extension != ".pdf")
        return "the file name must end in .png, .svg or .pdf";
    const CairoGlyphFont glyphs(home / std::string(GlyphFontFileName));
    std::string bytes, error;
    error = extension == ".png" ? Png(draw, sizePx, glyphs, bytes) : Pdf(draw, glyphs, bytes);
    if (!error.empty()) return "cannot draw " + file.string() + ": " + error;
    error = WriteFileAtomically(file, bytes);
    return error.empty() ? "" : "cannot write " + file.string() + ": " + error;
}

std::string WriteWheelFile(WheelInput input, const std::filesystem::path& file, int sizePx,
                           const std::filesystem::path& home, Messages& messages) {
    StyledWheel wheel;
    wheel.input = std::move(input);
    return WriteStyledWheelFile(std::move(wheel), file, sizePx, home, messages);
}

std::string WriteStyledWheelFile(StyledWheel wheel, const std::filesystem::path& file, int sizePx,
                                 const std::filesystem::path& home, Messages& messages,
                                 StyledWheelLayout* drawn) {
    auto draw = [&](DrawSurface& surface, const WheelTarget& target) {
        WheelTarget styled = wheel.input.target;
        styled.printer = target.printer;
        styled.deviceWidth = target.deviceWidth;
        styled.deviceHeight = target.deviceHeight;
        SetTarget(wheel, styled);
        StyledWheelLayout layout = DrawStyledWheel(surface, wheel);
        if (drawn) *drawn = std::move(layout);
    };
    return WriteDrawingFile(draw, file, sizePx, home, messages);
}

}  // namespace quintaro
