// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/install_folder.h"

#include <cstdlib>
#include <string>

namespace quintaro {

namespace {
std::filesystem::path FromEnv(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? std::filesystem::path(value) : std::filesystem::path();
}
}  // namespace

std::filesystem::path DefaultHome() {
    if (auto home = FromEnv("QUINTARO_HOME"); !home.empty()) return home;
    if (auto data = FromEnv("XDG_DATA_HOME"); !data.empty()) return data / "quintaro";
    if (auto user = FromEnv("HOME"); !user.empty()) return user / ".local" / "share" / "quintaro";
    return std::filesystem::current_path() / "quintaro-home";
}

std::filesystem::path HomePath(const std::filesystem::path& home, std::string_view relative) {
    std::filesystem::path result = home;
    std::string part;
    for (char c : relative) {
        if (c == '\\' || c == '/') {
            if (!part.empty()) result /= part;
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) result /= part;
    return result;
}

}  // namespace quintaro
