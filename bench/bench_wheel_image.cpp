// SPDX-License-Identifier: AGPL-3.0-or-later
// Every wheel style of a computed natal + transit chart drawn into an 800 x 800 image through the
// window's painter surface, glyph font registered (goal: under 5 ms each), and the zodiac wheel
// of a chart with every body inside 20 degrees.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QGuiApplication>
#include <filesystem>
#include <memory>

#include "app/session.h"
#include "app/styled_wheel_builder.h"
#include "ui/glyph_font.h"
#include "ui/wheel_export.h"
#include "ui/workstation_controller.h"

namespace {

using namespace quintaro;

// One started session for all the benchmarks.
struct BenchSession {
    BenchSession()
        : home(std::filesystem::temp_directory_path() /
               ("quintaro-bench-wheel-" + std::to_string(::getpid()))),
          session(home, messages) {
        StartSession(session);
        font = std::make_unique<GlyphFontRegistration>(home / "Orvessa.ttf");
    }
    ~BenchSession() { std::filesystem::remove_all(home); }

    std::filesystem::path home;
    SilentMessages messages;
    Session session;
    std::unique_ptr<GlyphFontRegistration> font;
};

BenchSession& Bench() {
    static BenchSession bench;
    return bench;
}

void BM_WheelImage800(benchmark::State& state) {
    BenchSession& bench = Bench();
    StyledWheelView view;
    view.style = static_cast<WheelStyle>(state.range(0));
    view.view.withTransit = state.range(1) != 0;
    StyledWheel wheel = BuildStyledWheel(bench.session, view, WheelTarget{});
    for (auto _ : state) benchmark::DoNotOptimize(StyledWheelImage(wheel, 800, 800));
    state.SetLabel(std::string(WheelStyleName(view.style)) +
                   (view.view.withTransit ? " natal + transit" : " natal") +
                   (bench.font->registered() ? "" : ", no glyph font"));
}
BENCHMARK(BM_WheelImage800)->ArgsProduct({{0, 1, 2, 3}, {0, 1}})->Unit(benchmark::kMillisecond);

// The zodiac wheel's worst case: 18 natal and 18 transit bodies inside 20 degrees.
void BM_CrowdedZodiacImage800(benchmark::State& state) {
    BenchSession& bench = Bench();
    StyledWheelView view;
    view.style = WheelStyle::Zodiac;
    StyledWheel wheel = BuildStyledWheel(bench.session, view, WheelTarget{});
    wheel.input.withTransit = true;
    const int slots[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15, 16, 17, 18, 19};
    int k = 0;
    for (int slot : slots) {
        wheel.input.selection.setNatal(slot, true);
        wheel.input.selection.setTransit(slot, true);
        wheel.input.natal.longitude[slot] = 100 + 1.1 * k;
        wheel.input.transit.longitude[slot] = 100.5 + 1.1 * k++;
    }
    for (auto _ : state) benchmark::DoNotOptimize(StyledWheelImage(wheel, 800, 800));
}
BENCHMARK(BM_CrowdedZodiacImage800)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
