// SPDX-License-Identifier: AGPL-3.0-or-later
// place search / place add / zone: the atlas, the user's own places and the zones with their
// history, without the workstation's charts.
#include <cmath>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "app/place_resolution.h"
#include "app/session.h"
#include "cli/cli_context.h"
#include "cli/moment_options.h"
#include "cli/place_options.h"
#include "core/formatting.h"
#include "places/user_places_file.h"
#include "places/zone_text.h"

namespace quintaro::cli {

namespace {

using Json = nlohmann::ordered_json;

void Print(const Json& json) {
    std::cout << json.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
}

// 40°43′ N: whole minutes.
std::string CoordinateText(double value, const char* positive, const char* negative) {
    double degrees = std::floor(std::fabs(value));
    double minutes = std::round((std::fabs(value) - degrees) * 60);
    if (minutes >= 60) {
        degrees += 1;
        minutes = 0;
    }
    return FormatNumber(degrees, "0") + "\u00b0" + FormatNumber(minutes, "00") + "\u2032 " +
           (value < 0 ? negative : positive);
}

Json PlaceJson(const GeoPlace& p) {
    return {{"name", p.name},
            {"region", p.region},
            {"country", p.country},
            {"country_code", p.countryCode},
            {"label", PlaceLabel(p)},
            {"latitude", p.latitude},
            {"longitude", p.longitude},
            {"zone_name", p.zoneName},
            {"population", p.population},
            {"own", p.own}};
}

Json ReadingJson(const ZoneReading& r) {
    return {{"zone", r.zoneHours()},
            {"zone_text", ZoneFieldText(r.utcOffsetSeconds)},
            {"utc_offset_seconds", r.utcOffsetSeconds},
            {"abbreviation", r.abbreviation},
            {"daylight_saving", r.daylightSaving},
            {"local_mean_time", r.localMeanTime}};
}

const char* KindName(LocalTimeKind kind) {
    switch (kind) {
        case LocalTimeKind::Skipped:
            return "skipped";
        case LocalTimeKind::Repeated:
            return "repeated";
        default:
            return "unique";
    }
}

// The user's places file had lines that could not be read: the result stands, the exit says so.
void FailOnDamagedOwnPlaces(Session& session, CliContext& context) {
    if (!session.places.ownPlaceProblems().empty()) context.exitCode = 1;
}

struct SearchOptions {
    std::string text;
    int limit = 10;
    bool json = false;
};

void RunSearch(const SearchOptions& o, CliContext& context) {
    if (o.limit < 1 || o.limit > 1000) return context.fail("--limit must be 1..1000");
    Session session(context.homeFolder(), context.messages);
    const Atlas& atlas = session.places.atlas(context.messages);
    const auto found = atlas.search(o.text, static_cast<size_t>(o.limit));
    if (o.json) {
        Json places = Json::array();
        for (const GeoPlace* p : found) places.push_back(PlaceJson(*p));
        Json out = {{"query", o.text}, {"places", places}};
        if (found.empty()) {
            Json closest = Json::array();
            for (const GeoPlace* p : atlas.closest(o.text, 5)) closest.push_back(PlaceJson(*p));
            out["closest"] = closest;
        }
        Print(out);
    } else {
        for (const GeoPlace* p : found)
            std::cout << PlaceLabel(*p) << (p->own ? " (your place)" : "") << "  "
                      << CoordinateText(p->latitude, "N", "S") << "  "
                      << CoordinateText(p->longitude, "E", "W") << "  " << p->zoneName << '\n';
    }
    if (found.empty()) context.fail(UnknownPlaceText(atlas, o.text));
    FailOnDamagedOwnPlaces(session, context);
}

struct AddOptions {
    std::string name, latitude, longitude, zone;
};

void RunAdd(const AddOptions& o, CliContext& context) {
    if (o.name.empty() || o.name.find(';') != std::string::npos)
        return context.fail("the name must not be empty nor hold \";\"");
    std::string error;
    const auto latitude = ParseLatitude(o.latitude, error);
    const auto longitude = latitude ? ParseLongitude(o.longitude, error) : std::nullopt;
    if (!latitude || !longitude) return context.fail(error);
    Session session(context.homeFolder(), context.messages);
    const auto zone = session.places.zones().canonicalName(o.zone);
    if (!zone) {
        const LocalTimeZone answer = session.places.zones().atLocalTime(o.zone, {});
        return context.fail(answer.error);
    }
    std::error_code ignored;
    std::filesystem::create_directories(context.homeFolder(), ignored);
    const GeoPlace place{o.name, "", "", "", *latitude, *longitude, *zone, 0, true};
    const auto file = session.places.ownPlacesFile();
    if (std::string failed = AddUserPlace(file, place); !failed.empty())
        return context.fail("could not write " + file.string() + ": " + failed);
    std::cout << "Added to " << file.string() << ": " << UserPlaceLine(place);
}

struct ZoneOptions {
    std::string place, tz, date, time, longitude;
    bool json = false;
};

void RunZone(const ZoneOptions& o, CliContext& context) {
    if (o.place.empty() && o.tz.empty()) return context.fail("give --place or --tz");
    std::string error;
    const auto date = ParseIsoDate(o.date, error);
    if (!date) return context.fail(error);
    const auto clock = ParseClock24(o.time, error);
    if (!clock) return context.fail(error);
    PlaceRequest request;
    request.place = o.place;
    request.zoneName = o.tz;
    request.local = {date->year, date->month, date->day, clock->first, clock->second, 0};
    if (!o.longitude.empty()) {
        request.longitude = ParseLongitude(o.longitude, error);
        if (!request.longitude) return context.fail(error);
    }
    Session session(context.homeFolder(), context.messages);
    const PlaceResolution r = ResolvePlaceAndZone(session, request);
    const bool answered = r.zone.ok() && !r.zone.readings.empty();
    if (o.json && answered) {
        Json readings = Json::array();
        for (const ZoneReading& reading : r.zone.readings) readings.push_back(ReadingJson(reading));
        Print({{"place", r.place ? PlaceJson(*r.place) : Json(nullptr)},
               {"zone_name", r.zoneName},
               {"date", o.date},
               {"time", o.time},
               {"kind", KindName(r.zone.kind)},
               {"readings", readings},
               {"zoneinfo", session.places.zones().version()}});
    } else if (answered) {
        if (r.place) std::cout << PlaceLabel(*r.place) << '\n';
        if (r.ok()) {
            const ZoneReading& reading = r.reading();
            std::cout << o.date << ' ' << o.time << ' ' << r.zoneName << ": "
                      << ZoneSummary(reading) << '\n';
            if (reading.localMeanTime && !r.longitude)
                std::cout << "(the mean time of the zone's main city: give --long for the "
                             "place's own)\n";
        } else {
            std::cout << r.error << '\n';
        }
    }
    if (!r.ok()) context.fail(r.error);
    FailOnDamagedOwnPlaces(session, context);
}

}  // namespace

void AddPlaceCommands(CLI::App& app, CliContext& context) {
    auto* place = app.add_subcommand("place", "The atlas of places and your own places");
    place->require_subcommand(1);

    auto s = std::make_shared<SearchOptions>();
    auto* search = place->add_subcommand(
        "search",
        "Places whose name begins with TEXT (\"City, Country\" and \"City, Region\" narrow it); "
        "your own places first, then by population. Case and accents do not matter.");
    search->add_option("TEXT", s->text, "Name or beginning of a name")->required();
    search->add_option("--limit", s->limit, "Most places listed (default 10)");
    search->add_flag("--json", s->json, "JSON output");
    search->callback([s, &context] { RunSearch(*s, context); });

    auto a = std::make_shared<AddOptions>();
    auto* add = place->add_subcommand(
        "add", "Add one of your own places to \"places.txt\" in the installation folder");
    add->add_option("NAME", a->name, "Name of the place")->required();
    add->add_option("--lat", a->latitude, "Latitude: 40.7667 (north positive) or 40N46")
        ->required();
    add->add_option("--long", a->longitude, "Longitude: -73.9833 (east positive) or 73W59")
        ->required();
    add->add_option("--tz", a->zone, "Zone name, e.g. America/New_York")->required();
    add->callback([a, &context] { RunAdd(*a, context); });

    auto z = std::make_shared<ZoneOptions>();
    auto* zone = app.add_subcommand(
        "zone",
        "The zone of a place at a local date and time, daylight saving and history included: "
        "hours west of Greenwich (the workstation's convention), abbreviation, daylight saving. "
        "A time the clocks skipped or showed twice is reported with both readings and exits 1.");
    zone->add_option("--place", z->place, "Place, as for place search");
    zone->add_option("--tz", z->tz, "Zone name, e.g. Europe/London (wins over the place's)");
    zone->add_option("--date", z->date, "Local date YYYY-MM-DD")->required();
    zone->add_option("--time", z->time, "Local time HH:MM on the 24-hour clock")->required();
    zone->add_option("--long", z->longitude,
                     "Longitude for local mean time before standard time (-73.9833 or 73W59); "
                     "default: the place's");
    zone->add_flag("--json", z->json, "JSON output");
    zone->callback([z, &context] { RunZone(*z, context); });
}

}  // namespace quintaro::cli
