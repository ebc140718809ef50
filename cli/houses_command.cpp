// SPDX-License-Identifier: AGPL-3.0-or-later
// houses: angles and house cusps of a moment and place, or of a RAMC, latitude and obliquity.
#include <cmath>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>

#include "cli/cli_context.h"
#include "cli/moment_options.h"
#include "core/degrees.h"
#include "core/formatting.h"
#include "core/houses.h"

namespace quintaro::cli {

namespace {

struct HousesOptions {
    std::string system;
    bool json = false;
    MomentOptions moment;
    std::optional<double> longitude,
        latitude;  // DD.MM with a moment; latitude in degrees with --ramc
    bool east = false, south = false;
    std::optional<double> ramc, obliquity;
    std::optional<double> natalAscendant, natalSun;
};

struct HousesOutput {
    double ramc = 0, obliquity = 0;
    Angles angles;
    std::string siderealTime;
    HouseCuspArray cusps{};
};

// Degrees + minutes / 100 as the entry window takes them: no sign, minutes 00..59.
bool CheckDegreesMinutes(const char* name, double value, double maxDegrees, CliContext& context) {
    double degrees = std::floor(value);
    double minutes = std::round((value - degrees) * 100.0);
    if (!(value >= 0.0) || minutes > 59.0 || degrees + minutes / 60.0 > maxDegrees) {
        context.fail(std::string(name) + " must be DD.MM with degrees 0.." +
                     FormatNumber(maxDegrees, "0") + " and minutes 00..59 (use --east/--south)");
        return false;
    }
    return true;
}

bool CheckDegrees(const char* name, double value, double low, double high, CliContext& context) {
    if (std::isfinite(value) && value >= low && value <= high) return true;
    context.fail(std::string(name) + " must be a number of degrees from " + FormatNumber(low, "0") +
                 " to " + FormatNumber(high, "0"));
    return false;
}

std::optional<ChartData> ChartFromMoment(const HousesOptions& o, CliContext& context) {
    if (!o.longitude || !o.latitude) {
        context.fail("a moment needs --lon DD.MM and --lat DD.MM (or give --ramc instead)");
        return std::nullopt;
    }
    std::string error;
    auto moment = o.moment.resolve(error);
    if (!moment) {
        context.fail(error);
        return std::nullopt;
    }
    if (!CheckDegreesMinutes("--lon", *o.longitude, 180, context) ||
        !CheckDegreesMinutes("--lat", *o.latitude, 90, context))
        return std::nullopt;
    ChartData data;
    data.year = moment->year;
    data.month = moment->month;
    data.day = moment->day;
    data.time = {SplitHhmm(moment->clock), moment->meridiem};
    data.zone = moment->zone;
    data.longitude = {SplitHhmm(*o.longitude), o.east ? EastWest::East : EastWest::West};
    data.latitude = {SplitHhmm(*o.latitude), o.south ? NorthSouth::South : NorthSouth::North};
    return data;
}

std::optional<HousesOutput> Compute(const HousesOptions& o, HouseSystem system,
                                    CliContext& context) {
    if (system == HouseSystem::Solar && !o.natalSun) {
        context.fail("\"Solar\" houses need the natal Sun: --natal-sun DEG");
        return std::nullopt;
    }
    if (o.natalSun && !CheckDegrees("--natal-sun", *o.natalSun, 0, 360, context))
        return std::nullopt;
    if (o.natalAscendant && !CheckDegrees("--natal-asc", *o.natalAscendant, 0, 360, context))
        return std::nullopt;
    HousesOutput out;
    if (o.ramc) {
        if (!o.moment.date.empty() || o.longitude || o.east || o.south) {
            context.fail("--ramc takes --lat and --obliquity in decimal degrees, not a moment");
            return std::nullopt;
        }
        if (!o.latitude || !o.obliquity) {
            context.fail("--ramc needs --lat DEG and --obliquity DEG");
            return std::nullopt;
        }
        if (!CheckDegrees("--ramc", *o.ramc, -360, 720, context) ||
            !CheckDegrees("--lat", *o.latitude, -90, 90, context) ||
            !CheckDegrees("--obliquity", *o.obliquity, 0, 89, context))
            return std::nullopt;
        out.ramc = Norm360(*o.ramc);
        out.obliquity = *o.obliquity;
        out.angles = AnglesFromRamc(out.ramc, *o.latitude, out.obliquity);
        NatalReference natal{o.natalAscendant.value_or(out.angles.Ascendant),
                             o.natalSun.value_or(0)};
        HouseCuspResult result = CuspsFromRamc(system, out.ramc, *o.latitude, out.obliquity, natal);
        if (result.polarFallback) ReportPolarFallback(system, *o.latitude, context.messages);
        out.cusps = result.cusps;
        out.siderealTime = SiderealTimeText(out.ramc);
        return out;
    }
    if (o.obliquity) {
        context.fail("--obliquity goes with --ramc; a moment has its own obliquity");
        return std::nullopt;
    }
    auto data = ChartFromMoment(o, context);
    if (!data) return std::nullopt;
    ChartHouses houses;
    ComputeAngles(*data, houses);
    NatalReference natal{o.natalAscendant.value_or(houses.Ascendant), o.natalSun.value_or(0)};
    ComputeHouseCusps(*data, system, natal, houses, context.messages);
    out.ramc = houses.RAMC;
    out.obliquity = houses.Obliquity;
    out.angles = {houses.Midheaven, houses.Ascendant, houses.Vertex};
    out.siderealTime = houses.SiderealTimeText;
    out.cusps = houses.HouseCusps;
    return out;
}

void Print(const HousesOutput& out, HouseSystem system, bool json) {
    if (json) {
        nlohmann::ordered_json cusps = nlohmann::ordered_json::array();
        for (int i = 1; i <= 12; ++i) cusps.push_back(out.cusps[i]);
        std::cout << nlohmann::ordered_json{{"ramc", out.ramc},
                                            {"obliquity", out.obliquity},
                                            {"asc", out.angles.Ascendant},
                                            {"mc", out.angles.Midheaven},
                                            {"vertex", out.angles.Vertex},
                                            {"sidereal_time", out.siderealTime},
                                            {"cusps", cusps}}
                  << '\n';
        return;
    }
    auto degrees = [](double v) { return FormatNumber(v, "0.0000"); };
    std::cout << "House system   " << HouseSystemName(system) << '\n'
              << "Sidereal time  " << out.siderealTime << '\n'
              << "RAMC           " << degrees(out.ramc) << '\n'
              << "Obliquity      " << degrees(out.obliquity) << '\n'
              << "Ascendant      " << degrees(out.angles.Ascendant) << '\n'
              << "Midheaven      " << degrees(out.angles.Midheaven) << '\n'
              << "Vertex         " << degrees(out.angles.Vertex) << '\n';
    for (int i = 1; i <= 12; ++i)
        std::cout << HouseLabel4(i) << "           " << degrees(out.cusps[i]) << '\n';
}

void RunHouses(const HousesOptions& o, CliContext& context) {
    auto system = FindHouseSystem(o.system);
    if (!system) {
        std::string names;
        for (std::string_view name : HouseSystemNames) names += "\n  " + std::string(name);
        return context.fail("unknown house system '" + o.system + "'; the systems are:" + names);
    }
    auto out = Compute(o, *system, context);
    if (out) Print(*out, *system, o.json);
}

}  // namespace

void AddHousesCommand(CLI::App& app, CliContext& context) {
    auto o = std::make_shared<HousesOptions>();
    auto* houses =
        app.add_subcommand("houses", "Angles and house cusps of a moment and place, or of a RAMC");
    houses->add_option("--system", o->system, "House system, e.g. \"Placidus\", \"Equal MC\"")
        ->required();
    houses->add_flag("--json", o->json, "JSON output");
    o->moment.addTo(*houses, false);
    houses->add_option("--lon", o->longitude, "Longitude DD.MM, West unless --east");
    houses->add_flag("--east", o->east, "Longitude is East of Greenwich");
    houses->add_option("--lat", o->latitude,
                       "Latitude DD.MM (North unless --south); with --ramc decimal degrees");
    houses->add_flag("--south", o->south, "Latitude is South");
    houses->add_option("--ramc", o->ramc, "Right ascension of the midheaven, decimal degrees");
    houses->add_option("--obliquity", o->obliquity, "Obliquity of the ecliptic, decimal degrees");
    houses->add_option("--natal-asc", o->natalAscendant,
                       "Natal ascendant for \"Arabic\" (default: this chart's)");
    houses->add_option("--natal-sun", o->natalSun, "Natal Sun longitude for \"Solar\"");
    houses->callback([o, &context] { RunHouses(*o, context); });
}

}  // namespace quintaro::cli
