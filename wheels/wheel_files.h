// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "core/messages.h"
#include "wheels/draw_surface.h"
#include "wheels/wheel_input.h"
#include "wheels/wheel_styles.h"

namespace quintaro {

// Draws a wheel for a target (screen image or printed page) on a surface.
using WheelPainter = std::function<void(DrawSurface&, const WheelTarget&)>;

// Writes a drawing into a file whose extension chooses the format: ".png" (an image of
// sizePx x sizePx pixels), ".svg" (a drawing of that size, glyphs as outlines from
// "orvessa_paths.txt") or ".pdf" (an A4 page at 300 dots per inch, drawn as for the printer).
// The glyph font and its outlines come from the installation folder `home`. The file is written
// whole or not at all. An empty string on success, else the reason.
std::string WriteDrawingFile(const WheelPainter& draw, const std::filesystem::path& file,
                             int sizePx, const std::filesystem::path& home, Messages& messages);

// The chart wheel (the lens wheel) written so.
std::string WriteWheelFile(WheelInput input, const std::filesystem::path& file, int sizePx,
                           const std::filesystem::path& home, Messages& messages);

// A wheel of any style written so; `drawn`, when given, receives where the glyphs went.
std::string WriteStyledWheelFile(StyledWheel wheel, const std::filesystem::path& file, int sizePx,
                                 const std::filesystem::path& home, Messages& messages,
                                 StyledWheelLayout* drawn = nullptr);

}  // namespace quintaro
