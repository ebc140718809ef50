// SPDX-License-Identifier: AGPL-3.0-or-later
// Reads any bytes as a group file and as a priority file; what is written from the result must
// read back to the same selection and the same text.
#include <cstdlib>
#include <string_view>

#include "setup/group_files.h"
#include "setup/priority_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quintaro;
    static const BodyCatalogue catalogue = [] {
        BodyCatalogue c = MakeBodyCatalogue();
        AddFreeSlotBody(c, "eros");
        AddFreeSlotBody(c, "apollo");
        return c;
    }();
    std::string_view text(reinterpret_cast<const char*>(data), size);

    GroupFileContents group = ReadGroupText(text, GroupKind::Select, 1, catalogue);
    std::string written = GroupText(group.flags, catalogue);
    GroupFileContents again = ReadGroupText(written, GroupKind::Select, 1, catalogue);
    if (!again.unrecognised.empty() || GroupText(again.flags, catalogue) != written) std::abort();

    PriorityFileContents priorities = ReadPriorityText(text, "fuzz.ord", catalogue);
    written = PriorityText(priorities.priorities, catalogue);
    PriorityFileContents back = ReadPriorityText(written, "fuzz.ord", catalogue);
    if (!back.unrecognised.empty() || PriorityText(back.priorities, catalogue) != written)
        std::abort();
    return 0;
}
