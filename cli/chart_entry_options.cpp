// SPDX-License-Identifier: AGPL-3.0-or-later
#include "cli/chart_entry_options.h"

#include <fmt/format.h>

#include <nlohmann/json.hpp>

#include "cli/name_lookup.h"
#include "cli/place_options.h"
#include "cli/text_output.h"
#include "cli/workstation_run.h"

namespace quintaro::cli {

namespace {

double DecimalDegrees(const UnitsAndMinutes& angle) {
    return angle.units + angle.minutes / 60.0;
}

// A place looked up while the user's places file has lines that could not be read might be the
// wrong one: the command stops until the file is mended (its lines are reported as it is read).
bool PlacesReadable(const Session& session, const ChartEntryOptions& options, CliContext& context) {
    if (options.natal.place.empty() && options.transit.place.empty()) return true;
    if (session.places.ownPlaceProblems().empty()) return true;
    context.fail("your places file needs mending before a place is looked up in it");
    return false;
}

}  // namespace

void SectionOptions::addTo(CLI::App& command, const std::string& prefix, const std::string& which) {
    const std::string p = "--" + prefix + "-";
    command.add_option(p + "name", name, "Name of the " + which + " chart");
    command.add_option(p + "place", place,
                       "Place of the " + which +
                           " chart, found in the atlas or your places (\"Paris, Texas\"): fills "
                           "the coordinates and the zone of the date and time that " +
                           p + "long, -lat and -zone leave open; with all three given, a label");
    command.add_option(p + "tz", tz,
                       "Zone name (e.g. America/New_York): the zone of the date and time, "
                       "daylight saving included");
    moment.addTo(command, prefix + "-", false, "");
    command.add_option(p + "long", longitude, "Longitude: " + std::string(kLongitudeForms));
    command.add_option(p + "lat", latitude, "Latitude: " + std::string(kLatitudeForms));
}

bool SectionOptions::any() const {
    return !name.empty() || !place.empty() || !tz.empty() || !moment.date.empty() ||
           !moment.time.empty() || !moment.zone.empty() || moment.am || moment.pm ||
           !longitude.empty() || !latitude.empty();
}

bool SectionEdit::any() const {
    return name || place || date || clock || zone || longitude || latitude;
}

std::optional<SectionEdit> CheckSectionOptions(const SectionOptions& o, bool placeRequired,
                                               std::string& error) {
    const std::string& p = o.moment.prefix;  // "--natal-"
    auto fail = [&](const std::string& text) {
        error = text;
        return std::nullopt;
    };
    const MomentOptions& m = o.moment;
    if (!m.date.empty() && m.time.empty()) return fail(p + "date needs " + p + "time");
    if (m.date.empty() && !m.time.empty()) return fail(p + "time needs " + p + "date");
    if (m.time.empty() && (m.am || m.pm))
        return fail(p + (m.am ? "am" : "pm") + " goes with " + p + "time");
    const bool zoneOpen = m.zone.empty() && o.tz.empty() && o.place.empty();
    const bool coordinatesOpen = (o.longitude.empty() || o.latitude.empty()) && o.place.empty();
    if (placeRequired && !m.date.empty() && (zoneOpen || coordinatesOpen))
        return fail("a chart entered on the command line needs its place and zone: " + p +
                    "place, or " + p + "zone (or " + p + "tz), " + p + "long and " + p +
                    "lat; or load a chart file with --opt");
    if (!m.zone.empty() && !o.tz.empty())
        return fail(p + "zone and " + p + "tz both give the zone: leave out one");
    SectionEdit edit;
    std::string reason;
    if (!o.name.empty()) edit.name = o.name;
    if (!o.place.empty()) edit.place = o.place;
    if (!m.date.empty()) {
        edit.date = ParseIsoDate(m.date, reason);
        if (!edit.date) return fail(p + "date: " + reason);
        edit.clock = ParseClockTime(m.time, m.meridiem(), reason);
        if (!edit.clock) return fail(p + "time: " + reason);
    }
    if (!m.zone.empty() && !(edit.zone = ParseZone(m.zone, reason)))
        return fail(p + "zone: " + reason);
    if (!o.longitude.empty() && !(edit.longitude = ParseLongitude(o.longitude, reason)))
        return fail(p + "long: " + reason);
    if (!o.latitude.empty() && !(edit.latitude = ParseLatitude(o.latitude, reason)))
        return fail(p + "lat: " + reason);
    return edit;
}

void ApplySectionEdit(const SectionEdit& edit, EntrySection& s) {
    if (edit.name) s.name = *edit.name;
    if (edit.place) s.place = *edit.place;
    if (edit.date) {
        s.year = std::to_string(edit.date->year);
        s.month = std::to_string(edit.date->month);
        s.day = std::to_string(edit.date->day);
    }
    if (edit.clock) {
        const ClockTime time = edit.clock->clockTime();
        s.hour = NumberText(time.clock.units);
        s.minute = NumberText(time.clock.minutes);
        s.pm = time.meridiem == Meridiem::PM;
    }
    if (edit.zone) s.zone = NumberText(*edit.zone);
    if (edit.longitude) {
        s.longDeg = NumberText(edit.longitude->angle.units);
        s.longMin = NumberText(edit.longitude->angle.minutes);
        s.east = edit.longitude->side == EastWest::East;
    }
    if (edit.latitude) {
        s.latDeg = NumberText(edit.latitude->angle.units);
        s.latMin = NumberText(edit.latitude->angle.minutes);
        s.south = edit.latitude->side == NorthSouth::South;
    }
}

bool ApplySectionPlace(Session& session, const SectionOptions& o, EntrySection& section,
                       std::string& error) {
    const ChartPlaceRequest request{o.place, o.tz, !o.longitude.empty(), !o.latitude.empty(),
                                    !o.moment.zone.empty()};
    if (ApplyChartPlace(session, request, section, error)) return true;
    const std::string& p = o.moment.prefix;  // "--natal-"
    if (!o.place.empty())
        error = p + "place: " + error;
    else if (!o.tz.empty())
        error = p + "tz: " + error;
    else if (p.size() > 3)  // the zone of a place kept from the chart file or the natal section
        error = p.substr(2, p.size() - 3) + ": " + error;
    return false;
}

void ChartEntryOptions::addTo(CLI::App& command) {
    WhenChosen(command, [this](CLI::App& chosen) {
        chosen.add_option("--opt", optFile,
                          "Chart data file (.opt) to start from; without it the charts start at "
                          "\"Now\" at the home location");
        natal.addTo(chosen, "natal", "natal");
        transit.addTo(chosen, "transit", "transit");
    });
}

void WhenChosen(CLI::App& command, std::function<void(CLI::App&)> addOptions) {
    command.preparse_callback(
        [&command, add = std::move(addOptions)](std::size_t) { add(command); });
}

std::unique_ptr<Session> OpenChartSession(const ChartEntryOptions& options, CliContext& context,
                                          const ChartSessionSetup& setup) {
    std::string error;
    auto refuse = [&] {
        context.fail(error);
        return nullptr;
    };
    auto natal = CheckSectionOptions(options.natal, options.optFile.empty(), error);
    if (!natal) return refuse();
    auto transit = CheckSectionOptions(options.transit, false, error);
    if (!transit) return refuse();
    std::string houseSystem;
    if (!setup.houseSystem.empty()) {
        auto system = FindHouseSystemByName(setup.houseSystem, error);
        if (!system) return refuse();
        houseSystem = HouseSystemName(*system);
    }

    auto session = OpenSession(context, houseSystem);
    if (!session) return nullptr;
    // The command's settings go in before the chart file is loaded, so that its computation
    // already has them; the fields typed here need one more.
    if (setup.prepare) setup.prepare(*session);
    bool computeAgain = setup.prepare != nullptr;
    if (!options.optFile.empty()) {
        if (!LoadOptFile(*session, options.optFile, context)) return nullptr;
        computeAgain = false;
    }
    EntryModel& entry = session->workstation.entry;
    if (options.optFile.empty()) {
        // A chart typed here is not "Now": it gets a name of its own unless one is given.
        if (natal->date && !natal->name) natal->name = kTypedNatalName;
        if (transit->date && !transit->name) transit->name = kTypedTransitName;
    }
    ApplySectionEdit(*natal, entry.natal);
    ApplySectionEdit(*transit, entry.transit);
    for (const auto& [given, section] :
         {std::pair{&options.natal, &entry.natal}, std::pair{&options.transit, &entry.transit}}) {
        if (!given->any()) continue;
        if (!ApplySectionPlace(*session, *given, *section, error)) return refuse();
    }
    if (!PlacesReadable(*session, options, context)) return nullptr;
    if (computeAgain || natal->any() || transit->any()) ComputeCharts(*session);
    // No chart at all when the natal moment could not be computed.
    const Workstation& ws = session->workstation;
    if (!ws.natal.computed || !ws.chartsComputed) {
        if (ChartsComplete(*session, false, context))
            context.fail("no chart was computed for " + ChartEcho(ws, Section::Natal));
        return nullptr;
    }
    return session;
}

std::string ChartDataEcho(const std::string& name, const std::string& place, const ChartData& d,
                          const std::string& zoneName) {
    return fmt::format("{}{}  {}  {}  zone {}{}  {}  {}", name,
                       place.empty() ? "" : " (" + place + ")", DateEcho(d.year, d.month, d.day),
                       ClockEcho(d.time), ZoneEcho(d.zone), zoneName.empty() ? "" : " " + zoneName,
                       LongitudeEcho(d.longitude), LatitudeEcho(d.latitude));
}

std::string ChartEcho(const Workstation& ws, Section section) {
    const ChartState& chart = section == Section::Natal ? ws.natal : ws.transit;
    const EntrySection& entry = ws.entry.section(section);
    return ChartDataEcho(chart.name, entry.place, chart.data, entry.zoneSource.name);
}

nlohmann::ordered_json ChartEchoJson(const Workstation& ws, Section section) {
    const ChartState& chart = section == Section::Natal ? ws.natal : ws.transit;
    const ChartData& d = chart.data;
    const ClockTime& t = d.time;
    const int hour24 =
        static_cast<int>(std::lround(t.clock.units)) % 12 + (t.meridiem == Meridiem::PM ? 12 : 0);
    const double east = DecimalDegrees(d.longitude.angle);
    const double north = DecimalDegrees(d.latitude.angle);
    return {{"name", chart.name},
            {"place", ws.entry.section(section).place},
            {"date", DateEcho(d.year, d.month, d.day)},
            {"time", fmt::format("{:02d}:{:02d}", hour24, std::lround(t.clock.minutes))},
            {"zone", d.zone},
            {"zone_text", ZoneEcho(d.zone)},
            {"zone_name", ws.entry.section(section).zoneSource.name},
            {"longitude", LongitudeEcho(d.longitude)},
            {"longitude_east", Rounded6(d.longitude.side == EastWest::East ? east : -east)},
            {"latitude", LatitudeEcho(d.latitude)},
            {"latitude_north", Rounded6(d.latitude.side == NorthSouth::South ? -north : north)},
            {"jd", chart.houses.ChartJD}};
}

}  // namespace quintaro::cli
