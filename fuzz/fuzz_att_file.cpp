// SPDX-License-Identifier: AGPL-3.0-or-later
// Aspectarian files: any bytes are either refused with a reason or read into a file that writes
// back to text reading the same, merges with itself and gives a spreadsheet form.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "aspects/aspectarian_csv.h"
#include "aspects/aspectarian_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    quintaro::AttRead read = quintaro::ParseAttText(text, "fuzz.att");
    if (!read.file) {
        if (read.problem.text.empty()) std::abort();
        return 0;
    }
    const std::string written = quintaro::AttFileText(*read.file);
    quintaro::AttRead again = quintaro::ParseAttText(written, "again.att");
    if (!again.file || quintaro::AttFileText(*again.file) != written) std::abort();
    quintaro::AttMerge merged = quintaro::MergeAttFiles({*read.file, *again.file});
    if (!merged.file || merged.file->lines.size() > read.file->lines.size()) std::abort();
    quintaro::AttCsv(*merged.file);
    return 0;
}
