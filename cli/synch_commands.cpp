// SPDX-License-Identifier: AGPL-3.0-or-later
// synch and symmetry: the synchronization ratings of the charts (one day, or day by day over a
// month into a ".sbd" file) and the symmetrical patterns of the members of a synchronization
// file.
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <regex>

#include "app/synch_runs.h"
#include "cli/cli_context.h"
#include "cli/synch_options.h"
#include "cli/workstation_run.h"

namespace quintaro::cli {

namespace {

using Json = nlohmann::ordered_json;

struct SynchOptions {
    std::string optFile, orbs, month, out;
    std::vector<std::string> syn;
    bool json = false;
};

struct SymmetryOptions {
    std::string optFile, orbGeo, orbHelio;
    std::vector<std::string> syn;
    bool json = false;
};

Json MemberJson(const Session& session, const SynchMember& member) {
    return {{"slot", member.slot},
            {"name", session.workstation.catalogue.BodyNames[static_cast<size_t>(member.slot)]},
            {"side", member.side == ChartSide::Natal ? "natal" : "transit"}};
}

Json SynchJson(const Session& session, const SynchOrbs& orbs) {
    const SynchSession& synch = session.synch;
    Json files = Json::array();
    for (const SynchSource& source : synch.sources) files.push_back(source.name);
    Json kinds = Json::array();
    for (SynchKind kind : AllSynchKinds) {
        const SynchKindResult& result = synch.day.of(kind);
        Json records = Json::array();
        for (const SynchRecord& record : result.records) {
            Json members = Json::array();
            for (const SynchMember& m : record.members) {
                Json member = MemberJson(session, m);
                member["value"] = SynchValue(session.workstation.record, kind, m);
                members.push_back(member);
            }
            records.push_back({{"priority", record.priority},
                               {"found", record.found},
                               {"line", record.line},
                               {"members", members}});
        }
        Json candidates = Json::array();
        for (const SynchCandidate& c : result.listing) {
            Json candidate = MemberJson(session, c.member);
            candidate["value"] = c.value;
            candidates.push_back(candidate);
        }
        kinds.push_back({{"code", SynchKindCode(kind)},
                         {"title", SynchKindTitle(kind)},
                         {"orb", orbs[static_cast<size_t>(IndexOf(kind))]},
                         {"full", result.full},
                         {"synchronizations", records},
                         {"candidates", candidates}});
    }
    return {{"files", files},
            {"kinds", kinds},
            {"panes",
             {{"synchronizations", synch.day.synchPane},
              {"natal", synch.day.natalPane},
              {"transits", synch.day.transitPane}}}};
}

std::optional<std::pair<int, int>> ParseMonth(const std::string& text, CliContext& context) {
    static const std::regex pattern(R"(^(\d{4})-(\d{1,2})$)");
    std::smatch match;
    if (!std::regex_match(text, match, pattern) || std::stoi(match[2]) < 1 ||
        std::stoi(match[2]) > 12) {
        context.fail("--month '" + text + "' is not of the form YYYY-MM");
        return std::nullopt;
    }
    return std::pair{std::stoi(match[1]), std::stoi(match[2])};
}

void RunMonth(const SynchOptions& options, const SynchOrbs& orbs, CliContext& context) {
    if (options.out.empty()) return context.fail("--month needs --out FILE.sbd");
    auto month = ParseMonth(options.month, context);
    if (!month) return;
    auto session = OpenSynchSession(options.optFile, options.syn, context);
    if (!session) return;
    const SynchMonthOutcome outcome =
        CalculateSynchForDays(*session, month->first, month->second, orbs, options.out, {});
    if (outcome != SynchMonthOutcome::Written) {
        context.exitCode = 1;  // the reason went to stderr
        return;
    }
    std::cout << options.out << '\n';
    CloseSession(*session, context);
}

void RunSynch(const SynchOptions& options, CliContext& context) {
    auto orbs = ParseSynchOrbs(options.orbs, context);
    if (!orbs) return;
    if (!options.month.empty()) return RunMonth(options, *orbs, context);
    if (!options.out.empty()) return context.fail("--out goes with --month");
    auto session = OpenSynchSession(options.optFile, options.syn, context);
    if (!session) return;
    if (!CalculateSynchOneDay(*session, *orbs)) {
        context.exitCode = 1;
        return;
    }
    const SynchDayResult& day = session->synch.day;
    if (options.json)
        std::cout << SynchJson(*session, *orbs) << '\n';
    else
        std::cout << "Synchronizations\n\n"
                  << day.synchPane << "\nNatal positions\n\n"
                  << day.natalPane << "\nTransit positions\n\n"
                  << day.transitPane;
    for (const SynchKindResult& kind : day.kinds)
        if (kind.full)
            context.fail("the search stopped at " + std::to_string(MaxSynchRecords) +
                         " synchronizations of a kind; the list is not complete");
    CloseSession(*session, context);
}

Json SymmetryJson(const Session& session) {
    const SynchSession& synch = session.synch;
    Json kinds = Json::array();
    for (int kind = 0; kind < SymmetryKindCount; ++kind) {
        const SymmetryKindResult& result = synch.symmetry.kinds[static_cast<size_t>(kind)];
        Json patterns = Json::array();
        for (const SymmetryPattern& p : result.patterns) {
            Json members = Json::array();
            for (const SynchMember& m : p.members) {
                Json member = MemberJson(session, m);
                const ChartKinds& chart = m.side == ChartSide::Natal
                                              ? session.workstation.record.Natal
                                              : session.workstation.record.Transit;
                const auto slot = static_cast<size_t>(m.slot);
                member["longitude"] = kind == 0 ? chart.GeoLong[slot] : chart.HelioLong[slot];
                members.push_back(member);
            }
            patterns.push_back({{"pass", p.pass}, {"text", p.text}, {"members", members}});
        }
        kinds.push_back({{"kind", kind == 0 ? "geo" : "helio"},
                         {"orb", synch.symmetryOrbs[static_cast<size_t>(kind)]},
                         {"limit_reached", result.limitReached},
                         {"patterns", patterns}});
    }
    return {{"heading", synch.symmetryHeading},
            {"capacity", session.workstation.capacities.numSynchsSymsAllowedInArray},
            {"kinds", kinds}};
}

void RunSymmetry(const SymmetryOptions& options, CliContext& context) {
    std::array<double, SymmetryKindCount> orbs{DefaultSymmetryOrb, DefaultSymmetryOrb};
    for (auto [text, option, orb] : {std::tuple{&options.orbGeo, "--orb-geo", &orbs[0]},
                                     std::tuple{&options.orbHelio, "--orb-helio", &orbs[1]}}) {
        if (text->empty()) continue;
        auto parsed = ParseOrb(*text, option, context);
        if (!parsed) return;
        *orb = *parsed;
    }
    auto session = OpenSynchSession(options.optFile, options.syn, context);
    if (!session) return;
    session->synch.symmetryOrbs = orbs;
    if (!CalculateSymmetricalPatterns(*session)) {
        context.exitCode = 1;
        return;
    }
    const SymmetryResult& result = session->synch.symmetry;
    if (options.json)
        std::cout << SymmetryJson(*session) << '\n';
    else
        std::cout << session->synch.symmetryHeading << "\n\n" << SymmetryListing(result);
    for (const SymmetryKindResult& kind : result.kinds)
        for (bool reached : kind.limitReached)
            if (reached) {
                context.exitCode = 1;  // "Limit reached" went to stderr: the lists are cut short
            }
    CloseSession(*session, context);
}

}  // namespace

void AddSynchCommands(CLI::App& app, CliContext& context) {
    auto synchOptions = std::make_shared<SynchOptions>();
    auto* synch = app.add_subcommand(
        "synch", "Synchronization ratings of the charts, for one day or day by day over a month");
    synch->add_option("--opt", synchOptions->optFile, "Chart data file (.opt); else \"Now\"");
    synch->add_option("--syn", synchOptions->syn, "Synchronization files (.syn), comma-separated")
        ->required()
        ->delimiter(',');
    synch->add_option("--orbs", synchOptions->orbs,
                      "Orbs GL,GD,HL,HLAT (default 1.00,1.00,1.00,0.30)");
    synch->add_option("--month", synchOptions->month,
                      "Day by day over the month YYYY-MM (the transit date moves)");
    synch->add_option("--out", synchOptions->out, "The day-by-day file (.sbd) of --month");
    synch->add_flag("--json", synchOptions->json, "JSON output");
    synch->callback([synchOptions, &context] { RunSynch(*synchOptions, context); });

    auto symmetryOptions = std::make_shared<SymmetryOptions>();
    auto* symmetry = app.add_subcommand(
        "symmetry", "Symmetrical patterns among the members of a synchronization file");
    symmetry->add_option("--opt", symmetryOptions->optFile, "Chart data file (.opt); else \"Now\"");
    symmetry->add_option("--syn", symmetryOptions->syn, "Synchronization files (.syn)")
        ->required()
        ->delimiter(',');
    symmetry->add_option("--orb-geo", symmetryOptions->orbGeo, "Geocentric orb (default 3.00)");
    symmetry->add_option("--orb-helio", symmetryOptions->orbHelio,
                         "Heliocentric orb (default 3.00)");
    symmetry->add_flag("--json", symmetryOptions->json, "JSON output");
    symmetry->callback([symmetryOptions, &context] { RunSymmetry(*symmetryOptions, context); });
}

}  // namespace quintaro::cli
