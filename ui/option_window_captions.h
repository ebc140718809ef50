// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>

#include "core/bodies.h"

namespace quintaro {

// The caption of catalogue body `slot` in the option windows: "Sun" ... "Juno", "Ascendant",
// "MC", "Vertex" or "Part of Fortune" as slot 20 stands, the asteroids "Aphrodite" ...
// "Prometheus" (21..42), and the placeholders "Zeus" (43..53, 48 "x3-andromache").
std::string OptionBodyCaption(const BodyCatalogue& catalogue, int slot);

// The save button's caption for group k: "&Save to Group " + k.
std::string SaveToGroupCaption(int group);

// The help text of the option windows.
std::string OptionWindowHelp();

}  // namespace quintaro
