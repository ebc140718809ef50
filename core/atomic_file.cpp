// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>
#include <system_error>

namespace quintaro {

namespace {

// Writes the bytes to a new file and makes sure they are on the disk before the file is
// renamed over its target: otherwise a crash soon after the rename could leave the target
// empty on file systems that persist the rename first.
std::string WriteAndSync(const std::filesystem::path& path, std::string_view content) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return "cannot create " + path.string() + ": " + std::strerror(errno);
    std::string error;
    for (std::size_t done = 0; done < content.size() && error.empty();) {
        const ::ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = "cannot write " + path.string() + ": " + std::strerror(errno);
        } else {
            done += static_cast<std::size_t>(n);
        }
    }
    if (error.empty() && ::fsync(fd) != 0) {
        error = "cannot write " + path.string() + " to the disk: " + std::strerror(errno);
    }
    if (::close(fd) != 0 && error.empty()) {
        error = "cannot close " + path.string() + ": " + std::strerror(errno);
    }
    return error;
}

// Makes a rename inside the folder durable; failures are ignored (some file systems refuse
// to sync a folder, and the rename itself has already happened).
void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::string WriteFileAtomically(const std::filesystem::path& path, std::string_view content) {
    // A name of its own per process and call, so that two programs saving the same file at once
    // never write into each other's temporary file.
    auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    std::filesystem::path temp = path;
    temp += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(ticks);
    if (std::string error = WriteAndSync(temp, content); !error.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return error;
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return "cannot replace " + path.string() + ": " + ec.message();
    }
    SyncFolder(path.parent_path());
    return {};
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    content = buffer.str();
    return true;
}

}  // namespace quintaro
