// SPDX-License-Identifier: AGPL-3.0-or-later
// wheel: the chart wheel of the computed charts written as PNG, SVG or PDF, with the glyphs
// drawn from the installation folder's glyph font (as outlines in SVG).
#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/chart_entry_options.h"
#include "cli/cli_context.h"
#include "cli/synch_wheel_options.h"
#include "cli/wheel_styles.h"
#include "cli/workstation_run.h"

namespace quintaro::cli {

namespace {

// What the wheel shows and where it goes. A new kind of wheel adds its options here, its check
// to Check and its choice of drawing to DrawWheel.
struct WheelOptions {
    ChartEntryOptions chart;
    std::string out;
    bool helio = false, natalOnly = false;
    int filter = 0, size = 800;
    WheelStyleOptions styles;
    SynchWheelChoice synchWheel;  // a small synchronization or symmetry wheel instead

    void addTo(CLI::App& command);
    // Whether the options can make a wheel; reports when not.
    bool Check(CliContext& context) const;
};

void WheelOptions::addTo(CLI::App& command) {
    command.add_option("--out", out, "Output file: .png, .svg or .pdf")->required();
    chart.addTo(command);
    command.add_flag("--helio", helio, "Heliocentric wheel");
    auto* natalOnlyFlag = command.add_flag("--natal-only", natalOnly, "Natal bodies only");
    AddWheelStyleOptions(command, styles, natalOnlyFlag);
    command.add_option("--filter", filter, "Aspect line filter 0..8 (5: no aspect lines)")
        ->check(CLI::Range(0, 8));
    command.add_option("--size", size, "Width and height in pixels, 100..10000 (default 800)")
        ->check(CLI::Range(100, 10000));
    AddSynchWheelOptions(command, synchWheel);
}

bool WheelOptions::Check(CliContext& context) const {
    const std::string extension = std::filesystem::path(out).extension().string();
    if (extension != ".png" && extension != ".svg" && extension != ".pdf") {
        context.fail("--out must end in .png, .svg or .pdf");
        return false;
    }
    if (SynchWheelRequested(synchWheel) && styles.style != "lens") {
        context.fail("--synch and --symmetry draw the small lens wheels; leave out --style");
        return false;
    }
    return CheckWheelStyle(styles, helio, context);
}

// Draws the wheel of the session into the file; false, reported, when it could not be written.
bool DrawWheel(Session& session, const WheelOptions& options, CliContext& context) {
    session.display.aspectClass = options.filter;
    if (SynchWheelRequested(options.synchWheel))
        return WriteSynchWheel(session, options.synchWheel, options.out, options.size, context);
    return WriteWheelOfStyle(session, options.styles, options.natalOnly, options.helio, options.out,
                             options.size, context);
}

void RunWheel(const WheelOptions& options, CliContext& context) {
    if (!options.Check(context)) return;
    auto session = OpenChartSession(options.chart, context);
    if (!session) return;
    // No wheel of a chart that could not be computed; one with bodies missing is drawn without
    // them, and the command fails.
    const bool withTransit = !options.natalOnly;
    if (!ChartsComplete(*session, withTransit, context) && !ChartsComputed(*session, withTransit))
        return CloseSession(*session, context);
    if (!DrawWheel(*session, options, context)) return;
    std::cout << "Wrote " << options.out << ": " << ChartEcho(session->workstation, Section::Natal)
              << '\n';
    CloseSession(*session, context);
}

}  // namespace

void AddWheelCommand(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<WheelOptions>();
    auto* wheel = app.add_subcommand("wheel", "Draw the chart wheel into a PNG, SVG or PDF file");
    options->addTo(*wheel);
    wheel->callback([options, &context] { RunWheel(*options, context); });
}

}  // namespace quintaro::cli
