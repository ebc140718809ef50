// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quintaro {

// Writes a file whole or not at all: the text goes to a temporary file beside the target, is
// flushed to the disk, and then replaces the target in one rename; the folder is flushed too, so
// that the rename survives a crash. Returns an empty string on success, else the reason.
std::string WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

// Writes a file atomically only when its content is not already `content`: files that every run
// saves (settings, groups) are left untouched, and a read-only folder is no error, while nothing
// changes. Returns an empty string on success (written or unchanged), else the reason.
std::string WriteFileIfChanged(const std::filesystem::path& path, std::string_view content);

// Copies a file whole or not at all, as WriteFileAtomically writes one (a temporary name of its
// own beside the target, flushed to the disk, renamed over the target). Empty string on success.
std::string CopyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to);

// Writes a file too big to hold in memory whole or not at all: the pieces go to a temporary file
// beside the target; commit() flushes it to the disk and renames it over the target. Without a
// successful commit() the temporary file is removed and the target stays as it was.
class AtomicFileWriter {
  public:
    explicit AtomicFileWriter(std::filesystem::path target);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False once anything failed; error() then says why.
    bool write(std::string_view bytes);
    // Empty on success, else the reason (and the target is untouched).
    std::string commit();
    const std::string& error() const { return error_; }

  private:
    void discard();

    std::filesystem::path target_;
    std::filesystem::path temp_;
    int fd_ = -1;
    std::string error_;
};

// Reads a whole file; false when it cannot be opened.
bool ReadWholeFile(const std::filesystem::path& path, std::string& content);

}  // namespace quintaro
