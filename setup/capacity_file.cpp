// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/capacity_file.h"

#include "core/atomic_file.h"
#include "core/formatting.h"
#include "core/install_folder.h"
#include "setup/file_lines.h"
#include "setup/number_text.h"

namespace quintaro {

namespace {

constexpr std::string_view kAspectsKey = "Num_Aspects";
constexpr std::string_view kSynchsKey = "num_synchs_syms_allowed_in_array";

// Sets a capacity from a line's value; false when the value is out of range.
bool SetCapacity(int& capacity, std::string_view value) {
    auto whole = RoundToRange(LeadingNumber(value), 0, MaxCapacity);
    if (whole) capacity = static_cast<int>(*whole);
    return whole.has_value();
}

void ReadCapacityLines(const LineSource& lines, Capacities& capacities, Messages& messages) {
    std::string rejected;
    lines([&](std::string_view raw) {
        std::string_view line = TrimBlanks(raw);
        size_t equals = line.find('=');
        std::string_view value = equals == std::string_view::npos ? line : line.substr(equals + 1);
        bool fits = true;
        if (line.starts_with(kAspectsKey)) fits = SetCapacity(capacities.numAspects, value);
        if (line.starts_with(kSynchsKey))
            fits = SetCapacity(capacities.numSynchsSymsAllowedInArray, value);
        if (!fits && rejected.empty()) rejected = line.substr(0, 80);
        return true;
    });
    if (rejected.empty()) return;
    messages.show("Warning!",
                  "The capacity file \"arrays.txt\" holds a capacity that is not a number from "
                  "0 to " +
                      std::to_string(MaxCapacity) + ": " + rejected + "\nI am using " +
                      std::to_string(capacities.numAspects) + " aspects and " +
                      std::to_string(capacities.numSynchsSymsAllowedInArray) + " synchronizations.",
                  MessageIcon::Exclamation);
}

}  // namespace

void ReadCapacityText(std::string_view text, Capacities& capacities, Messages& messages) {
    ReadCapacityLines(TextLines(text), capacities, messages);
}

std::string CapacityText(const Capacities& capacities) {
    return std::string(kAspectsKey) + "=" + std::to_string(capacities.numAspects) + "\n" +
           std::string(kSynchsKey) + "=" + std::to_string(capacities.numSynchsSymsAllowedInArray) +
           "\n";
}

bool WriteCapacityFile(const std::filesystem::path& file, const Capacities& capacities,
                       Messages& messages) {
    std::string failure = WriteFileAtomically(file, CapacityText(capacities));
    if (failure.empty()) return true;
    messages.show("Warning!", "The capacity file could not be written: " + failure,
                  MessageIcon::Exclamation);
    return false;
}

void ReadCapacityFile(const std::filesystem::path& file, Capacities& capacities,
                      Messages& messages) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(file, ec))
        ReadCapacityLines(FileLines(file), capacities, messages);
    else if (!std::filesystem::exists(file, ec))
        WriteCapacityFile(file, capacities, messages);
}

Capacities ReadCapacities(const std::filesystem::path& home, Messages& messages) {
    Capacities capacities;
    ReadCapacityFile(HomePath(home, CapacityFileName), capacities, messages);
    return capacities;
}

}  // namespace quintaro
