// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "interps/interpretation_keys.h"
#include "interps/string_map.h"

namespace quintaro {

// The session's interpretations: the stores and the choices that the report windows, the
// revision window and a click on an aspect grid row share.
struct InterpretationState {
    // Where the ".dat" stores are read from: the installation folder's "interps" unless the user
    // chose another folder.
    std::filesystem::path folder;
    // One store per report mode (index: the mode), opened when first asked for.
    std::array<StringMap, AllReportModes.size()> stores;
    // What a click on a grid row reads: the report kind for transit–natal rows, the natal form
    // for natal–natal rows.
    ReportMode gridSet = ReportMode::RomanceCompatibility;
    ReportMode natalSet = ReportMode::NatalFull;
    // The person who prepares the reports and writes revisions.
    std::string astrologer;
};

}  // namespace quintaro
