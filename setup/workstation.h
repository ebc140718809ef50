// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "core/bodies.h"
#include "core/calendar.h"
#include "core/chart_data.h"
#include "core/chart_positions.h"
#include "core/day_tables.h"
#include "core/ephemeris.h"
#include "core/ephemeris_repair.h"
#include "core/houses.h"
#include "core/messages.h"
#include "core/positions.h"
#include "core/progress.h"
#include "setup/capacity_file.h"
#include "setup/entry_model.h"
#include "setup/options_file.h"
#include "setup/positions_grid.h"
#include "setup/selections.h"
#include "setup/settings_file.h"
#include "setup/startup_files.h"

namespace quintaro {

// Midpoint of two selected bodies of one chart.
struct Midpoint {
    int first = 0, second = 0;
    double longitude = 0;
};

// Solar-arc directions, on while the solar-arc window is open.
struct SolarArcMode {
    bool on = false;
    double geoArc = 0;
    double helioArc = 0;
};

// One chart's houses, data and name.
struct ChartState {
    std::string name;
    ChartData data;
    ChartHouses houses;
    std::vector<Midpoint> midpoints;
    // The last computation gave positions for this chart's moment; false when the moment lies
    // outside the ephemeris (every body then reads missing).
    bool computed = false;
    // The part of fortune needs the Sun and the Moon; without either it is unknown.
    bool partOfFortuneKnown = false;
};

// The workstation's state: start-up files, settings, selections, ephemerides, the entry model and
// the charts computed from it. The session in app/ owns it, together with the state of the
// subsystems above. Neither copied nor moved: the reader and positions point into it.
struct Workstation {
    Workstation(std::filesystem::path home, Messages& messages);
    Workstation(const Workstation&) = delete;
    Workstation& operator=(const Workstation&) = delete;

    std::filesystem::path home;
    Messages& messages;
    Progress progress;               // start-up and loading texts
    UtcClock clock = SystemUtcTime;  // "Now", shown in the home zone

    // Loaded at start-up.
    Capacities capacities;
    PrintoutInfo printout;
    std::vector<std::string> messageTexts;  // "errormsg.txt", message k at k - 1
    DateStyle dateStyle;
    Options options = DefaultOptions();
    HomeLocation homeLocation;
    std::string windowTitle;
    Settings settings;
    BodyCatalogue catalogue = MakeBodyCatalogue();
    PlanetGroups groups;
    int ephemerisConfiguration = 5;

    Ephemeris ephemeris;
    DayTables tables;
    Positions positions;
    // Ephemeris files found missing or damaged at start-up (and not put back).
    std::vector<EphemerisFileProblem> ephemerisProblems;

    // The entry window and the charts computed from it.
    EntryModel entry;
    HouseSystem houseSystem = HouseSystem::Placidus;
    SolarArcMode solarArc;
    bool natalBisect = false;  // the bisect chart kind shows transit longitudes in the grid
    ChartState natal, transit;
    ChartPositions record;
    WorkingPositions work;  // after a computation: the displayed set
    std::array<double, 13> sectors{};
    PositionsGrid grid;
    int harmonicNatal = 1, harmonicTransit = 1, lens = 12;
    double natalSunLongitude = 0;  // geocentric, before the harmonic: "Solar" houses start there
    bool chartsComputed = false;   // the last computation reached its end
    bool started = false;

    // The body selection flags in use.
    const SelectionFlags& flags() const { return groups.select.live; }
    std::filesystem::path path(std::string_view relative) const;
};

// Brings the workstation up: defaults, capacity and text files, date style, options, folders,
// catalogue, settings, ephemeris files, planet groups, day tables and the entry model at "Now".
// The session then runs the first computation. False when it cannot go on (a missing
// "errormsg.txt").
bool StartUp(Workstation& workstation);

// Writes the settings file; the windows have stored their rectangles in the settings first.
bool ShutDown(Workstation& workstation);

// Loads the day tables of bodies that the selection has just switched on.
void LoadSelectedTables(Workstation& workstation);

}  // namespace quintaro
