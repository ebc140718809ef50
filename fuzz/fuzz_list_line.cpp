// SPDX-License-Identifier: AGPL-3.0-or-later
// List importers: the first byte chooses the list, the rest is one line. A line that reads must
// give a record that passes the record checks and survives a write and read unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "database/list_import.h"
#include "database/record_checks.h"
#include "database/record_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quintaro;
    if (size == 0) return 0;
    auto kinds = AllListKinds();
    const ListDefinition& list = ListDefinitionOf(kinds[data[0] % kinds.size()]);
    std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);
    IsListHeading(list, line);
    std::string error;
    auto entry = ParseListLine(list, line, error);
    if (!entry) {
        if (error.empty()) std::abort();
        return 0;
    }
    if (entry->values.size() != list.stored.size()) std::abort();
    PersonRecord record = RecordFromListEntry(list, *entry, 1, "1234567890ABCDEF");
    AddListNotes(record, list, "fuzz.csv");
    if (!CheckRecord(record).empty()) std::abort();
    std::string bytes = EncodeRecord(record);
    if (EncodeRecord(DecodeRecord(bytes)) != bytes) std::abort();
    return 0;
}
