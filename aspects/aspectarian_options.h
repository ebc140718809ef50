// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "aspects/aspectarian_input.h"
#include "core/bodies.h"

namespace quintaro {

// Reading the value lists of an aspectarian command line. Each gives the value or a message
// saying what was wrong and what is accepted.
template <typename T>
struct OptionValue {
    std::optional<T> value;
    std::string error;
};

// "major", "clashes", "linkages", "all" or keys ("000", "090", "par", "c.p", ...), comma-separated;
// the items add up ("major,036").
OptionValue<AspectarianAspects> ParseAspectOption(std::string_view text);

// Body names, comma-separated: a catalogue name or its first five characters, letter case ignored
// ("sun", "Mercury", "mercu", "pholus"). Slots not in use are not bodies. In slot order, each once.
OptionValue<std::vector<int>> ParseBodyOption(std::string_view text,
                                              const BodyCatalogue& catalogue);

// "long", "decl", "sign", "direction", "side" or "all", comma-separated.
OptionValue<AspectarianEventKinds> ParseEventOption(std::string_view text);

// "tt" or "tn".
OptionValue<AspectarianPairing> ParsePairingOption(std::string_view text);

// "geo", "helio" or "both".
OptionValue<AspectarianPasses> ParsePassOption(std::string_view text);

// Hours west of Greenwich, -15 to 15 ("5", "-5.5").
OptionValue<double> ParseZoneOption(std::string_view text);

// "YYYY-MM-DD", a calendar date.
OptionValue<CivilDate> ParseDateOption(std::string_view text);

}  // namespace quintaro
