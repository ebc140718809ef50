// SPDX-License-Identifier: AGPL-3.0-or-later
// print: the printouts of the File menu written as a PDF file of pages (drawn as on paper) or as
// plain text.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>

#include "app/printouts.h"
#include "cli/cli_context.h"
#include "cli/workstation_run.h"
#include "core/atomic_file.h"
#include "wheels/glyph_codes.h"
#include "wheels/print_pdf.h"

namespace quintaro::cli {

namespace {

struct PrintOptions {
    std::string kind, optFile, out, pairing = "nn", houseSystem;
    int filter = 0;
    bool exact = false, applyingOnly = false, helio = false, declinations = false;
};

const std::map<std::string, int> kPairingModes = {{"nn", 1}, {"tn", 8}};

std::string LowerExtension(const std::string& file) {
    std::string extension = std::filesystem::path(file).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// The choices the grid windows and the entry window would hold.
void ApplyChoices(Session& session, const PrintOptions& options) {
    EntryOptions& entry = session.workstation.entry.options;
    entry.exact = options.exact;
    entry.applyingOnly = options.applyingOnly;
    entry.helio = options.helio;
    session.display.gridMode = kPairingModes.at(options.pairing);
    session.display.aspectClass = options.filter;
    session.display.gridDeclinationKind = options.declinations;
}

std::string Write(const Session& session, Printout printout, const std::string& out) {
    if (LowerExtension(out) == ".txt") {
        const std::string error = WriteFileAtomically(out, PrintoutText(session, printout));
        return error.empty() ? "" : "cannot write " + out + ": " + error;
    }
    const Workstation& ws = session.workstation;
    return WritePrintPdf(BuildPrintout(session, printout), out,
                         ws.home / std::string(GlyphFontFileName));
}

void RunPrint(const PrintOptions& options, CliContext& context) {
    const auto printout = PrintoutOfKey(options.kind);
    const std::string extension = LowerExtension(options.out);
    if (!printout) return context.fail("unknown printout '" + options.kind + "'");
    if (extension != ".pdf" && extension != ".txt")
        return context.fail("--out must end in .pdf or .txt");
    auto session = OpenSession(context, options.houseSystem);
    if (!session) return;
    ApplyChoices(*session, options);
    if (!options.optFile.empty()) {
        if (!LoadOptFile(*session, options.optFile, context)) return;
    } else {
        ComputeCharts(*session);
    }
    if (!session->workstation.chartsComputed)
        return context.fail("the charts could not be computed; nothing was printed");
    if (const std::string error = Write(*session, *printout, options.out); !error.empty())
        return context.fail(error);
    std::cout << options.out << '\n';
    CloseSession(*session, context);
}

}  // namespace

void AddPrintCommands(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<PrintOptions>();
    auto* print = app.add_subcommand(
        "print",
        "Print the aspect listings, the positions or the midpoints into a PDF or text file");
    print
        ->add_option("KIND", options->kind,
                     "aspects, single, natal-positions, transit-positions or midpoints")
        ->required()
        ->check(CLI::IsMember(
            {"aspects", "single", "natal-positions", "transit-positions", "midpoints"}));
    print->add_option("--opt", options->optFile, "Chart data file (.opt); else \"Now\"");
    print->add_option("--out", options->out, "Output file: .pdf (pages) or .txt (plain text)")
        ->required();
    print->add_option("--pairing", options->pairing, "nn (natal aspects) or tn (transits)")
        ->check(CLI::IsMember({"nn", "tn"}));
    print->add_flag("--exact", options->exact, "Exact times in the Exact and Exact Time columns");
    print->add_option("--filter", options->filter, "Aspect class filter 0..8")
        ->check(CLI::Range(0, 8));
    print->add_flag("--applying-only", options->applyingOnly, "Applying aspects only");
    print->add_flag("--helio", options->helio, "Heliocentric aspects (title and single grid)");
    print->add_flag("--decl", options->declinations,
                    "single: the declination or latitude grid instead of the longitudes");
    print->add_option("--house-system", options->houseSystem, "House system, e.g. Koch");
    print->callback([options, &context] { RunPrint(*options, context); });
}

}  // namespace quintaro::cli
