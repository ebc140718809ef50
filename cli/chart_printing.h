// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <nlohmann/json.hpp>

#include "setup/workstation.h"

namespace quintaro::cli {

// The computed charts as the chart command lists them: both charts as text on stdout (how each
// was understood, positions, angles, houses), or as JSON ({"natal": ..., "transit": ...}).
void PrintChartsText(const Workstation& ws);
nlohmann::ordered_json ChartsJson(const Workstation& ws);

}  // namespace quintaro::cli
