// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The chart entry on one command line, shared by every command that computes a chart: a chart
// data file (--opt FILE) and the fields of the entry window's two sections (--natal-date,
// --natal-time, --natal-zone, --natal-long, --natal-lat, --natal-name, --natal-place, the same
// for the transit). The texts are read once here, into the entry model as the window holds it.
//
// A command adds them with ChartEntryOptions::addTo and gets its computed session from
// OpenChartSession:
//
//     auto chart = std::make_shared<ChartEntryOptions>();
//     chart->addTo(*command);
//     command->callback([chart, &context] {
//         auto session = OpenChartSession(*chart, context);
//         if (!session) return;
//         ...
//         CloseSession(*session, context);
//     });

#include <CLI/CLI.hpp>
#include <functional>
#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>

#include "app/session.h"
#include "cli/cli_context.h"
#include "cli/entry_text_forms.h"
#include "cli/moment_options.h"

namespace quintaro::cli {

// One section's options as typed.
struct SectionOptions {
    std::string name;
    std::string place;     // a label, or a place of the atlas or the user's places
    MomentOptions moment;  // date, time, am/pm, zone
    std::string tz;        // a zone name: the zone of the date and time
    std::string longitude;
    std::string latitude;

    // Adds --<prefix>-name, -place, -tz, -date, -time, -am, -pm, -zone, -long, -lat; `which`
    // names the chart in the help ("natal").
    void addTo(CLI::App& command, const std::string& prefix, const std::string& which);
    bool any() const;
};

// The fields a section's options give, checked; fields not given stay empty.
struct SectionEdit {
    std::optional<std::string> name, place;
    std::optional<CivilDate> date;
    std::optional<ClockReading> clock;
    std::optional<double> zone;
    std::optional<Longitude> longitude;
    std::optional<Latitude> latitude;

    bool any() const;
};

// Checks one section's options. A date needs its time (and the reverse); with `placeRequired` a
// date also needs the zone and both coordinates, since there is no chart file to take them from
// (a place found in the atlas gives all three, a zone name the zone).
std::optional<SectionEdit> CheckSectionOptions(const SectionOptions& options, bool placeRequired,
                                               std::string& error);

// The names of charts typed on the command line without --opt and without a name of their own:
// the window's "Now" would be wrong for them.
inline constexpr const char* kTypedNatalName = "Natal";
inline constexpr const char* kTypedTransitName = "Transits";

// Writes the given fields into a section as the entry window holds them (12-hour clock, degrees
// and minutes with their sides).
void ApplySectionEdit(const SectionEdit& edit, EntrySection& section);

// After ApplySectionEdit: the coordinates and the zone the options leave open come from the
// place or the zone name (see ApplyChartPlace); a zone that came from a place is looked up again
// for the section's own time. False, with the reason, when the place or the zone is unknown or
// the local time has no single zone.
bool ApplySectionPlace(Session& session, const SectionOptions& options, EntrySection& section,
                       std::string& error);

struct ChartEntryOptions {
    std::string optFile;
    SectionOptions natal;
    SectionOptions transit;

    // --opt and both sections' options, added when the command is chosen (WhenChosen).
    void addTo(CLI::App& command);
};

// Runs `addOptions` when the command is chosen on the command line, before its arguments are
// read (its --help included), instead of at every start: the chart entry's twenty-odd options
// on a dozen commands cost more than the rest of the program's set-up. One call per command.
void WhenChosen(CLI::App& command, std::function<void(CLI::App&)> addOptions);

// What a command sets on the session before its chart is computed.
struct ChartSessionSetup {
    std::string houseSystem;  // any name FindHouseSystemByName takes; empty: kept
    // Runs after start-up, before the chart file and the typed fields are computed (e.g. switches
    // the exact-time search on).
    std::function<void(Session&)> prepare;
};

// Starts the workstation with the chart the options give: "Now" at home, then the chart data
// file, then the fields given on the command line; computes again when anything changed.
// Nothing, with the reason reported, when an option is wrong, the file cannot be read or the
// charts cannot be computed.
std::unique_ptr<Session> OpenChartSession(const ChartEntryOptions& options, CliContext& context,
                                          const ChartSessionSetup& setup = {});

// How a computed chart was understood, in one line:
// "Ann (New York)  1990-12-25  10:30 P.M. (22:30)  zone 5 (UTC-5:00)  73°59′ W  40°46′ N",
// with the zone's name after the zone when it came from one.
std::string ChartEcho(const Workstation& ws, Section section);
std::string ChartDataEcho(const std::string& name, const std::string& place, const ChartData& data,
                          const std::string& zoneName = {});

// The same for programs: name, place, date, time, zone and coordinates with their sides.
nlohmann::ordered_json ChartEchoJson(const Workstation& ws, Section section);

}  // namespace quintaro::cli
