// SPDX-License-Identifier: AGPL-3.0-or-later
// Reads any bytes as an options file and as a capacity file; the options written from what was
// read must read back to the same text.
#include <cstdlib>
#include <string_view>

#include "setup/capacity_file.h"
#include "setup/options_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quintaro;
    SilentMessages messages;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    Options options = DefaultOptions();
    ReadOptionsText(text, options, messages);
    std::string written = OptionsText(options);
    Options again;
    ReadOptionsText(written, again, messages);
    if (OptionsText(again) != written) std::abort();

    Capacities capacities;
    ReadCapacityText(text, capacities, messages);
    if (capacities.numAspects < 0 || capacities.numAspects > MaxCapacity) std::abort();
    if (capacities.numSynchsSymsAllowedInArray < 0 ||
        capacities.numSynchsSymsAllowedInArray > MaxCapacity)
        std::abort();
    return 0;
}
