// SPDX-License-Identifier: AGPL-3.0-or-later
// The chart wheel of a computed natal + transit chart drawn into an 800 x 800 image through the
// window's painter surface, glyph font registered (goal: under 5 ms).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QGuiApplication>
#include <filesystem>

#include "app/session.h"
#include "app/wheel_input_builder.h"
#include "ui/glyph_font.h"
#include "ui/wheel_export.h"
#include "ui/workstation_controller.h"

namespace {

using namespace quintaro;

void BM_WheelImage800(benchmark::State& state) {
    auto home = std::filesystem::temp_directory_path() /
                ("quintaro-bench-wheel-" + std::to_string(::getpid()));
    SilentMessages messages;
    Session session(home, messages);
    StartSession(session);
    GlyphFontRegistration font(home / "Orvessa.ttf");
    WheelTarget target;
    WheelInput input = BuildWheelInput(session, WheelView{}, target);
    for (auto _ : state) benchmark::DoNotOptimize(WheelImage(input, 800, 800));
    state.SetLabel(font.registered() ? "glyph font registered" : "no glyph font");
    std::filesystem::remove_all(home);
}
BENCHMARK(BM_WheelImage800)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
