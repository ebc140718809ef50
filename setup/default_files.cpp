// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/default_files.h"

#include <cstdlib>

#include "core/atomic_file.h"

namespace quintaro {

bool InstallDefaultFiles(const std::filesystem::path& home, Messages& messages) {
    std::error_code ec;
    if (std::filesystem::exists(home / InstalledMarkerName, ec)) return true;
    std::filesystem::create_directories(home, ec);
    if (ec) {
        messages.show(
            "Warning!",
            "Could not create the installation folder " + home.string() + ": " + ec.message(),
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

int InstallGeneratedFont(const std::filesystem::path& home, Messages& messages) {
    const char* fromEnvironment = std::getenv("QUINTARO_FONT_SOURCE");
    std::filesystem::path source =
        fromEnvironment && *fromEnvironment ? fromEnvironment : QUINTARO_GENERATED_FONT_DIR;
    int copied = 0;
    for (const char* name : {"Orvessa.ttf", "orvessa_paths.txt"}) {
        std::error_code ec;
        std::filesystem::path from = source / name, to = home / name;
        if (!std::filesystem::exists(from, ec)) continue;
        bool current =
            std::filesystem::exists(to, ec) &&
            std::filesystem::last_write_time(to, ec) >= std::filesystem::last_write_time(from, ec);
        if (current) continue;
        // A temporary name of its own: two programs starting at once never share one.
        if (std::string error = CopyFileAtomically(from, to); !error.empty()) {
            messages.show(
                "Warning!",
                std::string("Could not install the glyph font file ") + name + ": " + error,
                MessageIcon::Exclamation);
            continue;
        }
        ++copied;
    }
    return copied;
}

}  // namespace quintaro
