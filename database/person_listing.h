// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// What the grid, the names list, the search and the subsets need of a whole database: the head
// of every record (names, member number, birth data), read without decoding the rest.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/progress.h"

namespace quintaro {

struct PersonSummary {
    long number = 0;  // record number, from 1
    std::string recordKey;
    std::string primaryName;
    std::string firstName, middleName, lastName;
    std::array<std::string, 2> alternateNames;
    std::string memberNumber;
    std::string birthDateForSorting;
    double birthDate = 0;
    uint8_t birthHour = 0;
    uint8_t birthMinute = 0;
    std::string amPm;
    float timeZone = 0;
    std::string birthPlace;
    std::vector<std::string> problems;  // why the record looks damaged; empty for a sound one
};

struct DatabaseListing {
    std::vector<PersonSummary> people;  // in record order
    long leftoverBytes = 0;             // bytes after the last whole record
};

// Reads the head of every record. Nothing, with the reason, when the file cannot be read or the
// user pressed Cancel (error "Operation stopped by user").
std::optional<DatabaseListing> ReadListing(const std::filesystem::path& file, std::string& error,
                                           const Progress& progress = {});

enum class ListingOrder {
    Number,     // record number
    Name,       // primary name, letter case ignored ("Display all alphabetically")
    BirthDate,  // earliest first; records without a date at the end
};
// Sorts in place; records that compare equal keep their record order.
void SortListing(std::vector<PersonSummary>& people, ListingOrder order);

// Record numbers of the records whose primary, first, middle, last or alternate names hold the
// term, letter case ignored, in record order. An empty or blank term finds nothing.
std::vector<long> SearchListing(const std::vector<PersonSummary>& people, std::string_view term);

// "Search found n items" or "No items found."
std::string SearchResultText(size_t found);

// Writes a new database of the given records of `source`, in the order given, each record's
// bytes copied unchanged. Nothing is written when a number lies outside the source, the list is
// empty, or the target is the source itself. Empty on success, else the reason.
std::string WriteSubset(const std::filesystem::path& source, const std::vector<long>& numbers,
                        const std::filesystem::path& target);

}  // namespace quintaro
