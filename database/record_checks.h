// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "database/person_record.h"

namespace quintaro {

// What makes a record implausible as a person record: control characters in a text, a birth
// hour, minute, AM/PM, zone or date no entry could have given, a date that is no date, a sort
// date not of the form "yyyy-mm-dd". Empty for a sound record and for a blank one. Any file can
// be read as records, so this is how a damaged or foreign file is told apart.
std::vector<std::string> CheckRecord(const PersonRecord& record);

// The same for the fields of the record's head only (RecordHeadSize bytes: names, member number,
// sex and birth data), for listings that read no more.
std::vector<std::string> CheckRecordHead(const PersonRecord& record);

}  // namespace quintaro
