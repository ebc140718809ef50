// SPDX-License-Identifier: AGPL-3.0-or-later
// A 300-row aspect listing (transit-natal, exact times on, a declination table beside it) printed
// to PDF with cairo, the way the command line prints (goal: under 200 ms): laid out only, drawn
// into memory, and written to a file whole.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "app/printouts.h"
#include "core/glyph_text.h"
#include "wheels/glyph_codes.h"
#include "wheels/print_pdf.h"
#include "wheels/recording_surface.h"

namespace {

using namespace quintaro;

const std::filesystem::path kGlyphFont =
    std::filesystem::path(QUINTARO_BINARY_DIR) / "fonts" / std::string(GlyphFontFileName);

constexpr int kParallel = 7;  // the aspect code of the parallel

GridSection Section(const char* title, CoordinateKind kind, int rows) {
    static const char* const kNames[] = {"sun  ", "moon ", "mercu", "venus", "mars ",
                                         "jupit", "satur", "uranu", "neptu", "pluto"};
    GridSection section;
    section.title = title;
    section.kind = kind;
    for (int i = 0; i < rows; ++i) {
        GridRow row;
        const std::string aspect =
            IsLongitudeKind(kind) ? std::string("120") : GlyphChar(AspectGlyphCode(kParallel));
        row.cells = {"",        std::to_string(i + 1), kNames[i % 10],
                     aspect,    kNames[(i / 10) % 10], i % 2 ? "a 1.25" : "s 0.75",
                     "-12.50d", "12/24/2026   23:59"};
        section.rows.push_back(row);
    }
    return section;
}

PrintDocument Listing300() {
    ListingInputs inputs;
    inputs.noticeLine = "Quintaro astrology workstation";
    inputs.displayMode = 8;
    inputs.natal.name = "Natal";
    inputs.transit.name = "Transits";
    GridModel longitudes, declinations;
    longitudes.timedInUse = declinations.timedInUse = true;
    longitudes.sections = {Section("Longitudes", CoordinateKind::GeoLongitude, 200),
                           Section("Helio Longitudes", CoordinateKind::HelioLongitude, 100)};
    declinations.sections = {Section("Declinations", CoordinateKind::GeoDeclination, 80),
                             Section("Helio Latitudes", CoordinateKind::HelioLatitude, 40)};
    return ListingDocument(BuildNatalAspectsListing(inputs, longitudes, declinations), "bench");
}

void BM_ListingLayout300(benchmark::State& state) {
    const PrintDocument document = Listing300();
    for (auto _ : state) {
        RecordingSurface measure;
        benchmark::DoNotOptimize(LayOutPrint(document, {}, measure));
    }
}
BENCHMARK(BM_ListingLayout300)->Unit(benchmark::kMillisecond);

void BM_ListingPdf300(benchmark::State& state) {
    const PrintDocument document = Listing300();
    const CairoGlyphFont glyphs(kGlyphFont);
    std::string bytes;
    for (auto _ : state) RenderPrintPdf(document, glyphs, bytes);
    state.counters["kB"] = static_cast<double>(bytes.size()) / 1000;
}
BENCHMARK(BM_ListingPdf300)->Unit(benchmark::kMillisecond);

// Everything the print command does after the computation: font, layout, pages, file.
void BM_ListingPdfFile300(benchmark::State& state) {
    const PrintDocument document = Listing300();
    const auto file = std::filesystem::temp_directory_path() /
                      ("quintaro-bench-print-" + std::to_string(::getpid()) + ".pdf");
    for (auto _ : state) benchmark::DoNotOptimize(WritePrintPdf(document, file, kGlyphFont));
    std::filesystem::remove(file);
}
BENCHMARK(BM_ListingPdfFile300)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
