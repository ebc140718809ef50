// SPDX-License-Identifier: AGPL-3.0-or-later
// report: an interpretation report of the computed charts, written as rich text, plain text or
// a web page.
#include <iostream>
#include <map>
#include <memory>

#include "app/interpretations.h"
#include "cli/chart_entry_options.h"
#include "cli/cli_context.h"
#include "cli/workstation_run.h"
#include "interps/report_pages.h"
#include "interps/report_render.h"

namespace quintaro::cli {

namespace {

const std::map<std::string, ReportMode> ReportKinds = {
    {"romance-comp", ReportMode::RomanceCompatibility},
    {"financial-comp", ReportMode::FinancialCompatibility},
    {"romance-transits", ReportMode::RomanceTransits},
    {"financial-transits", ReportMode::FinancialTransits},
    {"natal", ReportMode::NatalFull}};
const std::map<std::string, ReportMode> NatalForms = {{"full", ReportMode::NatalFull},
                                                      {"romance", ReportMode::NatalRomance},
                                                      {"money", ReportMode::NatalMoney}};
const std::map<std::string, ReportScope> Scopes = {{"long", ReportScope::Longitude},
                                                   {"decl", ReportScope::DeclinationLatitude},
                                                   {"both", ReportScope::Both}};

struct ReportOptions {
    std::string report;
    ChartEntryOptions chart;
    std::string scope = "long";
    std::string natalForm = "full";
    std::string out;
    std::string preparer;
    bool revised = false;
};

int AspectCount(const InterpretationReport& report) {
    int count = 0;
    for (const ReportSection& section : report.sections)
        count += static_cast<int>(section.rows.size());
    return count;
}

void RunReport(const ReportOptions& options, CliContext& context) {
    const auto format = ReportFormatOfPath(options.out);
    if (!format) return context.fail("the report file must end in .rtf, .txt or .html");
    ReportMode mode = ReportKinds.at(options.report);
    if (mode == ReportMode::NatalFull) mode = NatalForms.at(options.natalForm);
    auto session = OpenChartSession(options.chart, context);
    if (!session) return;
    session->interps.astrologer = options.preparer;

    const InterpretationReport report =
        SessionReport(*session, mode, Scopes.at(options.scope), options.revised);
    // Why texts are missing: a store that did not open, a text that cannot be read.
    for (const std::string& problem : report.problems) std::cerr << "error: " << problem << '\n';
    if (const std::string error = WriteReportFile(options.out, LayoutReport(report));
        !error.empty()) {
        context.fail(error);
        return;
    }
    int overflow = 0;
    for (const ReportSection& section : report.sections)
        overflow += static_cast<int>(section.overflow.size());
    std::cout << "Wrote " << options.out << ": " << AspectCount(report) << " aspects";
    if (overflow > 0)
        std::cout << ", " << overflow << " of bodies without interpretations left out";
    std::cout << '\n';
    if (!report.storeLoaded)
        return context.fail("the report is incomplete: no interpretation texts");
    if (!report.missing.empty()) {
        return context.fail("the report is incomplete: " + std::to_string(report.missing.size()) +
                            " aspects have no text");
    }
    CloseSession(*session, context);
}

}  // namespace

void AddReportCommand(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<ReportOptions>();
    auto* report = app.add_subcommand(
        "report", "Interpretation report of the computed charts (natal chart and transit chart)");
    report->add_option("KIND", options->report, "Report kind")
        ->required()
        ->check(CLI::IsMember(
            {"romance-comp", "financial-comp", "romance-transits", "financial-transits", "natal"}));
    options->chart.addTo(*report);
    report
        ->add_option("--kind", options->scope,
                     "long: longitude aspects; decl: declinations and latitudes; both")
        ->check(CLI::IsMember({"long", "decl", "both"}));
    report->add_option("--natal", options->natalForm, "Natal report form")
        ->check(CLI::IsMember({"full", "romance", "money"}));
    report->add_flag("--revised", options->revised,
                     "Use revised texts where the user wrote any (compatibility and transits)");
    report->add_option("--preparer", options->preparer, "Name under \"Individually prepared by:\"");
    report->add_option("--out", options->out, "Report file: .rtf, .txt or .html")->required();
    report->callback([options, &context] { RunReport(*options, context); });
}

}  // namespace quintaro::cli
