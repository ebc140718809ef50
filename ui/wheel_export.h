// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPrinter>
#include <QString>
#include <filesystem>

#include "core/messages.h"
#include "wheels/wheel_input.h"
#include "wheels/wheel_layout.h"
#include "wheels/wheel_styles.h"

namespace quintaro {

// The wheel drawn into an image of the given size.
QImage WheelImage(WheelInput input, int width, int height);
QImage StyledWheelImage(StyledWheel wheel, int width, int height);

// Draws the wheel on a printer page (the printer's page, at the printer constants), one page.
bool PrintWheel(WheelInput input, QPrinter& printer);
bool PrintStyledWheel(StyledWheel wheel, QPrinter& printer);

// Writes the wheel as PNG, SVG or PDF, chosen by the file's extension. The glyph outlines for
// SVG come from outlineFile ("orvessa_paths.txt"). An empty string on success, else the reason.
QString ExportWheel(WheelInput input, const QString& file, int sizePx,
                    const std::filesystem::path& outlineFile, Messages& messages);
QString ExportStyledWheel(StyledWheel wheel, const QString& file, int sizePx,
                          const std::filesystem::path& outlineFile, Messages& messages);

}  // namespace quintaro
