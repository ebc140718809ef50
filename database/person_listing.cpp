// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/person_listing.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "core/plain_text.h"
#include "database/apd_file.h"
#include "database/record_checks.h"
#include "database/record_layout.h"

namespace quintaro {

namespace {

PersonSummary Summarise(long number, std::string_view head) {
    PersonRecord record = DecodeRecord(head);
    PersonSummary s;
    s.number = number;
    s.problems = CheckRecordHead(record);
    s.recordKey = std::move(record.recordKey);
    s.primaryName = std::move(record.primaryName);
    s.firstName = std::move(record.firstName);
    s.middleName = std::move(record.middleName);
    s.lastName = std::move(record.lastName);
    s.alternateNames = {std::move(record.alternateNames[0].text),
                        std::move(record.alternateNames[1].text)};
    s.memberNumber = std::move(record.memberNumber);
    s.birthDateForSorting = std::move(record.birthDateForSorting);
    s.birthDate = record.birthDate;
    s.birthHour = record.birthHour;
    s.birthMinute = record.birthMinute;
    s.amPm = std::move(record.amPm);
    s.timeZone = record.timeZone;
    s.birthPlace = std::move(record.birthPlace);
    return s;
}

// The birth date as a sort key: missing and damaged dates after every real one.
double DateKey(const PersonSummary& s) {
    return PresentDate(s.birthDate) ? std::trunc(s.birthDate) : HUGE_VAL;
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec);
}

}  // namespace

std::optional<DatabaseListing> ReadListing(const std::filesystem::path& file, std::string& error,
                                           const Progress& progress) {
    auto size = ReadApdSize(file, error);
    if (!size) return std::nullopt;
    // Each head is one positioned read; the rest of the record is never copied.
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot open " + file.string() + ": " + std::strerror(errno);
        return std::nullopt;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    DatabaseListing listing;
    listing.leftoverBytes = size->leftoverBytes;
    listing.people.reserve(static_cast<size_t>(size->records));
    std::string head(RecordHeadSize(), '\0');
    for (long n = 1; n <= size->records; ++n) {
        const off_t offset = static_cast<off_t>(n - 1) * static_cast<off_t>(RecordSize);
        if (::pread(fd, head.data(), head.size(), offset) != static_cast<ssize_t>(head.size())) {
            error = "cannot read record " + std::to_string(n) + " of " + file.string();
            return std::nullopt;
        }
        listing.people.push_back(Summarise(n, head));
        if ((n % 256 == 0 || n == size->records) &&
            !ReportProgress(progress, "Reading " + file.filename().string(), n, size->records)) {
            error = "Operation stopped by user";
            return std::nullopt;
        }
    }
    return listing;
}

void SortListing(std::vector<PersonSummary>& people, ListingOrder order) {
    switch (order) {
        case ListingOrder::Number:
            std::stable_sort(people.begin(), people.end(),
                             [](const auto& a, const auto& b) { return a.number < b.number; });
            break;
        case ListingOrder::Name: {
            std::vector<std::pair<std::string, size_t>> keys;
            keys.reserve(people.size());
            for (size_t i = 0; i < people.size(); ++i)
                keys.emplace_back(AsciiLower(people[i].primaryName), i);
            std::stable_sort(keys.begin(), keys.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            std::vector<PersonSummary> sorted;
            sorted.reserve(people.size());
            for (const auto& key : keys) sorted.push_back(std::move(people[key.second]));
            people = std::move(sorted);
            break;
        }
        case ListingOrder::BirthDate:
            std::stable_sort(people.begin(), people.end(),
                             [](const auto& a, const auto& b) { return DateKey(a) < DateKey(b); });
            break;
    }
}

std::vector<long> SearchListing(const std::vector<PersonSummary>& people, std::string_view term) {
    std::vector<long> found;
    std::string needle = AsciiLower(term);
    if (needle.find_first_not_of(" \t") == std::string::npos) return found;
    auto holds = [&](const std::string& text) {
        auto it = std::search(text.begin(), text.end(), needle.begin(), needle.end(),
                              [](char a, char b) { return AsciiLower(a) == b; });
        return it != text.end();
    };
    for (const auto& p : people) {
        if (holds(p.primaryName) || holds(p.firstName) || holds(p.middleName) ||
            holds(p.lastName) || holds(p.alternateNames[0]) || holds(p.alternateNames[1]))
            found.push_back(p.number);
    }
    return found;
}

std::string SearchResultText(size_t found) {
    return found == 0 ? "No items found." : "Search found " + std::to_string(found) + " items";
}

std::string WriteSubset(const std::filesystem::path& source, const std::vector<long>& numbers,
                        const std::filesystem::path& target) {
    if (numbers.empty()) return "no records chosen for the subset";
    if (SameFile(source, target))
        return "the subset cannot be written over its own database " + target.string();
    std::string error;
    auto size = ReadApdSize(source, error);
    if (!size) return error;
    for (long n : numbers) {
        if (n < 1 || n > size->records)
            return source.string() + ": record " + std::to_string(n) + " is not in 1 to " +
                   std::to_string(size->records);
    }
    ApdWriter writer(target);
    for (long n : numbers) {
        auto bytes = LoadRecordBytes(source, n, error);
        if (!bytes) return error;
        if (!writer.addBytes(*bytes)) return writer.error();
    }
    return writer.commit();
}

}  // namespace quintaro
