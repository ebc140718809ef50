// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/priority_file.h"

#include <algorithm>
#include <cmath>

#include "core/atomic_file.h"
#include "core/formatting.h"
#include "setup/file_lines.h"
#include "setup/group_files.h"
#include "setup/number_text.h"

namespace quintaro {

namespace {

// Natal and transit weights of slots 1..20.
constexpr std::array<std::array<int16_t, 2>, 20> kDefaultPriorities = {{
    {70, 80}, {15, 15}, {85, 90}, {40, 40}, {35, 35}, {95, 99}, {99, 55},
    {40, 60}, {65, 78}, {60, 60}, {65, 75}, {93, 98}, {45, 0},  {30, 70},
    {25, 15}, {30, 15}, {50, 50}, {65, 0},  {10, 0},  {40, 0},
}};

int16_t Priority(double number) {
    auto whole = RoundToInt16(number);
    if (whole) return *whole;
    return number < 0 ? INT16_MIN : INT16_MAX;
}

PriorityFileContents ReadPriorityLines(const LineSource& lines, std::string_view fileName,
                                       const BodyCatalogue& catalogue) {
    PriorityFileContents contents;
    std::string suffix = " - " + std::string(fileName);
    lines([&](std::string_view raw) {
        std::string_view line = TrimBlanks(raw);
        if (line.empty()) return true;
        size_t dot = line.find(". ");
        size_t equals = dot == std::string_view::npos ? dot : line.find('=', dot + 2);
        if (equals == std::string_view::npos) {
            contents.unrecognised.push_back(std::string(line) + suffix);
            return true;
        }
        std::string_view key = line.substr(dot + 2, equals - dot - 2);
        int slot = SlotOfKey(catalogue, key);
        if (slot == 0) {
            contents.unrecognised.push_back(std::string(key) + suffix);
            return true;
        }
        int index = line.front() == 'n' ? slot : BodyCount + slot;
        contents.priorities.values[index] = Priority(LeadingNumber(line.substr(equals + 1)));
        return true;
    });
    return contents;
}

}  // namespace

PriorityFileContents ReadPriorityText(std::string_view text, std::string_view fileName,
                                      const BodyCatalogue& catalogue) {
    return ReadPriorityLines(TextLines(text), fileName, catalogue);
}

std::optional<PriorityFileContents> ReadPriorityFile(const std::filesystem::path& file,
                                                     const BodyCatalogue& catalogue,
                                                     Messages& messages) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        ShowFileNotFound(file, messages);
        return std::nullopt;
    }
    PriorityFileContents contents =
        ReadPriorityLines(FileLines(file), file.filename().string(), catalogue);
    ShowMissingEphemerisFiles(contents.unrecognised, messages);
    return contents;
}

std::string PriorityText(const Priorities& priorities, const BodyCatalogue& catalogue) {
    std::string text;
    for (bool natal : {true, false}) {
        for (int slot = 1; slot <= BodyCount; ++slot) {
            const std::string& key = catalogue.BodyNames[slot];
            if (key == "unused") continue;
            int value = natal ? priorities.natal(slot) : priorities.transit(slot);
            text += (natal ? "n. " : "t. ") + key + "=" + std::to_string(value) + "\n";
        }
    }
    return text;
}

bool WritePriorityFile(const std::filesystem::path& file, const Priorities& priorities,
                       const BodyCatalogue& catalogue, Messages& messages) {
    std::string failure = WriteFileIfChanged(file, PriorityText(priorities, catalogue));
    if (failure.empty()) return true;
    messages.show("Warning!", "The priority file could not be saved: " + failure,
                  MessageIcon::Exclamation);
    return false;
}

Priorities DefaultPriorities() {
    Priorities priorities;
    for (int slot = 1; slot <= 20; ++slot) {
        priorities.values[slot] = kDefaultPriorities[slot - 1][0];
        priorities.values[BodyCount + slot] = kDefaultPriorities[slot - 1][1];
    }
    return priorities;
}

}  // namespace quintaro
