// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>

#include "aspects/aspect_lists.h"
#include "aspects/time_orb_filter.h"
#include "aspects/timed_aspects.h"
#include "setup/chart_data_file.h"
#include "setup/workstation.h"

namespace quintaro {

// The running workstation together with its aspect lists: what the window and the command line
// hold. Each chart computation rebuilds the lists through the pipeline's hooks.
struct Session {
    Session(std::filesystem::path home, Messages& messages);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Workstation workstation;
    AspectInputs inputs;  // what the lists were last built from
    AspectLists lists;
    TimedAspectLists timed;
    TimeOrbFilter timeOrbFilter;
    ProgressionMode progression;
    ChartFileMemory chartFile;
};

// Plugs the aspect finders into the pipeline and starts the workstation (which computes the
// first chart). False when the workstation cannot start.
bool StartSession(Session& session);

// Loads a chart data file into the entry model (all of it, or one of the partial targets),
// loads the day tables of newly selected bodies and recomputes. False (reported) when the file
// cannot be read.
bool LoadChartDataFile(Session& session, const std::filesystem::path& path, ChartFileTarget target);

// Writes the selection flags back after an entry-model operation that changed them, loads what
// the new selection needs and recomputes.
void ApplySelection(Session& session, const std::string& selection);

}  // namespace quintaro
