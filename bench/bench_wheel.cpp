// SPDX-License-Identifier: AGPL-3.0-or-later
// One full chart wheel (natal + transit, 38 bodies, 40 aspect lines, title block) drawn at
// 800 x 800: on the recording surface (the drawing logic alone) and on the SVG surface with the
// glyphs as paths. The 5 ms goal holds for the image surface of the window.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/messages.h"
#include "wheels/glyph_outlines.h"
#include "wheels/recording_surface.h"
#include "wheels/svg_surface.h"
#include "wheels/wheel_drawing.h"

namespace {

using namespace quintaro;

WheelInput BusyWheel() {
    WheelInput input;
    input.withTransit = true;
    for (int slot = 1; slot <= 20; ++slot) {
        input.selection.setBoth(slot, true);
        input.natal.longitude[slot] = slot * 37.3 - 360 * static_cast<int>(slot * 37.3 / 360);
        input.transit.longitude[slot] = slot * 53.1 - 360 * static_cast<int>(slot * 53.1 / 360);
        input.natal.direction.set(slot, slot % 2 ? 'r' : 'f');
    }
    const int codes[] = {2, 3, 4, 5, 6, 8, 11, 14, 16};
    for (int i = 0; i < 40; ++i) {
        int a = i % 20 + 1, b = (i * 7) % 20 + 1;
        if (a == b) b = b % 20 + 1;
        input.aspects.push_back({a + (i % 2 ? BodyCount : 0), b, codes[i % 9], (i % 5) * 0.7,
                                 i % 3 != 0, AspectLineKind::Longitude});
    }
    input.options.variableLines = true;
    input.title.natalName = "Natal chart";
    input.title.natalDate = "01 Jan 2000";
    input.title.transitName = "Now";
    input.title.transitDate = "06 Dec 2026";
    input.title.notice = "Quintaro";
    return input;
}

void BM_WheelOnRecordingSurface(benchmark::State& state) {
    WheelInput input = BusyWheel();
    RecordingSurface surface;
    for (auto _ : state) {
        WheelLayout layout = DrawWheel(surface, input);
        benchmark::DoNotOptimize(layout);
    }
    state.counters["ops"] = static_cast<double>(surface.ops().size());
}
BENCHMARK(BM_WheelOnRecordingSurface)->Unit(benchmark::kMicrosecond);

void BM_WheelOnSvgSurface(benchmark::State& state) {
    SilentMessages messages;
    auto outlines = LoadGlyphOutlines(
        std::filesystem::path(QUINTARO_BINARY_DIR) / "fonts" / GlyphOutlinesFileName, messages);
    WheelInput input = BusyWheel();
    SvgSurface surface(800, 800, outlines.value_or(GlyphOutlines{}));
    for (auto _ : state) {
        WheelLayout layout = DrawWheel(surface, input);
        benchmark::DoNotOptimize(layout);
    }
    state.counters["bytes"] = static_cast<double>(surface.document().size());
    state.counters["outlines"] = outlines ? 1 : 0;
}
BENCHMARK(BM_WheelOnSvgSurface)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
