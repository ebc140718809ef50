// SPDX-License-Identifier: AGPL-3.0-or-later
#include "interps/interpretation_install.h"

#include <cstdlib>
#include <string>

#include "core/install_folder.h"
#include "interps/interpretation_keys.h"
#include "interps/string_map.h"

namespace quintaro {

namespace {

bool StoreIsCurrent(const std::filesystem::path& store, const std::filesystem::path& text) {
    std::error_code ec;
    if (!std::filesystem::exists(store, ec)) return false;
    const auto storeTime = std::filesystem::last_write_time(store, ec);
    if (ec) return false;
    const auto textTime = std::filesystem::last_write_time(text, ec);
    return !ec && storeTime >= textTime;
}

// Imports one text into a new indexed store file; false when nothing was written.
bool ImportStore(const std::filesystem::path& text, const std::filesystem::path& target,
                 Messages& messages) {
    StringMap store;
    store.SetIndexed(true);
    store.SetFileName(target);
    const ImportResult result = store.ImportAscii(text);
    if (!result.complete) {
        messages.show("Warning!", ImportStopMessage(result, text.string()),
                      MessageIcon::Exclamation);
    }
    if (result.stored == 0) return false;
    if (!store.WriteFile()) {
        messages.show("Warning!", store.LastError(), MessageIcon::Exclamation);
        return false;
    }
    return true;
}

}  // namespace

std::filesystem::path InterpretationTextSource() {
    if (const char* source = std::getenv("QUINTARO_INTERP_SOURCE"); source && *source) {
        return source;
    }
    return QUINTARO_INTERP_TEXT_DIR;
}

std::filesystem::path InterpretationStorePath(const std::filesystem::path& home,
                                              std::string_view storeName) {
    return HomePath(home, "\\interps\\" + std::string(storeName) + ".dat");
}

int InstallInterpretationStores(const std::filesystem::path& home, Messages& messages,
                                const Progress& progress, const std::filesystem::path& source) {
    std::error_code ec;
    std::filesystem::create_directories(HomePath(home, "\\interps"), ec);
    if (ec) {
        messages.show(
            "Warning!",
            "Unable to create folder " + HomePath(home, "\\interps").string() + ": " + ec.message(),
            MessageIcon::Exclamation);
        return 0;
    }
    int written = 0;
    long done = 0;
    for (ReportMode mode : AllReportModes) {
        if (!ReportProgress(progress, "Installing interpretation texts", done++,
                            static_cast<long>(AllReportModes.size()))) {
            break;
        }
        const std::string name(StoreName(mode));
        const std::filesystem::path text = source / (name + ".txt");
        const std::filesystem::path target = InterpretationStorePath(home, name);
        if (!std::filesystem::exists(text, ec)) {
            if (!std::filesystem::exists(target, ec)) {
                messages.show("Warning!",
                              "The interpretation texts " + text.string() + " are missing",
                              MessageIcon::Exclamation);
            }
            continue;
        }
        if (StoreIsCurrent(target, text)) continue;
        if (ImportStore(text, target, messages)) ++written;
    }
    return written;
}

}  // namespace quintaro
