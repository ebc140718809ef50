// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "aspects/aspectarian_files.h"

namespace quintaro {

// The comma-separated form of an aspectarian for spreadsheets ("Reformat for Excel"): a heading
// row "Date,Time,Body 1,Event,Body 2,Run", then one row per line: the date as yyyy-mm-dd, the
// local time hh:mm, the first body, the aspect key or the event ("ARI ingress", "rx", "dir", "par
// declination change"), the second body (empty when none) and the run's marker ("tt_geo").
// Fields are quoted as RFC 4180 asks (a field holding a comma, a quote or a line break is put in
// quotes, its quotes doubled); rows end in CR LF.
std::string AttCsv(const AttFile& file);

// One field as RFC 4180 writes it.
std::string CsvField(std::string_view field);

}  // namespace quintaro
