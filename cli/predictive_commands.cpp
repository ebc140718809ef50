// SPDX-License-Identifier: AGPL-3.0-or-later
// progress, solar-arc and return: the predictive windows' charts. Each takes the natal data of a
// chart data file and the natal fields typed on the command line (else "Now"), derives the
// transit chart for a target date, computes both charts and lists the derived transit data, then
// the charts as the chart command does.
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>

#include "app/predictive_charts.h"
#include "cli/chart_entry_options.h"
#include "cli/chart_printing.h"
#include "cli/cli_context.h"
#include "cli/entry_text_forms.h"
#include "cli/moment_options.h"
#include "cli/workstation_run.h"
#include "core/formatting.h"

namespace quintaro::cli {

namespace {

using Json = nlohmann::ordered_json;

enum class Technique { Progression, SolarArc, Return };

struct PredictiveOptions {
    std::string optFile;
    SectionOptions natal;  // --natal-date, --natal-time, ...
    std::string date;
    std::string body;  // return: "sun" or "moon"
    bool json = false;
};

std::string IsoDate(const CivilDate& d) {
    return FormatNumber(d.year, "0000") + "-" + FormatNumber(d.month, "00") + "-" +
           FormatNumber(d.day, "00");
}

// What the derived chart wrote into the transit section, and from which moments.
struct Derived {
    const char* kind;
    DerivedTransit transit;
    std::optional<DirectedChart> directed;  // the solar arc
};

Json DerivedJson(const Derived& d, const CivilDate& target) {
    const DerivedTransit& t = d.transit;
    Json j{{"kind", d.kind},
           {"name", t.name},
           {"target", IsoDate(target)},
           {"jd", t.jd},
           {"date", IsoDate(t.local.date)}};
    if (t.withClock) {
        j["clock"] = FormatNumber(t.local.clock, "#0.00");
        j["meridiem"] = MeridiemText(t.local.meridiem);
        j["zone"] = LeadingNumber(t.zone);
    }
    if (t.withPlace) {
        j["longitude"] = t.longDeg + " " + t.longMin + (t.east ? " E" : " W");
        j["latitude"] = t.latDeg + " " + t.latMin + (t.south ? " S" : " N");
    }
    if (d.directed) {
        j["progressed_jd"] = d.directed->progressedJD;
        j["geo_arc"] = d.directed->arcs.geo;
        j["helio_arc"] = d.directed->arcs.helio;
    }
    return j;
}

// The derived moment in the forms the chart listings echo: "solar return for 2024-06-01:
// "Ann - solar return"  2023-12-25  10:52 P.M. (22:52)  zone 5 (UTC-5:00)  73°59′ W  40°46′ N".
void PrintDerived(const Derived& d, const CivilDate& target) {
    const DerivedTransit& t = d.transit;
    const CivilDate& date = t.local.date;
    std::cout << d.kind << " for " << IsoDate(target) << ": \"" << t.name << "\"  "
              << DateEcho(date.year, date.month, date.day);
    if (t.withClock)
        std::cout << "  " << ClockEcho({SplitHhmm(t.local.clock), t.local.meridiem}) << "  zone "
                  << ZoneEcho(LeadingNumber(t.zone));
    if (t.withPlace) {
        const Longitude longitude{{LeadingNumber(t.longDeg), LeadingNumber(t.longMin)},
                                  t.east ? EastWest::East : EastWest::West};
        const Latitude latitude{{LeadingNumber(t.latDeg), LeadingNumber(t.latMin)},
                                t.south ? NorthSouth::South : NorthSouth::North};
        std::cout << "  " << LongitudeEcho(longitude) << "  " << LatitudeEcho(latitude);
    }
    std::cout << "  JD " << FormatNumber(t.jd, "0.00000") << '\n';
    if (d.directed)
        std::cout << "  progressed JD " << FormatNumber(d.directed->progressedJD, "0.00000")
                  << "  geo arc " << FormatNumber(d.directed->arcs.geo, "0.0000") << "  helio arc "
                  << FormatNumber(d.directed->arcs.helio, "0.0000") << '\n';
}

std::optional<Derived> Derive(Technique technique, ReturnBody body, Session& session,
                              const PredictiveForm& form) {
    switch (technique) {
        case Technique::Progression:
            if (auto t = ProgressIntoTransit(session, form)) return Derived{"progressed", *t, {}};
            return std::nullopt;
        case Technique::SolarArc:
            SetSolarArcMode(session.workstation, true);
            if (auto c = DirectIntoTransit(session, form))
                return Derived{"solar arc", c->transit, *c};
            return std::nullopt;
        case Technique::Return:
            if (auto t = ReturnIntoTransit(session, form, body))
                return Derived{body == ReturnBody::Sun ? "solar return" : "lunar return", *t, {}};
            return std::nullopt;
    }
    return std::nullopt;
}

// The natal data of the file, as the window would load it; a damaged file ends the command.
bool LoadNatalData(Session& session, const std::string& path, ChartFileTarget target,
                   PredictiveForm& form, CliContext& context) {
    switch (LoadFormFile(form, path, target, context.messages)) {
        case FormFileOutcome::Unreadable:
            context.fail("cannot read chart data file " + path);
            return false;
        case FormFileOutcome::Damaged:
            context.fail("the chart data file " + path + " is damaged; nothing was computed");
            return false;
        case FormFileOutcome::Loaded:
            break;
    }
    // The entry model takes the whole file too, so that the listed natal chart is the file's.
    return LoadOptFile(session, path, context);
}

void RunPredictive(Technique technique, const PredictiveOptions& options, CliContext& context) {
    std::string error;
    const std::optional<CivilDate> target = ParseIsoDate(options.date, error);
    if (!target) return context.fail(error);
    std::optional<SectionEdit> natal =
        CheckSectionOptions(options.natal, options.optFile.empty(), error);
    if (!natal) return context.fail(error);
    const ReturnBody body = options.body == "moon" ? ReturnBody::Moon : ReturnBody::Sun;
    auto session = OpenSession(context);
    if (!session) return;
    Workstation& ws = session->workstation;
    PredictiveForm form = OpenPredictiveForm(ws.entry, ws.clock);
    if (!options.optFile.empty()) {
        const ChartFileTarget part = technique == Technique::Progression
                                         ? ChartFileTarget::NatalAndTransitDate
                                         : ChartFileTarget::Everything;
        if (!LoadNatalData(*session, options.optFile, part, form, context)) return;
    }
    // Typed fields change the file's natal chart (or "Now"), in the listing and in the window's
    // copy the derived chart starts from.
    if (options.optFile.empty() && natal->date && !natal->name) natal->name = kTypedNatalName;
    for (EntrySection* section : {&ws.entry.natal, &form.natal}) {
        ApplySectionEdit(*natal, *section);
        if (options.natal.any() && !ApplySectionPlace(*session, options.natal, *section, error))
            return context.fail(error);
    }
    if (!options.natal.place.empty() && !session->places.ownPlaceProblems().empty())
        return context.fail("your places file needs mending before a place is looked up in it");
    form.target.year = std::to_string(target->year);
    form.target.month = std::to_string(target->month);
    form.target.day = std::to_string(target->day);

    const std::optional<Derived> derived = Derive(technique, body, *session, form);
    if (!derived) return context.fail("no derived chart: nothing was computed");
    ComputeCharts(*session);
    // No chart for a moment outside the ephemeris; missing bodies make the command fail.
    ChartsComplete(*session, true, context);
    if (!ws.natal.computed) return CloseSession(*session, context);
    if (options.json) {
        Json out{{"derived", DerivedJson(*derived, *target)}};
        out.update(ChartsJson(ws));
        std::cout << out << '\n';
    } else {
        PrintDerived(*derived, *target);
        PrintChartsText(ws);
    }
    CloseSession(*session, context);
}

CLI::App* AddTechnique(CLI::App& app, CliContext& context, Technique technique, const char* name,
                       const char* description, const char* dateOption) {
    auto options = std::make_shared<PredictiveOptions>();
    auto* command = app.add_subcommand(name, description);
    if (technique == Technique::Return)
        command->add_option("body", options->body, "sun or moon")
            ->required()
            ->check(CLI::IsMember({"sun", "moon"}));
    command->add_option("--opt", options->optFile,
                        "Chart data file (.opt) whose natal data is used; else \"Now\" or the "
                        "natal fields given");
    WhenChosen(*command,
               [options](CLI::App& chosen) { options->natal.addTo(chosen, "natal", "natal"); });
    command->add_option(dateOption, options->date, "Target date YYYY-MM-DD")->required();
    command->add_flag("--json", options->json, "JSON output");
    command->callback(
        [options, technique, &context] { RunPredictive(technique, *options, context); });
    return command;
}

}  // namespace

void AddPredictiveCommands(CLI::App& app, CliContext& context) {
    AddTechnique(app, context, Technique::Progression, "progress",
                 "Secondary progressions: the progressed chart for a date, as transit", "--to");
    AddTechnique(app, context, Technique::SolarArc, "solar-arc",
                 "Solar arc directions: the natal chart moved by the progressed Sun's arc", "--to");
    AddTechnique(app, context, Technique::Return, "return",
                 "Solar or lunar return: the last return on or before a date, as transit",
                 "--near");
}

}  // namespace quintaro::cli
