// SPDX-License-Identifier: AGPL-3.0-or-later
// Reads any bytes as a settings file, then checks that what it wrote reads back to the same
// text and is judged sound: whatever a damaged file held, the file written at exit is stable
// and never taken for damaged at the next start.
#include <cstdlib>
#include <string_view>

#include "setup/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quintaro;
    static const Settings kDefaults = DefaultSettings("/fuzz", {2026, 12, 6});
    // Different defaults for the second read: the written file alone must decide its result.
    static const Settings kOtherDefaults = DefaultSettings("/elsewhere", {1999, 1, 1});
    SilentMessages messages;
    Settings settings = kDefaults;
    ReadSettingsText(std::string_view(reinterpret_cast<const char*>(data), size), settings,
                     messages);
    SettingsFileDamage(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string written = SettingsText(settings);
    if (!SettingsFileDamage(written).empty()) std::abort();
    Settings again = kOtherDefaults;
    ReadSettingsText(written, again, messages);
    if (SettingsText(again) != written) std::abort();
    return 0;
}
