// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/default_files.h"

#include "core/atomic_file.h"

namespace quintaro {

bool InstallDefaultFiles(const std::filesystem::path& home, Messages& messages) {
    std::error_code ec;
    if (std::filesystem::exists(home / InstalledMarkerName, ec)) return true;
    std::filesystem::create_directories(home, ec);
    if (ec) {
        messages.show("Warning!",
                      "Could not create the installation folder " + home.string() + ": " +
                          ec.message(),
                      MessageIcon::Critical);
        return false;
    }
    for (const EmbeddedFile& file : EmbeddedDefaultFiles()) {
        if (std::filesystem::exists(home / file.name, ec)) continue;
        if (std::string error = WriteFileAtomically(home / file.name, file.content);
            !error.empty()) {
            messages.show("Warning!", "Could not install " + file.name + ": " + error,
                          MessageIcon::Critical);
            return false;
        }
    }
    return WriteFileAtomically(home / InstalledMarkerName, "installed\n").empty();
}

}  // namespace quintaro
