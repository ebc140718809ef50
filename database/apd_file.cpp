// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/apd_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "database/record_layout.h"

namespace quintaro {

namespace {

std::string SystemError(const std::string& what, const std::filesystem::path& file) {
    return what + " " + file.string() + ": " + std::strerror(errno);
}

bool CheckRecordNumber(long number, long count, const std::filesystem::path& file,
                       std::string& error) {
    if (number >= 1 && number <= count) return true;
    error = file.string() + ": record " + std::to_string(number) + " is not in 1 to " +
            std::to_string(count) + " (the file holds " + std::to_string(count) + " record" +
            (count == 1 ? "" : "s") + ")";
    return false;
}

// Writes all bytes at `offset` in one call; a short write (a full disk, a signal) is reported as
// such rather than continued, so that the caller can put the old bytes back.
bool WriteAt(int fd, std::string_view bytes, off_t offset) {
    ssize_t written;
    do {
        written = ::pwrite(fd, bytes.data(), bytes.size(), offset);
    } while (written < 0 && errno == EINTR);
    return written == static_cast<ssize_t>(bytes.size());
}

}  // namespace

std::optional<ApdSize> ReadApdSize(const std::filesystem::path& file, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        error = std::filesystem::exists(file, ec) ? file.string() + " is not a file"
                                                  : file.string() + " does not exist";
        return std::nullopt;
    }
    auto length = std::filesystem::file_size(file, ec);
    if (ec) {
        error = "cannot read " + file.string() + ": " + ec.message();
        return std::nullopt;
    }
    return ApdSize{static_cast<long>(length / RecordSize), static_cast<long>(length % RecordSize)};
}

std::optional<std::string> LoadRecordBytes(const std::filesystem::path& file, long number,
                                           std::string& error) {
    auto size = ReadApdSize(file, error);
    if (!size || !CheckRecordNumber(number, size->records, file, error)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    std::string bytes(RecordSize, '\0');
    in.seekg(static_cast<std::streamoff>(number - 1) * static_cast<std::streamoff>(RecordSize));
    if (!in.read(bytes.data(), static_cast<std::streamsize>(RecordSize))) {
        error = "cannot read record " + std::to_string(number) + " of " + file.string();
        return std::nullopt;
    }
    return bytes;
}

std::optional<PersonRecord> LoadRecord(const std::filesystem::path& file, long number,
                                       std::string& error) {
    auto bytes = LoadRecordBytes(file, number, error);
    if (!bytes) return std::nullopt;
    return DecodeRecord(*bytes);
}

std::string SaveRecordInPlace(const std::filesystem::path& file, long number,
                              const PersonRecord& record) {
    std::string error;
    auto old = LoadRecordBytes(file, number, error);
    if (!old) return error;
    int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return SystemError("cannot open", file);
    const off_t offset = static_cast<off_t>(number - 1) * static_cast<off_t>(RecordSize);
    std::string bytes = EncodeRecord(record);
    if (!WriteAt(fd, bytes, offset)) {
        error = SystemError("cannot write record " + std::to_string(number) + " of", file);
        // Half a record would be worse than the old one: put the old bytes back.
        WriteAt(fd, *old, offset);
        ::fsync(fd);
    } else if (::fsync(fd) != 0) {
        error = SystemError("cannot flush", file);
    }
    ::close(fd);
    return error;
}

std::string WriteCopyWithRecord(const std::filesystem::path& source, long number,
                                const PersonRecord& record, const std::filesystem::path& target) {
    std::error_code ec;
    if (std::filesystem::equivalent(source, target, ec))
        return "the copy cannot be written over its own database " + target.string();
    std::string error;
    auto size = ReadApdSize(source, error);
    if (!size) return error;
    if (!CheckRecordNumber(number, size->records, source, error)) return error;
    ApdWriter writer(target);
    for (long n = 1; n <= size->records; ++n) {
        if (n == number) {
            if (!writer.add(record)) return writer.error();
            continue;
        }
        auto bytes = LoadRecordBytes(source, n, error);
        if (!bytes) return error;
        if (!writer.addBytes(*bytes)) return writer.error();
    }
    return writer.commit();
}

bool ApdWriter::add(const PersonRecord& record) {
    EncodeRecordInto(record, buffer_.data());
    return addBytes(buffer_);
}

bool ApdWriter::addBytes(std::string_view recordBytes) {
    if (recordBytes.size() != RecordSize || !writer_.write(recordBytes)) return false;
    ++count_;
    return true;
}

std::filesystem::path SuggestedDatabaseName(const std::filesystem::path& folder,
                                            std::string_view base) {
    std::filesystem::path candidate;
    for (int n = 1; n <= 9999; ++n) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "_%04d.apd", n);
        candidate = folder / (std::string(base) + suffix);
        std::error_code ec;
        if (!std::filesystem::exists(candidate, ec)) break;
    }
    return candidate;
}

WriteOutcome CreateBlankDatabase(const std::filesystem::path& file, long count,
                                 const RandomUnit& random, const Progress& progress) {
    if (count < 1 || count > MaxBlankRecords)
        return {"the number of blank records must be 1 to " + std::to_string(MaxBlankRecords)};
    ApdWriter writer(file);
    PersonRecord record = BlankRecord();
    const std::string text = "Creating blank records";
    for (long n = 1; n <= count; ++n) {
        record.recordKey = MakeRecordKey(random);
        if (!writer.add(record)) return {writer.error()};
        if (!ReportProgress(progress, text, n, count)) return {{}, true};
    }
    return {writer.commit()};
}

}  // namespace quintaro
