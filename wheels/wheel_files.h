// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

#include "core/messages.h"
#include "wheels/wheel_input.h"

namespace quintaro {

// Writes the wheel into a file whose extension chooses the format: ".png" (an image of
// sizePx x sizePx pixels), ".svg" (a drawing of that size, glyphs as outlines from
// "orvessa_paths.txt") or ".pdf" (an A4 page at 300 dots per inch, drawn as for the printer).
// The glyph font and its outlines come from the installation folder `home`. The file is written
// whole or not at all. An empty string on success, else the reason.
std::string WriteWheelFile(WheelInput input, const std::filesystem::path& file, int sizePx,
                           const std::filesystem::path& home, Messages& messages);

}  // namespace quintaro
