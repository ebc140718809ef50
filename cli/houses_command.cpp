// SPDX-License-Identifier: AGPL-3.0-or-later
// houses: angles and house cusps of a moment and place (typed or from a chart data file), or of
// a RAMC, latitude and obliquity.
#include <fmt/format.h>

#include <cmath>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>

#include "cli/chart_entry_options.h"
#include "cli/cli_context.h"
#include "cli/entry_text_forms.h"
#include "cli/moment_options.h"
#include "cli/name_lookup.h"
#include "cli/text_output.h"
#include "core/degrees.h"
#include "core/houses.h"
#include "setup/chart_data_file.h"

namespace quintaro::cli {

namespace {

struct HousesOptions {
    std::string system = std::string(DefaultHouseSystemName);
    std::string optFile;
    MomentOptions moment;
    std::string longitude, latitude;
    std::optional<double> ramc, obliquity;
    std::optional<double> natalAscendant, natalSun;
    bool decimal = false, json = false, csv = false;
};

struct HousesOutput {
    std::string chart;  // how the moment and place were understood
    double ramc = 0, obliquity = 0;
    Angles angles;
    HouseCuspArray cusps{};
};

std::nullopt_t Refuse(CliContext& context, const std::string& text) {
    context.fail(text);
    return std::nullopt;
}

bool CheckDegrees(const char* name, double value, double low, double high, CliContext& context) {
    if (std::isfinite(value) && value >= low && value <= high) return true;
    context.fail(fmt::format("{} must be a number of degrees from {} to {}", name, low, high));
    return false;
}

// The chart of the moment options: all five are needed.
std::optional<ChartData> ChartOfMoment(const HousesOptions& o, CliContext& context) {
    if (o.moment.date.empty() || o.longitude.empty() || o.latitude.empty()) {
        context.fail(
            "a moment needs --date, --time, --zone, --long and --lat (or give --opt FILE, or "
            "--ramc with --lat and --obliquity)");
        return std::nullopt;
    }
    std::string error;
    auto moment = o.moment.resolve(error);
    if (!moment) return Refuse(context, error);
    auto longitude = ParseLongitude(o.longitude, error);
    if (!longitude) return Refuse(context, "--long: " + error);
    auto latitude = ParseLatitude(o.latitude, error);
    if (!latitude) return Refuse(context, "--lat: " + error);
    ChartData data;
    data.year = moment->year;
    data.month = moment->month;
    data.day = moment->day;
    data.time = {SplitHhmm(moment->clock), moment->meridiem};
    data.zone = moment->zone;
    data.longitude = *longitude;
    data.latitude = *latitude;
    return data;
}

// The natal chart of a chart data file, read as the entry window loads it.
std::optional<ChartData> ChartOfFile(const std::string& path, std::string& name, std::string& place,
                                     CliContext& context) {
    std::optional<ChartFile> file = ReadChartFile(path);
    if (!file) {
        context.fail("cannot read the chart data file " + path);
        return std::nullopt;
    }
    for (const std::string& problem : file->problems)
        context.messages.show("Warning!", path + ": " + problem, MessageIcon::Exclamation);
    EntryModel model;
    SelectionFlags selection;
    ChartFileMemory memory;
    ApplyChartFile(*file, ChartFileTarget::NatalOnly, model, selection, memory);
    name = model.natal.name;
    place = model.natal.place;
    return ReadSection(model.natal, MonthDayYear);
}

std::optional<HousesOutput> FromRamc(const HousesOptions& o, HouseSystem system,
                                     CliContext& context) {
    if (!o.moment.date.empty() || !o.longitude.empty() || !o.optFile.empty()) {
        context.fail("--ramc takes --lat and --obliquity, not a moment or a chart file");
        return std::nullopt;
    }
    if (o.latitude.empty() || !o.obliquity) {
        context.fail("--ramc needs --lat and --obliquity");
        return std::nullopt;
    }
    std::string error;
    auto latitude = ParseLatitude(o.latitude, error);
    if (!latitude) return Refuse(context, "--lat: " + error);
    if (!CheckDegrees("--ramc", *o.ramc, -360, 720, context) ||
        !CheckDegrees("--obliquity", *o.obliquity, 0, 89, context))
        return std::nullopt;
    HousesOutput out;
    out.ramc = Norm360(*o.ramc);
    out.obliquity = *o.obliquity;
    const double north = latitude->northDegrees();
    out.chart = fmt::format("RAMC {}  latitude {}  obliquity {}", ZodiacText(out.ramc, true),
                            LatitudeEcho(*latitude), SignedDegreesText(out.obliquity, true));
    out.angles = AnglesFromRamc(out.ramc, north, out.obliquity);
    NatalReference natal{o.natalAscendant.value_or(out.angles.Ascendant), o.natalSun.value_or(0)};
    HouseCuspResult result = CuspsFromRamc(system, out.ramc, north, out.obliquity, natal);
    if (result.polarFallback) ReportPolarFallback(system, north, context.messages);
    out.cusps = result.cusps;
    return out;
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
    if (o.ramc) return FromRamc(o, system, context);
    if (o.obliquity) {
        context.fail("--obliquity goes with --ramc; a moment has its own obliquity");
        return std::nullopt;
    }
    std::string name, place;
    if (!o.optFile.empty() && (!o.moment.date.empty() || !o.longitude.empty())) {
        context.fail("--opt takes the moment and place from the file; give one or the other");
        return std::nullopt;
    }
    auto data = o.optFile.empty() ? ChartOfMoment(o, context)
                                  : ChartOfFile(o.optFile, name, place, context);
    if (!data) return std::nullopt;
    ChartHouses houses;
    ComputeAngles(*data, houses);
    NatalReference natal{o.natalAscendant.value_or(houses.Ascendant), o.natalSun.value_or(0)};
    ComputeHouseCusps(*data, system, natal, houses, context.messages);
    HousesOutput out;
    out.chart = ChartDataEcho(name, place, *data);
    if (name.empty()) out.chart.erase(0, out.chart.find_first_not_of(' '));
    out.ramc = houses.RAMC;
    out.obliquity = houses.Obliquity;
    out.angles = {houses.Midheaven, houses.Ascendant, houses.Vertex};
    out.cusps = houses.HouseCusps;
    return out;
}

// Cusp of house 1..12 (the cusp array starts at the 10th house).
double Cusp(const HousesOutput& out, int house) {
    return out.cusps[static_cast<size_t>((house + 2) % 12 + 1)];
}

void Print(const HousesOutput& out, HouseSystem system, const HousesOptions& o) {
    if (o.json) {
        nlohmann::ordered_json cusps = nlohmann::ordered_json::array();
        for (int house = 1; house <= 12; ++house) cusps.push_back(Rounded6(Cusp(out, house)));
        std::cout << nlohmann::ordered_json{{"system", HouseSystemName(system)},
                                            {"chart", out.chart},
                                            {"ramc", Rounded6(out.ramc)},
                                            {"obliquity", Rounded6(out.obliquity)},
                                            {"asc", Rounded6(out.angles.Ascendant)},
                                            {"mc", Rounded6(out.angles.Midheaven)},
                                            {"vertex", Rounded6(out.angles.Vertex)},
                                            {"sidereal_time", SiderealClock(out.ramc)},
                                            {"cusps", cusps}}
                         .dump()
                  << '\n';
        return;
    }
    if (o.csv) {
        std::cout << CsvLine({"point", "longitude"});
        for (int house = 1; house <= 12; ++house)
            std::cout << CsvLine(
                {std::to_string(house), fmt::format("{}", Rounded6(Cusp(out, house)))});
        std::cout << CsvLine({"ascendant", fmt::format("{}", Rounded6(out.angles.Ascendant))})
                  << CsvLine({"midheaven", fmt::format("{}", Rounded6(out.angles.Midheaven))})
                  << CsvLine({"vertex", fmt::format("{}", Rounded6(out.angles.Vertex))});
        return;
    }
    auto at = [&](double value) { return ZodiacText(value, o.decimal); };
    std::vector<std::vector<std::string>> rows = {
        {"Sidereal time", SiderealClock(out.ramc)},
        {"RAMC", SignedDegreesText(out.ramc, true) + "\u00b0"},
        {"Obliquity", SignedDegreesText(out.obliquity, true) + "\u00b0"},
        {"Ascendant", at(out.angles.Ascendant)},
        {"Midheaven", at(out.angles.Midheaven)},
        {"Vertex", at(out.angles.Vertex)}};
    for (int house = 1; house <= 12; ++house)
        rows.push_back({fmt::format("House {}", house), at(Cusp(out, house))});
    std::cout << HouseSystemName(system) << " houses  " << out.chart << "\n\n"
              << AlignedColumns(rows, "lr");
}

void RunHouses(const HousesOptions& o, CliContext& context) {
    if (o.json && o.csv) return context.fail("--json and --csv exclude each other");
    std::string error;
    auto system = FindHouseSystemByName(o.system, error);
    if (!system) return context.fail(error);
    auto out = Compute(o, *system, context);
    if (out) Print(*out, *system, o);
}

}  // namespace

void AddHousesCommand(CLI::App& app, CliContext& context) {
    auto o = std::make_shared<HousesOptions>();
    auto* houses = app.add_subcommand(
        "houses", "Angles and house cusps of a moment and place, of a chart file, or of a RAMC");
    houses->add_option("--system", o->system,
                       "House system in any letter case: Placidus (P, the default), Koch (K), "
                       "Campanus (C), Porphyry (O), Regiomontanus (R), Equal (E), equal-mc, "
                       "Meridian (X), Morinus (M), Arabic, Natural, Solar, velm-astro");
    o->moment.addTo(*houses, "", false, "");
    houses->add_option("--long,--lon", o->longitude, "Longitude: " + std::string(kLongitudeForms));
    houses->add_option("--lat", o->latitude, "Latitude: " + std::string(kLatitudeForms));
    houses->add_option("--opt", o->optFile, "Chart data file whose natal chart to take");
    houses->add_option("--ramc", o->ramc, "Right ascension of the midheaven, decimal degrees");
    houses->add_option("--obliquity", o->obliquity, "Obliquity of the ecliptic, decimal degrees");
    houses->add_option("--natal-asc", o->natalAscendant,
                       "Natal ascendant for \"Arabic\" (default: this chart's)");
    houses->add_option("--natal-sun", o->natalSun, "Natal Sun longitude for \"Solar\"");
    houses->add_flag("--decimal", o->decimal, "Decimal degrees instead of 12°34′ ♌");
    houses->add_flag("--json", o->json, "JSON output");
    houses->add_flag("--csv", o->csv, "CSV output");
    houses->callback([o, &context] { RunHouses(*o, context); });
}

}  // namespace quintaro::cli
