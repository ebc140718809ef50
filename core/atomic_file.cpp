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

// A name of its own per process and call, so that two programs saving the same file at once
// never write into each other's temporary file.
std::filesystem::path TemporaryName(const std::filesystem::path& path) {
    auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    std::filesystem::path temp = path;
    temp += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(ticks);
    return temp;
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target)
    : target_(std::move(target)), temp_(TemporaryName(target_)) {
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0) error_ = "cannot create " + temp_.string() + ": " + std::strerror(errno);
}

AtomicFileWriter::~AtomicFileWriter() {
    discard();
}

void AtomicFileWriter::discard() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
    ::unlink(temp_.c_str());
}

bool AtomicFileWriter::write(std::string_view bytes) {
    while (error_.empty() && !bytes.empty()) {
        ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            error_ = "cannot write " + temp_.string() + ": " + std::strerror(errno);
            discard();
            break;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return error_.empty();
}

std::string AtomicFileWriter::commit() {
    if (!error_.empty()) return error_;
    if (::fsync(fd_) != 0) {
        error_ = "cannot flush " + temp_.string() + ": " + std::strerror(errno);
        discard();
        return error_;
    }
    ::close(fd_);
    fd_ = -1;
    std::error_code ec;
    std::filesystem::rename(temp_, target_, ec);
    if (ec) {
        ::unlink(temp_.c_str());
        error_ = "cannot replace " + target_.string() + ": " + ec.message();
        return error_;
    }
    // The rename itself reaches the disk with the folder.
    int folder = ::open(target_.parent_path().empty() ? "." : target_.parent_path().c_str(),
                        O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return {};
}

std::string WriteFileAtomically(const std::filesystem::path& path, std::string_view content) {
    AtomicFileWriter writer(path);
    writer.write(content);
    return writer.commit();
}

std::string WriteFileIfChanged(const std::filesystem::path& path, std::string_view content) {
    std::string current;
    std::error_code ec;
    if (std::filesystem::file_size(path, ec) == content.size() && !ec &&
        ReadWholeFile(path, current) && current == content)
        return {};
    return WriteFileAtomically(path, content);
}

std::string CopyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::ifstream in(from, std::ios::binary);
    if (!in) return "cannot open " + from.string();
    AtomicFileWriter writer(to);
    std::string buffer(1 << 16, '\0');
    while (writer.error().empty() && in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        writer.write(std::string_view(buffer.data(), static_cast<size_t>(in.gcount())));
    }
    if (in.bad()) return "cannot read " + from.string();
    return writer.commit();
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
