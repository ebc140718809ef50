// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Names as people type them on the command line: house systems and bodies in any letter case,
// with their common short forms, and the full names the text output shows.

#include <optional>
#include <string>
#include <string_view>

#include "core/bodies.h"
#include "core/houses.h"

namespace quintaro::cli {

// "Placidus", "placidus", "P", "plac", "equal-mc", "Equal MC", ... Nothing, with a message that
// lists the systems, for a name that fits none or more than one.
std::optional<HouseSystem> FindHouseSystemByName(std::string_view text, std::string& error);

// "Sun", "sun", "Jup", "north node", "NN", "asc", "MC", "PF", "pholus", or any name whose first
// five letters match a catalogue name (the rule of the group files). Nothing, with a message that
// lists the names, for a name that fits no body or more than one.
std::optional<int> FindBodyByName(const BodyCatalogue& catalogue, std::string_view text,
                                  std::string& error);

// The name the text output shows: "Sun", "North node", "Ascendant", "Midheaven",
// "Part of fortune" or "Vertex", and a free slot's name as the ephemeris files give it.
std::string BodyDisplayName(const BodyCatalogue& catalogue, int slot);

// "conjunction", "semi-sextile", "contra-parallel", ...; "" for codes without a name.
std::string_view AspectName(int code);

}  // namespace quintaro::cli
