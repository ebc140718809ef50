// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

#include "wheels/cairo_surface.h"
#include "wheels/print_document.h"
#include "wheels/print_layout.h"

namespace quintaro {

// A printed document as the bytes of a PDF file of A4 pages (or the given geometry), drawn with
// cairo; glyph texts in `glyphs`. Empty on success, else the reason.
std::string RenderPrintPdf(const PrintDocument& document, const CairoGlyphFont& glyphs,
                           std::string& bytes, const PageGeometry& page = {});

// Writes it into a file, whole or not at all, with the glyph font read from `glyphFontFile`.
// Empty on success, else the reason.
std::string WritePrintPdf(const PrintDocument& document, const std::filesystem::path& file,
                          const std::filesystem::path& glyphFontFile);

}  // namespace quintaro
