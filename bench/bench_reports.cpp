// SPDX-License-Identifier: AGPL-3.0-or-later
// Interpretation reports of a real pair of charts (goal: a full compatibility report under
// 20 ms): the report built from the session's aspect lists and store, laid out and written as
// rich text, as the longitude window does it; the first report after the stores were opened;
// and the window's whole work including the rich-text file on the disk.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "app/interpretation_views.h"
#include "app/interpretations.h"
#include "interps/report_render.h"

namespace {

using namespace quintaro;

// A session in its own installation folder with the pair of charts of the report tests loaded.
struct PairSession {
    std::filesystem::path home;
    SilentMessages messages;
    std::unique_ptr<Session> session;

    PairSession() {
        home = std::filesystem::temp_directory_path() /
               ("quintaro-bench-reports-" + std::to_string(::getpid()));
        std::filesystem::remove_all(home);
        session = std::make_unique<Session>(home, messages);
        if (!StartSession(*session) ||
            !LoadChartDataFile(*session, QUINTARO_SOURCE_DIR "/tests/interps/data/anna_ben.opt",
                               ChartFileTarget::Everything)) {
            session.reset();
        }
    }
    ~PairSession() {
        session.reset();
        std::error_code ignored;
        std::filesystem::remove_all(home, ignored);
    }
};

PairSession& Pair() {
    static PairSession pair;
    return pair;
}

int Aspects(const InterpretationReport& report) {
    int count = 0;
    for (const ReportSection& section : report.sections)
        count += static_cast<int>(section.rows.size());
    return count;
}

// Built, laid out and rendered as rich text; the stores open.
void BM_CompatibilityReport(benchmark::State& state) {
    Session* session = Pair().session.get();
    if (!session) return state.SkipWithError("the session did not start");
    const auto scope = static_cast<ReportScope>(state.range(0));
    int aspects = 0;
    for (auto _ : state) {
        const InterpretationReport report =
            SessionReport(*session, ReportMode::RomanceCompatibility, scope, false);
        aspects = Aspects(report);
        benchmark::DoNotOptimize(RenderRtf(LayoutReport(report)));
    }
    state.counters["aspects"] = aspects;
}
BENCHMARK(BM_CompatibilityReport)
    ->Arg(static_cast<int>(ReportScope::Longitude))
    ->Arg(static_cast<int>(ReportScope::Both))
    ->Unit(benchmark::kMillisecond);

// The same right after the stores' folder was chosen: the store is opened first.
void BM_CompatibilityReportOpeningTheStore(benchmark::State& state) {
    Session* session = Pair().session.get();
    if (!session) return state.SkipWithError("the session did not start");
    for (auto _ : state) {
        SelectInterpretationFolder(*session, session->interps.folder);
        const InterpretationReport report = SessionReport(
            *session, ReportMode::RomanceCompatibility, ReportScope::Longitude, false);
        benchmark::DoNotOptimize(RenderRtf(LayoutReport(report)));
    }
}
BENCHMARK(BM_CompatibilityReportOpeningTheStore)->Unit(benchmark::kMillisecond);

// What the longitude window does: the report, its rich-text file written to the disk (whole or
// not at all, flushed), and the window's rich text.
void BM_LongitudeWindow(benchmark::State& state) {
    Session* session = Pair().session.get();
    if (!session) return state.SkipWithError("the session did not start");
    ViewRequest request;
    request.mode = ReportMode::RomanceCompatibility;
    for (auto _ : state) {
        const ViewContent content = ShowInterpretationView(*session, request);
        benchmark::DoNotOptimize(RenderHtml(content.document));
    }
}
BENCHMARK(BM_LongitudeWindow)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
