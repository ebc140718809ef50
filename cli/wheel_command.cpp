// SPDX-License-Identifier: AGPL-3.0-or-later
// wheel: the chart wheel of the computed charts written as PNG, SVG or PDF, with the glyphs
// drawn from the installation folder's glyph font (as outlines in SVG).
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/wheel_input_builder.h"
#include "cli/chart_entry_options.h"
#include "cli/cli_context.h"
#include "cli/workstation_run.h"
#include "wheels/wheel_files.h"

namespace quintaro::cli {

namespace {

// What the wheel shows and where it goes. A new kind of wheel adds its options here, its check
// to Check and its choice of drawing to DrawWheel.
struct WheelOptions {
    ChartEntryOptions chart;
    std::string out;
    bool helio = false, natalOnly = false;
    int filter = 0, size = 800;

    void addTo(CLI::App& command);
    // The reason the options cannot make a wheel; empty when they can.
    std::string Check() const;
};

void WheelOptions::addTo(CLI::App& command) {
    command.add_option("--out", out, "Output file: .png, .svg or .pdf")->required();
    chart.addTo(command);
    command.add_flag("--helio", helio, "Heliocentric wheel");
    command.add_flag("--natal-only", natalOnly, "Natal bodies only");
    command.add_option("--filter", filter, "Aspect line filter 0..8 (5: no aspect lines)")
        ->check(CLI::Range(0, 8));
    command.add_option("--size", size, "Width and height in pixels (default 800)")
        ->check(CLI::Range(100, 8000));
}

std::string WheelOptions::Check() const {
    const std::string extension = std::filesystem::path(out).extension().string();
    if (extension != ".png" && extension != ".svg" && extension != ".pdf")
        return "--out must end in .png, .svg or .pdf";
    return {};
}

// Draws the wheel of the session into the file; the reason when it could not be written.
std::string DrawWheel(Session& session, const WheelOptions& options, CliContext& context) {
    session.display.aspectClass = options.filter;
    WheelView view{!options.natalOnly, options.helio};
    WheelTarget target;
    target.deviceWidth = target.deviceHeight = options.size;
    WheelInput input = BuildWheelInput(session, view, target);
    return WriteWheelFile(std::move(input), options.out, options.size, session.workstation.home,
                          context.messages);
}

void RunWheel(const WheelOptions& options, CliContext& context) {
    if (std::string problem = options.Check(); !problem.empty()) return context.fail(problem);
    auto session = OpenChartSession(options.chart, context);
    if (!session) return;
    if (std::string error = DrawWheel(*session, options, context); !error.empty())
        return context.fail(error);
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
