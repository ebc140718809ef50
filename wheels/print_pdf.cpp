// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/print_pdf.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include "core/atomic_file.h"

namespace quintaro {

namespace {

// Collects what cairo writes, so that the file can be written whole.
cairo_status_t Collect(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::string RenderPrintPdf(const PrintDocument& document, const CairoGlyphFont& glyphs,
                           std::string& bytes, const PageGeometry& page) {
    bytes.clear();
    cairo_surface_t* pdf =
        cairo_pdf_surface_create_for_stream(Collect, &bytes, page.width, page.height);
    if (!document.name.empty())
        cairo_pdf_surface_set_metadata(pdf, CAIRO_PDF_METADATA_TITLE, document.name.c_str());
    cairo_pdf_surface_set_metadata(pdf, CAIRO_PDF_METADATA_CREATOR, "Quintaro");
    cairo_t* cairo = cairo_create(pdf);
    {
        // The device is the page in points.
        CairoSurface surface(cairo, page.width, page.height, 72, glyphs);
        const PrintLayout layout = LayOutPrint(document, page, surface);
        for (std::size_t p = 0; p < layout.pages.size(); ++p) {
            DrawPrintedPage(layout, p, surface, 0.5);
            cairo_show_page(cairo);
        }
    }
    cairo_destroy(cairo);
    cairo_surface_finish(pdf);
    const cairo_status_t status = cairo_surface_status(pdf);
    cairo_surface_destroy(pdf);
    if (status != CAIRO_STATUS_SUCCESS) {
        bytes.clear();
        return cairo_status_to_string(status);
    }
    return {};
}

std::string WritePrintPdf(const PrintDocument& document, const std::filesystem::path& file,
                          const std::filesystem::path& glyphFontFile) {
    const CairoGlyphFont glyphs(glyphFontFile);
    std::string bytes;
    std::string error = RenderPrintPdf(document, glyphs, bytes);
    if (!error.empty()) return "cannot draw " + file.string() + ": " + error;
    error = WriteFileAtomically(file, bytes);
    return error.empty() ? "" : "cannot write " + file.string() + ": " + error;
}

}  // namespace quintaro
