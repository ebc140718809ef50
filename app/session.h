// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/display_choices.h"
#include "app/interpretation_state.h"
#include "aspects/aspect_lists.h"
#include "aspects/time_orb_filter.h"
#include "aspects/timed_aspects.h"
#include "predictive/predictive_form.h"
#include "setup/chart_data_file.h"
#include "setup/workstation.h"

namespace quintaro {

struct Session;

// One step of the chart computation. A stage that returns false ends the run: the stages after
// it keep the results of the previous run.
struct ChartStage {
    std::string name;
    std::function<bool(Session&)> run;
};

// Whoever shows results (the open display windows) and wants to hear after each computation.
class DisplayListeners {
  public:
    using Listener = std::function<void()>;
    // The id that `remove` takes.
    int add(Listener listener);
    void remove(int id);
    void notify() const;

  private:
    std::vector<std::pair<int, Listener>> listeners_;
    int nextId_ = 1;
};

// The running workstation with the results and settings of every subsystem: what the window and
// the command line hold, passed to whatever works on it. A subsystem keeps its state here as a
// member and, when it runs after each computation, adds its stage to `stages`.
struct Session {
    Session(std::filesystem::path home, Messages& messages);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Workstation workstation;

    // Aspects: what the lists were last built from, the twelve lists, their exact times, and the
    // filter window and progression mode that shape them.
    AspectInputs inputs;
    AspectLists lists;
    TimedAspectLists timed;
    TimeOrbFilter timeOrbFilter;
    ProgressionMode progression;

    ChartFileMemory chartFile;  // the chart data file last loaded or saved
    DisplayChoices display;     // what the aspect grids and the wheels show
    // The fields of the progression, solar-arc and returns windows.
    PredictiveForms predictive;

    InterpretationState interps;  // the interpretation stores and report choices

    std::vector<ChartStage> stages;  // the chart computation, in order
    DisplayListeners displays;       // told by the last stage
};

// Starts the workstation, installs the interpretation stores when they are missing, and runs the
// first computation. False when the workstation cannot start.
bool StartSession(Session& session);

// Runs the stages in order; false when one of them ended the run early.
bool ComputeCharts(Session& session);

// Loads a chart data file into the entry model (all of it, or one of the partial targets),
// loads the day tables of newly selected bodies and recomputes. Not loaded (reported) when the
// file cannot be read; the problems of a damaged file have been shown and are returned.
ChartFileLoad LoadChartDataFile(Session& session, const std::filesystem::path& path,
                                ChartFileTarget target);

// Makes `selection` the main selection, loads what it needs and recomputes.
void ApplySelection(Session& session, const SelectionFlags& selection);

// The displayed set switched between heliocentric and geocentric positions: the aspect lists
// no longer match it and are emptied.
void ShowHelioOrGeo(Session& session, bool helio);

}  // namespace quintaro
