// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The byte layout of a person record and its conversion to and from the 9349 bytes of the file.
//
// Encodings: texts one byte per character, blank-padded and cut at their width; dates 8-byte
// IEEE doubles (serial day numbers); the birth hour and minute one unsigned byte each; the time
// zone a 4-byte IEEE single; the reserved number a 2-byte signed integer; all little-endian.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "database/person_record.h"

namespace quintaro {

enum class FieldKind { Text, Date, Byte, Single, Int16, Reserved };

// Where one field lies in the record. `index` counts the entries of a repeated field from 1
// (0 for a field that occurs once); `part` names the member of a repeated group, if any.
struct RecordField {
    std::string name;
    int index = 0;
    std::string part;
    size_t offset = 0;
    size_t width = 0;
    FieldKind kind = FieldKind::Text;
};

// Every field in file order.
const std::vector<RecordField>& RecordLayout();

// The record's file bytes: always RecordSize of them.
std::string EncodeRecord(const PersonRecord& record);
// Writes the record's bytes into out[0..RecordSize).
void EncodeRecordInto(const PersonRecord& record, char* out);

// Reads a record from its bytes. Bytes that end early give the fields that lie wholly inside
// them, the rest keep their blank values; this is how listings read only a record's head.
PersonRecord DecodeRecord(std::string_view bytes);

// Calls onText for every text field of the record that ends within the first `bytes` bytes, in
// file order.
void ForEachTextField(const PersonRecord& record,
                      const std::function<void(const RecordField&, const std::string&)>& onText,
                      size_t bytes = RecordSize);

// A record as the blank-database command writes it: blank texts, missing dates, zero numbers.
PersonRecord BlankRecord();

// Bytes from the start of a record up to the end of the birth place: names, alternate names,
// member number, sex and birth data.
size_t RecordHeadSize();

}  // namespace quintaro
