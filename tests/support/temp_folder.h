// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <atomic>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace quintaro::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end
// of the test.
class TempFolder {
public:
    TempFolder() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("quintaro-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace quintaro::test
