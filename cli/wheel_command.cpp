// SPDX-License-Identifier: AGPL-3.0-or-later
// wheel: the chart wheel of the computed charts written as PNG, SVG or PDF, with the glyphs
// drawn from the installation folder's glyph font (as outlines in SVG).
#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/cli_context.h"
#include "cli/synch_wheel_options.h"
#include "cli/wheel_styles.h"
#include "cli/workstation_run.h"

namespace quintaro::cli {

namespace {

struct WheelOptions {
    std::string optFile, out;
    bool helio = false, natalOnly = false;
    int filter = 0, size = 800;
    WheelStyleOptions styles;
    SynchWheelChoice synchWheel;  // a small synchronization or symmetry wheel instead
};

void RunWheel(const WheelOptions& options, CliContext& context) {
    std::string extension = std::filesystem::path(options.out).extension().string();
    if (extension != ".png" && extension != ".svg" && extension != ".pdf")
        return context.fail("--out must end in .png, .svg or .pdf");
    if (!CheckWheelStyle(options.styles, options.helio, context)) return;
    auto session = OpenSession(context);
    if (!session) return;
    if (!options.optFile.empty() && !LoadOptFile(*session, options.optFile, context)) return;
    // No wheel of a chart that could not be computed; one with bodies missing is drawn without
    // them, and the command fails.
    const bool withTransit = !options.natalOnly;
    if (!ChartsComplete(*session, withTransit, context) && !ChartsComputed(*session, withTransit))
        return CloseSession(*session, context);
    session->display.aspectClass = options.filter;
    if (SynchWheelRequested(options.synchWheel)) {
        if (options.styles.style != "lens")
            return context.fail(
                "--synch and --symmetry draw the small lens wheels; leave out --style");
        if (!WriteSynchWheel(*session, options.synchWheel, options.out, options.size, context))
            return;
    } else if (!WriteWheelOfStyle(*session, options.styles, options.natalOnly, options.helio,
                                  options.out, options.size, context)) {
        return;
    }
    std::cout << options.out << '\n';
    CloseSession(*session, context);
}

}  // namespace

void AddWheelCommand(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<WheelOptions>();
    auto* wheel = app.add_subcommand("wheel", "Draw the chart wheel into a PNG, SVG or PDF file");
    wheel->add_option("--opt", options->optFile, "Chart data file (.opt); else \"Now\"");
    wheel->add_option("--out", options->out, "Output file: .png, .svg or .pdf")->required();
    wheel->add_flag("--helio", options->helio, "Heliocentric wheel");
    auto* natalOnly = wheel->add_flag("--natal-only", options->natalOnly, "Natal bodies only");
    AddWheelStyleOptions(*wheel, options->styles, natalOnly);
    wheel->add_option("--filter", options->filter, "Aspect line filter 0..8")
        ->check(CLI::Range(0, 8));
    wheel->add_option("--size", options->size, "Width and height in pixels, 100..10000")
        ->check(CLI::Range(100, 10000));
    AddSynchWheelOptions(*wheel, options->synchWheel);
    wheel->callback([options, &context] { RunWheel(*options, context); });
}

}  // namespace quintaro::cli
