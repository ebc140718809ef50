// SPDX-License-Identifier: AGPL-3.0-or-later
// Person database files: any bytes taken as records must decode, be checked and be written back
// byte for byte; a record's head alone must decode to the same head fields as the whole record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "database/birth_transfer.h"
#include "database/record_checks.h"
#include "database/record_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quintaro;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // A file: its whole records, and a short rest that is no record.
    while (!bytes.empty()) {
        std::string_view record = bytes.substr(0, RecordSize);
        bytes.remove_prefix(record.size());
        PersonRecord decoded = DecodeRecord(record);
        PersonRecord head = DecodeRecord(record.substr(0, RecordHeadSize()));
        std::vector<std::string> problems = CheckRecord(decoded);
        std::vector<std::string> headProblems = CheckRecordHead(head);
        if (record.size() >= RecordHeadSize()) {
            if (head.primaryName != decoded.primaryName || head.birthPlace != decoded.birthPlace)
                std::abort();
            // The head's checks are a part of the whole record's.
            if (problems.empty() && !headProblems.empty()) std::abort();
        }
        BirthData birth = BirthDataOf(decoded);
        EntrySection section;
        ApplyBirthData(birth, section);
        if (record.size() == RecordSize && EncodeRecord(decoded) != record) std::abort();
    }
    return 0;
}
