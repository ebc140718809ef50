// SPDX-License-Identifier: AGPL-3.0-or-later
// opt write / opt read: make and inspect chart data files (".opt") as the entry window saves and
// loads them.
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>

#include "cli/chart_entry_options.h"
#include "cli/cli_context.h"
#include "cli/moment_options.h"
#include "core/atomic_file.h"
#include "core/bodies.h"
#include "core/plain_text.h"
#include "core/positions.h"
#include "setup/chart_data_file.h"
#include "setup/entry_model.h"
#include "setup/planet_groups.h"

namespace quintaro::cli {

namespace {

struct WriteOptions {
    std::string file;
    SectionOptions natal;
    SectionOptions transit;
    std::string select = "default";
    double carriedA = 0;
    double carriedB = 0;
    bool show = false;
};

// The five body check boxes a chart data file keeps, by the names --select takes.
struct FileFlagName {
    const char* name;
    ChartFileFlag flag;
};
constexpr FileFlagName kFileFlagNames[] = {{"node", FlagNode},
                                           {"angles", FlagAngles},
                                           {"pf", FlagPartOfFortune},
                                           {"chiron", FlagChiron},
                                           {"moon", FlagMoon}};

// The natal flags of the check boxes as the entry window starts with them: the default group.
std::array<bool, 5> DefaultFileFlags() {
    return ChartFileFromEntry(EntryModel{}, DefaultSelectGroup(), ChartFileMemory{}).flags;
}

void SetFileFlag(ChartFileFlag flag, SelectionFlags& selection) {
    switch (flag) {
        case FlagNode:
            selection.setNatal(SlotNode, true);
            break;
        case FlagAngles:
            selection.setNatal(SlotAscendant, true);
            selection.setNatal(SlotMidheaven, true);
            break;
        case FlagPartOfFortune:
            selection.setNatal(SlotPartOfFortune, true);
            break;
        case FlagChiron:
            selection.setNatal(SlotChiron, true);
            break;
        case FlagMoon:
            selection.setNatal(SlotMoon, true);
            break;
    }
}

// "--select node,angles,pf,chiron,moon", "none" or "default" into the natal flags of a selection.
bool ApplySelect(const std::string& list, SelectionFlags& selection, std::string& error) {
    std::stringstream in(AsciiLower(list));
    std::string item;
    while (std::getline(in, item, ',')) {
        item.erase(0, item.find_first_not_of(' '));
        item.erase(item.find_last_not_of(' ') + 1);
        if (item.empty() || item == "none") continue;
        if (item == "default") {
            const auto flags = DefaultFileFlags();
            for (const FileFlagName& f : kFileFlagNames)
                if (flags[static_cast<size_t>(f.flag)]) SetFileFlag(f.flag, selection);
            continue;
        }
        auto it = std::find_if(std::begin(kFileFlagNames), std::end(kFileFlagNames),
                               [&](const FileFlagName& f) { return item == f.name; });
        if (it == std::end(kFileFlagNames)) {
            error = "unknown body '" + item +
                    "' in --select: the file keeps node, angles, pf, chiron and moon (or none, "
                    "default)";
            return false;
        }
        SetFileFlag(it->flag, selection);
    }
    return true;
}

// The check boxes a file sets, as words.
std::string FlagWords(const std::array<bool, 5>& flags) {
    std::string words;
    for (const FileFlagName& f : kFileFlagNames)
        if (flags[static_cast<size_t>(f.flag)])
            words += (words.empty() ? "" : ", ") + std::string(f.name);
    return words.empty() ? "none" : words;
}

std::string SectionEcho(const EntrySection& section) {
    return ChartDataEcho(section.name, section.place, ReadSection(section, MonthDayYear),
                         section.zoneSource.name);
}

// A moment outside the ephemeris makes a file no chart can be computed from: the file is
// written as asked (it may be meant for another installation or for later), with a warning.
void WarnOutsideEphemeris(const char* which, const EntrySection& section, CliContext& context) {
    const ChartData data = ReadSection(section, MonthDayYear);
    const double jd = MomentToJD(data.year, data.month, data.day, data.time.clock.hhmm(),
                                 data.time.meridiem, data.zone)
                          .ChartJD;
    if (MomentInEphemerisRange(jd, false)) return;
    const bool early = MomentInEphemerisRange(jd, true);
    context.messages.show(
        "Warning!",
        std::string("the ") + which + " moment " + section.year + "-" + section.month + "-" +
            section.day + " lies outside the ephemeris, which covers " + EphemerisRangeText(false) +
            (early ? "; only the 1750 tables reach it" : "; no chart can be computed for it") +
            ". The file is written as asked.",
        MessageIcon::Exclamation);
}

void RunWrite(const WriteOptions& o, CliContext& context) {
    std::string error;
    if (o.natal.moment.date.empty()) return context.fail("--natal-date is required");
    auto natal = CheckSectionOptions(o.natal, true, error);
    if (!natal) return context.fail(error);
    auto transit = CheckSectionOptions(o.transit, false, error);
    if (!transit) return context.fail(error);
    if (!natal->name) natal->name = "Natal";
    EntryModel model;
    ApplySectionEdit(*natal, model.natal);
    Session session(context.homeFolder(), context.messages);
    if (!ApplySectionPlace(session, o.natal, model.natal, error)) return context.fail(error);
    model.transit = model.natal;
    model.transit.name = "Transits";
    ApplySectionEdit(*transit, model.transit);
    // Always: a zone the transit took from the natal place is looked up for the transit's time.
    if (!ApplySectionPlace(session, o.transit, model.transit, error)) return context.fail(error);
    if ((!o.natal.place.empty() || !o.transit.place.empty()) &&
        !session.places.ownPlaceProblems().empty())
        return context.fail("your places file needs mending before a place is looked up in it");
    SelectionFlags selection;
    if (!ApplySelect(o.select, selection, error)) return context.fail(error);
    if (!std::isfinite(o.carriedA) || !std::isfinite(o.carriedB))
        return context.fail("carried values must be finite numbers");
    ChartFileMemory memory{{}, o.carriedA, o.carriedB};
    if (!SaveChartFile(o.file, model, selection, memory, context.messages)) {
        context.exitCode = 1;
        return;
    }
    WarnOutsideEphemeris("natal", model.natal, context);
    WarnOutsideEphemeris("transit", model.transit, context);
    const ChartFile file = ChartFileFromEntry(model, selection, memory);
    std::cout << "Wrote " << o.file << '\n'
              << "natal    " << SectionEcho(model.natal) << '\n'
              << "transit  " << SectionEcho(model.transit) << '\n'
              << "bodies   " << FlagWords(file.flags) << '\n';
    if (o.show) std::cout << '\n' << FormatChartFile(file);
}

nlohmann::ordered_json SectionJson(const EntrySection& s, const ChartFileChart& file) {
    return {{"text", SectionEcho(s)},
            {"name", s.name},
            {"place", s.place},
            {"year", s.year},
            {"month", s.month},
            {"day", s.day},
            {"hour", s.hour},
            {"minute", s.minute},
            {"meridiem", s.pm ? "P.M." : "A.M."},
            {"hour24", file.hour24},
            {"zone", s.zone},
            {"zone_name", s.zoneSource.name},
            {"long_deg", s.longDeg},
            {"long_min", s.longMin},
            {"long_word", s.east ? "East" : "West"},
            {"long_decimal", file.longitude},
            {"lat_deg", s.latDeg},
            {"lat_min", s.latMin},
            {"lat_word", s.south ? "South" : "North"},
            {"lat_decimal", file.latitude}};
}

void RunRead(const std::string& path, bool json, CliContext& context) {
    std::optional<ChartFile> file = ReadChartFile(path);
    if (!file) return context.fail("cannot open the chart data file " + path);
    EntryModel model;
    SelectionFlags selection;
    ChartFileMemory memory;
    ApplyChartFile(*file, ChartFileTarget::Everything, model, selection, memory);
    for (const std::string& problem : file->problems)
        context.messages.show("Warning!", path + ": " + problem, MessageIcon::Exclamation);
    const auto& f = file->flags;
    if (json) {
        nlohmann::ordered_json out = {{"file", path},
                                      {"values_read", file->valuesRead},
                                      {"problems", file->problems},
                                      {"natal", SectionJson(model.natal, file->natal)},
                                      {"transit", SectionJson(model.transit, file->transit)},
                                      {"flags",
                                       {{"node", f[FlagNode]},
                                        {"angles", f[FlagAngles]},
                                        {"part_of_fortune", f[FlagPartOfFortune]},
                                        {"chiron", f[FlagChiron]},
                                        {"moon", f[FlagMoon]}}},
                                      {"carried", {file->carriedA, file->carriedB}}};
        std::cout << out.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                  << '\n';
        return;
    }
    std::cout << "natal    " << SectionEcho(model.natal) << "\n"
              << "transit  " << SectionEcho(model.transit) << "\n"
              << "bodies   " << FlagWords(f) << "\n"
              << "carried  " << FormatNumber(file->carriedA, "0.##########") << " "
              << FormatNumber(file->carriedB, "0.##########") << "\n"
              << "values   " << file->valuesRead << " of " << ChartFileValueCount << "\n";
}

}  // namespace

void AddOptCommands(CLI::App& app, CliContext& context) {
    auto* opt = app.add_subcommand("opt", "Chart data files (.opt): write and read");
    opt->require_subcommand(1);

    auto w = std::make_shared<WriteOptions>();
    auto* write = opt->add_subcommand(
        "write",
        "Write a chart data file. The natal chart needs --natal-date, --natal-time, --natal-zone, "
        "--natal-long and --natal-lat (the same forms as the chart commands). Transit fields "
        "default to the natal values, with the name Transits.");
    write->add_option("FILE", w->file, "Chart data file to write")->required();
    WhenChosen(*write, [w](CLI::App& chosen) {
        w->natal.addTo(chosen, "natal", "natal");
        w->transit.addTo(chosen, "transit", "transit");
    });
    write->add_option("--select", w->select,
                      "Natal body check boxes to save as set, comma-separated: node, angles, pf, "
                      "chiron, moon; none; default (what the entry window starts with: "
                      "moon, chiron)");
    write->add_option("--carried-a", w->carriedA, "Carried value A of line 2 (default 0)");
    write->add_option("--carried-b", w->carriedB, "Carried value B of line 2 (default 0)");
    write->add_flag("--show", w->show, "Print the file's text after writing it");
    write->callback([w, &context] { RunWrite(*w, context); });

    auto path = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    auto* read = opt->add_subcommand(
        "read",
        "Read a chart data file as the entry window loads it; a damaged file is read as "
        "far as it goes, with warnings on stderr");
    read->add_option("FILE", *path, "Chart data file to read")->required();
    read->add_flag("--json", *json, "JSON output");
    read->callback([path, json, &context] { RunRead(*path, *json, context); });
}

}  // namespace quintaro::cli
