// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include "setup/workstation.h"

namespace quintaro {

// After the start-up has opened the planetary files and loaded the day tables: when some of
// them are missing or damaged (workstation.ephemerisProblems plus the day tables that could not
// be loaded), tells the user which files and what the bodies they hold now show. When the
// workstation has copies of them, asks whether to put them back and, on yes, restores the files,
// opens and loads them again; otherwise says how to get them back.
void OfferEphemerisRestore(Workstation& workstation);

}  // namespace quintaro
