// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string_view>
#include <vector>

#include "app/session.h"

namespace quintaro {

// The stages of the chart computation, in the order they run:
//   "start"       the previous aspect lists and exact times are emptied
//   "entry"       harmonics, lens and both chart data records from the entry model
//   "positions"   houses and positions of both charts in both frames, solar arc; a natal
//                 moment outside the ephemeris ends the run here, with both charts missing,
//                 the grid empty and the displays told
//   "houses"      every selected body placed in its house
//   "midpoints"   midpoints of the selected bodies of each chart
//   "aspects"     the twelve aspect lists
//   "grid"        the positions grid of the entry window
//   "exact times" the exact-time search, when the entry window asks for it
//   "displays"    the displayed set, then every display listener is told
std::vector<ChartStage> StandardChartStages();

// Puts a stage before the one named `before`, or at the end when there is none of that name.
void InsertStageBefore(std::vector<ChartStage>& stages, std::string_view before, ChartStage stage);

// The aspect finders' inputs as the session holds them after the positions are computed.
AspectInputs AspectInputsOf(Session& session);

// Empties the aspect lists and their exact times.
void ClearAspectResults(Session& session);

}  // namespace quintaro
