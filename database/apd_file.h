// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Database files (".apd"): records of RecordSize bytes one after another, numbered from 1, no
// header. The number of records is the file length divided by RecordSize; bytes after the last
// whole record belong to no record.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/atomic_file.h"
#include "core/progress.h"
#include "database/person_record.h"
#include "database/record_key.h"

namespace quintaro {

inline constexpr long MaxBlankRecords = 99999;

struct ApdSize {
    long records = 0;
    long leftoverBytes = 0;  // bytes after the last whole record; 0 in a sound file
};

// Nothing, with the reason, when the file cannot be read (missing, a folder, no permission).
std::optional<ApdSize> ReadApdSize(const std::filesystem::path& file, std::string& error);

// The bytes of record `number` (from 1); nothing, with the reason, when the number lies outside
// 1 to the record count or the file cannot be read.
std::optional<std::string> LoadRecordBytes(const std::filesystem::path& file, long number,
                                           std::string& error);
std::optional<PersonRecord> LoadRecord(const std::filesystem::path& file, long number,
                                       std::string& error);

// Writes the record over record `number` of an existing file, leaving every other byte as it
// is. The record goes to the file in one positioned write and is flushed to the disk before the
// call returns; a failed write puts the record's old bytes back. Empty on success, else why.
std::string SaveRecordInPlace(const std::filesystem::path& file, long number,
                              const PersonRecord& record);

// Writes a copy of `source` into `target` with record `number` replaced by `record`; every other
// record is copied byte for byte. Whole or not at all; never over the source itself. Empty on
// success, else why.
std::string WriteCopyWithRecord(const std::filesystem::path& source, long number,
                                const PersonRecord& record, const std::filesystem::path& target);

// Writes a new database file record by record, whole or not at all (nothing is replaced until
// commit()).
class ApdWriter {
  public:
    explicit ApdWriter(const std::filesystem::path& file) : writer_(file) {}
    bool add(const PersonRecord& record);
    bool addBytes(std::string_view recordBytes);  // exactly RecordSize bytes
    long count() const { return count_; }
    const std::string& error() const { return writer_.error(); }
    std::string commit() { return writer_.commit(); }

  private:
    AtomicFileWriter writer_;
    std::string buffer_ = std::string(RecordSize, ' ');
    long count_ = 0;
};

// A new name in `folder`: base + "_" + four digits + ".apd", the first number from 0001 that no
// file there has yet.
std::filesystem::path SuggestedDatabaseName(const std::filesystem::path& folder,
                                            std::string_view base);

struct WriteOutcome {
    std::string error;  // empty unless something failed
    bool cancelled = false;
    bool done() const { return error.empty() && !cancelled; }
};

// Writes `count` blank records (1 to MaxBlankRecords), each with a record key of its own,
// replacing an existing file of that name. Progress after each record; Cancel leaves the
// existing file as it was.
WriteOutcome CreateBlankDatabase(const std::filesystem::path& file, long count,
                                 const RandomUnit& random, const Progress& progress = {});

}  // namespace quintaro
