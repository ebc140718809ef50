// SPDX-License-Identifier: AGPL-3.0-or-later
// aspects and grid: the found aspects of the computed charts, as lists and as grid windows show
// them.
#include <iostream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>

#include "aspects/aspect_grid.h"
#include "cli/cli_context.h"
#include "cli/workstation_run.h"
#include "core/glyph_text.h"

namespace quintaro::cli {

namespace {

using Json = nlohmann::ordered_json;

const std::map<std::string, Pairing> kPairings = {
    {"nn", Pairing::NatalNatal}, {"tn", Pairing::TransitNatal}, {"tt", Pairing::TransitTransit}};
const std::map<std::string, CoordinateKind> kKinds = {{"gl", CoordinateKind::GeoLongitude},
                                                      {"gd", CoordinateKind::GeoDeclination},
                                                      {"hl", CoordinateKind::HelioLongitude},
                                                      {"hlat", CoordinateKind::HelioLatitude}};
const std::map<std::string, GridWindow> kGrids = {{"aspects", GridWindow::Aspects},
                                                  {"long", GridWindow::LongAspects},
                                                  {"decl", GridWindow::DeclAspects},
                                                  {"long-crucial", GridWindow::LongAspectsCrucial},
                                                  {"decl-crucial", GridWindow::DeclAspectsCrucial}};

struct AspectsOptions {
    std::string optFile, pairing = "nn", kind = "gl";
    bool exact = false, json = false;
};

struct GridCommandOptions {
    std::string optFile, name = "long";
    int mode = 1, filter = 0;
    bool applyingOnly = false, exact = false, json = false;
};

// Starts the workstation, loads the chart file and recomputes with the exact-time search on
// when asked.
std::unique_ptr<Session> ComputedSession(const std::string& optFile, bool exact,
                                         CliContext& context) {
    auto session = OpenSession(context);
    if (!session) return nullptr;
    session->workstation.entry.options.exact = exact;
    if (!optFile.empty()) {
        if (!LoadOptFile(*session, optFile, context)) return nullptr;
    } else if (exact) {
        ComputeCharts(*session);
    }
    return session;
}

std::string Name(const Session& session, int slot) {
    return slot >= 1 && slot <= BodyCount ? session.workstation.catalogue.BodyNames[slot] : "?";
}

void RunAspects(const AspectsOptions& options, CliContext& context) {
    Pairing pairing = kPairings.at(options.pairing);
    CoordinateKind kind = kKinds.at(options.kind);
    if (options.exact && pairing == Pairing::TransitTransit)
        return context.fail("exact times are searched for the nn and tn lists only");
    auto session = ComputedSession(options.optFile, options.exact, context);
    if (!session) return;
    // Aspects of a chart that could not be computed would be no answer; missing bodies are
    // absent from the list and make the command fail.
    const bool withTransit = pairing != Pairing::NatalNatal;
    if (!ChartsComplete(*session, withTransit, context) && !ChartsComputed(*session, withTransit))
        return CloseSession(*session, context);
    Json entries = Json::array();
    auto add = [&](int body1, int body2, int code, double orb) -> Json& {
        entries.push_back({{"body1", body1}, {"body2", body2}, {"code", code}, {"orb", orb}});
        return entries.back();
    };
    if (options.exact) {
        for (const TimedAspectEntry& e : session->timed.at(pairing, kind).entries) {
            Json& entry = add(e.body1, e.body2, e.code, e.orb);
            // No exact moment found: null, not the list's internal marker.
            const bool found = e.timeToExact != NotFoundTime;
            entry["time_to_exact"] = found ? Json(e.timeToExact) : Json(nullptr);
            entry["exact_date"] = found ? Json(e.exactDate) : Json(nullptr);
        }
    } else {
        for (const AspectEntry& e : session->lists.at(pairing, kind).entries)
            add(e.body1, e.body2, e.code, e.orb);
    }
    if (options.json) {
        std::cout << Json{{"pairing", options.pairing},
                          {"kind", options.kind},
                          {"entries", entries}}
                  << '\n';
    } else {
        for (const Json& e : entries) {
            std::cout << Name(*session, e["body1"]) << ' ' << e["code"] << ' '
                      << Name(*session, e["body2"]) << "  orb " << e["orb"];
            if (options.exact)
                std::cout << "  " << e["time_to_exact"] << " d  "
                          << e["exact_date"].get<std::string>();
            std::cout << '\n';
        }
    }
    CloseSession(*session, context);
}

void RunGrid(const GridCommandOptions& options, CliContext& context) {
    auto session = ComputedSession(options.optFile, options.exact, context);
    if (!session) return;
    if (!ChartsComplete(*session, true, context) && !ChartsComputed(*session, false))
        return CloseSession(*session, context);
    GridOptions grid;
    grid.displayMode = options.mode;
    grid.aspectClassFilter = options.filter;
    grid.applyingOnly = options.applyingOnly;
    grid.exactOn = options.exact;
    grid.crucialSelection = session->workstation.groups.crucial.live;
    grid.helio = session->workstation.entry.options.helio;
    GridModel model = BuildAspectGrid(kGrids.at(options.name), grid, session->lists, session->timed,
                                      session->workstation.catalogue);
    if (options.json) {
        Json sections = Json::array();
        for (const GridSection& section : model.sections) {
            Json rows = Json::array();
            for (const GridRow& row : section.rows) rows.push_back(row.cells);
            sections.push_back({{"title", section.title},
                                {"columns", FormatColumnTitles(section.format)},
                                {"rows", rows}});
        }
        std::cout << Json{{"caption", model.caption}, {"sections", sections}} << '\n';
    } else {
        std::cout << model.caption << '\n';
        for (const GridSection& section : model.sections) {
            std::cout << '\n' << section.title << '\n';
            for (const GridRow& row : section.rows) {
                for (const std::string& cell : row.cells) {
                    std::string text = GlyphsAsPlainText(cell);
                    text.resize(text.size() < 12 ? 12 : text.size(), ' ');
                    std::cout << text;
                }
                std::cout << '\n';
            }
        }
    }
    CloseSession(*session, context);
}

template <typename Map>
std::vector<std::string> Keys(const Map& map) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : map) keys.push_back(key);
    return keys;
}

}  // namespace

void AddAspectsCommands(CLI::App& app, CliContext& context) {
    auto a = std::make_shared<AspectsOptions>();
    auto* aspects = app.add_subcommand("aspects", "One list of found aspects");
    aspects->add_option("--opt", a->optFile, "Chart data file (.opt); else \"Now\"");
    aspects->add_option("--pairing", a->pairing, "nn, tn or tt")
        ->check(CLI::IsMember(Keys(kPairings)));
    aspects->add_option("--kind", a->kind, "gl, gd, hl or hlat")
        ->check(CLI::IsMember(Keys(kKinds)));
    aspects->add_flag("--exact", a->exact, "Search the exact times (nn and tn lists)");
    aspects->add_flag("--json", a->json, "JSON output");
    aspects->callback([a, &context] { RunAspects(*a, context); });

    auto g = std::make_shared<GridCommandOptions>();
    auto* grid = app.add_subcommand("grid", "The rows of an aspect grid window");
    grid->add_option("NAME", g->name, "aspects, long, decl, long-crucial or decl-crucial")
        ->check(CLI::IsMember(Keys(kGrids)));
    grid->add_option("--opt", g->optFile, "Chart data file (.opt); else \"Now\"");
    grid->add_option("--mode", g->mode, "Display mode 1, 2, 8 or 9")
        ->check(CLI::IsMember({1, 2, 8, 9}));
    grid->add_option("--filter", g->filter, "Aspect class filter 0..8")->check(CLI::Range(0, 8));
    grid->add_flag("--applying-only", g->applyingOnly, "Applying aspects only");
    grid->add_flag("--exact", g->exact, "Exact times in the Time Sep and Date columns");
    grid->add_flag("--json", g->json, "JSON output: sections with rows of cells");
    grid->callback([g, &context] { RunGrid(*g, context); });
}

}  // namespace quintaro::cli
