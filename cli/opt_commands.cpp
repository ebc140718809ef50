// SPDX-License-Identifier: AGPL-3.0-or-later
// opt write / opt read: make and inspect chart data files (".opt") as the entry window saves and
// loads them.
#include <cmath>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <regex>
#include <sstream>

#include "cli/cli_context.h"
#include "cli/moment_options.h"
#include "cli/place_options.h"
#include "core/atomic_file.h"
#include "core/bodies.h"
#include "core/positions.h"
#include "setup/chart_data_file.h"
#include "setup/entry_model.h"

namespace quintaro::cli {

namespace {

// One chart's options, as texts until checked.
struct ChartOptions {
    std::string name;
    std::string place;
    std::string date;
    std::string time;
    bool am = false;
    bool pm = false;
    std::string zone;
    std::string tz;
    std::string longitude;
    std::string latitude;

    void addTo(CLI::App& command, const std::string& prefix, const std::string& which) {
        command.add_option("--" + prefix + "-name", name, "Name of the " + which + " chart");
        command.add_option("--" + prefix + "-place", place,
                           "Place of the " + which +
                               " chart, found in the atlas or your places (\"Paris, Texas\"): "
                               "fills the coordinates and the zone of the date and time that --" +
                               prefix + "-long, -lat and -zone leave open");
        command.add_option("--" + prefix + "-tz", tz,
                           "Zone name (e.g. America/New_York): the zone of the date and time, "
                           "daylight saving included");
        command.add_option("--" + prefix + "-date", date, "Date YYYY-MM-DD");
        command.add_option(
            "--" + prefix + "-time", time,
            "Clock time hh.mm (12-hour clock with --" + prefix + "-am/-pm, or " + "0..23 hours)");
        auto* amFlag = command.add_flag("--" + prefix + "-am", am, "Time is A.M. (default)");
        auto* pmFlag = command.add_flag("--" + prefix + "-pm", pm, "Time is P.M.");
        amFlag->excludes(pmFlag);
        command.add_option("--" + prefix + "-zone", zone,
                           "Time zone in hours, west of Greenwich positive (e.g. 5, -5.5)");
        command.add_option("--" + prefix + "-long", longitude,
                           "Longitude ddd.mm (degrees.minutes), West positive, East negative");
        command.add_option("--" + prefix + "-lat", latitude,
                           "Latitude dd.mm (degrees.minutes), North positive, South negative");
    }
};

struct WriteOptions {
    std::string file;
    ChartOptions natal;
    ChartOptions transit;
    std::string select;
    double carriedA = 0;
    double carriedB = 0;
    bool show = false;
};

// "ddd.mm" into degree and minute texts; minutes "5" mean 50 as on the clock.
bool ParseCoordinate(const std::string& text, int maxDegrees, std::string& degrees,
                     std::string& minutes, bool& negative, std::string& error) {
    static const std::regex pattern(R"(^(-?)(\d{1,3})(?:\.(\d{1,2}))?$)");
    std::smatch m;
    if (!std::regex_match(text, m, pattern)) {
        error = "coordinate '" + text + "' is not of the form ddd.mm";
        return false;
    }
    std::string minuteText = m[3].matched ? m[3].str() : "0";
    if (minuteText.size() == 1 && m[3].matched) minuteText += "0";
    int deg = std::stoi(m[2]);
    int min = std::stoi(minuteText);
    if (deg > maxDegrees || min > 59 || (deg == maxDegrees && min > 0)) {
        error = "coordinate '" + text + "' is out of range (degrees 0.." +
                std::to_string(maxDegrees) + ", minutes 00..59)";
        return false;
    }
    degrees = std::to_string(deg);
    minutes = std::to_string(min);
    negative = m[1].length() > 0 && (deg > 0 || min > 0);
    return true;
}

bool ParseClock(const ChartOptions& o, EntrySection& s, std::string& error) {
    static const std::regex pattern(R"(^(\d{1,2})(?:\.(\d{1,2}))?$)");
    std::smatch m;
    if (!std::regex_match(o.time, m, pattern)) {
        error = "time '" + o.time + "' is not of the form hh.mm";
        return false;
    }
    std::string minuteText = m[2].matched ? m[2].str() : "0";
    if (minuteText.size() == 1 && m[2].matched) minuteText += "0";
    int hour = std::stoi(m[1]);
    int minute = std::stoi(minuteText);
    if (hour > 23 || minute > 59) {
        error = "time '" + o.time + "' needs hours 0..23 and minutes 00..59";
        return false;
    }
    if (hour > 12 && o.am) {
        error = "time '" + o.time + "' is past noon and cannot be A.M.";
        return false;
    }
    s.hour = std::to_string(hour);
    s.minute = std::to_string(minute);
    s.pm = o.pm;
    SilentMessages quiet;
    NormaliseHour(s, Section::Natal, quiet);  // 0 is 12 A.M., 13..23 are P.M.
    return true;
}

bool ParseZone(const std::string& text, std::string& error) {
    static const std::regex pattern(R"(^-?\d{1,2}(\.\d{1,2})?$)");
    if (!std::regex_match(text, pattern) || std::fabs(std::stod(text)) > 24) {
        error = "zone '" + text + "' must be hours between -24 and 24 (e.g. 5 or -5.5)";
        return false;
    }
    return true;
}

// Fills a section from its options; empty options take the fallback section's values. A place
// or zone name fills what the options leave open (see ApplyChartPlace).
bool BuildSection(Session& session, const ChartOptions& o, const EntrySection& fallback,
                  EntrySection& s, std::string& error) {
    s = fallback;
    if (!o.name.empty()) s.name = o.name;
    if (!o.place.empty()) s.place = o.place;
    if (!o.date.empty()) {
        auto date = ParseIsoDate(o.date, error);
        if (!date) return false;
        s.year = std::to_string(date->year);
        s.month = std::to_string(date->month);
        s.day = std::to_string(date->day);
    }
    if (!o.time.empty() && !ParseClock(o, s, error)) return false;
    if (o.time.empty() && (o.am || o.pm)) s.pm = o.pm;
    if (!o.zone.empty()) {
        if (!ParseZone(o.zone, error)) return false;
        s.zone = o.zone;
    }
    if (!o.longitude.empty() &&
        !ParseCoordinate(o.longitude, 180, s.longDeg, s.longMin, s.east, error))
        return false;
    if (!o.latitude.empty() && !ParseCoordinate(o.latitude, 90, s.latDeg, s.latMin, s.south, error))
        return false;
    const ChartPlaceRequest place{o.place, o.tz, !o.longitude.empty(), !o.latitude.empty(),
                                  !o.zone.empty()};
    return ApplyChartPlace(session, place, s, error);
}

// "--select node,angles,pf,chiron,moon" into the natal flags of a selection.
bool ApplySelect(const std::string& list, SelectionFlags& selection, std::string& error) {
    std::stringstream in(list);
    std::string item;
    while (std::getline(in, item, ',')) {
        if (item.empty()) continue;
        if (item == "node") {
            selection.setNatal(SlotNode, true);
        } else if (item == "angles") {
            selection.setNatal(SlotAscendant, true);
            selection.setNatal(SlotMidheaven, true);
        } else if (item == "pf") {
            selection.setNatal(SlotPartOfFortune, true);
        } else if (item == "chiron") {
            selection.setNatal(SlotChiron, true);
        } else if (item == "moon") {
            selection.setNatal(SlotMoon, true);
        } else {
            error = "unknown body '" + item + "' in --select (node, angles, pf, chiron, moon)";
            return false;
        }
    }
    return true;
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
    if (o.natal.date.empty()) return context.fail("--natal-date is required");
    EntrySection blank;
    blank.name = "Now";
    blank.hour = "12";
    blank.minute = "0";
    blank.zone = "0";
    blank.longDeg = blank.longMin = blank.latDeg = blank.latMin = "0";
    EntryModel model;
    Session session(context.homeFolder(), context.messages);
    if (!BuildSection(session, o.natal, blank, model.natal, error))
        return context.fail("natal: " + error);
    EntrySection transitDefault = model.natal;
    transitDefault.name = "Transits";
    if (!BuildSection(session, o.transit, transitDefault, model.transit, error))
        return context.fail("transit: " + error);
    if (!session.places.ownPlaceProblems().empty())
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
    if (o.show) std::cout << FormatChartFile(ChartFileFromEntry(model, selection, memory));
}

std::string CoordinateText(const std::string& degrees, const std::string& minutes,
                           const char* word) {
    return degrees + "\u00b0" + (minutes.size() < 2 ? "0" : "") + minutes + "' " + word;
}

nlohmann::ordered_json SectionJson(const EntrySection& s, const ChartFileChart& file) {
    return {{"name", s.name},
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

void PrintSection(const char* title, const EntrySection& s) {
    std::cout << title << "name \"" << s.name << "\"  place \"" << s.place << "\"\n"
              << "         date " << s.month << "/" << s.day << "/" << s.year << " (m/d/y)  time "
              << s.hour << ":" << (s.minute.size() < 2 ? "0" : "") << s.minute << " "
              << (s.pm ? "P.M." : "A.M.") << "  zone " << s.zone
              << (s.zoneSource.name.empty() ? "" : " (" + s.zoneSource.name + ")") << "\n"
              << "         " << CoordinateText(s.longDeg, s.longMin, s.east ? "East" : "West")
              << "  " << CoordinateText(s.latDeg, s.latMin, s.south ? "South" : "North") << "\n";
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
    PrintSection("natal    ", model.natal);
    PrintSection("transit  ", model.transit);
    std::cout << "flags    node " << f[FlagNode] << "  angles " << f[FlagAngles]
              << "  part of fortune " << f[FlagPartOfFortune] << "  chiron " << f[FlagChiron]
              << "  moon " << f[FlagMoon] << "\n"
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
        "Write a chart data file. The natal chart needs --natal-date; other natal fields default "
        "to Now, 12:00 A.M., zone 0, 0°00' West, 0°00' North. Transit fields default to the "
        "natal values, with the name Transits.");
    write->add_option("FILE", w->file, "Chart data file to write")->required();
    w->natal.addTo(*write, "natal", "natal");
    w->transit.addTo(*write, "transit", "transit");
    write->add_option("--select", w->select,
                      "Natal body check boxes to save as set, comma-separated: node, angles, pf, "
                      "chiron, moon (default: none)");
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
