// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/group_files.h"

#include "core/atomic_file.h"
#include "setup/file_lines.h"

namespace quintaro {

namespace {

// A damaged file can name thousands of unknown bodies; the message lists this many.
constexpr size_t kListedEntries = 30;

constexpr std::string_view kUnusedName = "unused";

GroupFileContents ReadGroupLines(const LineSource& lines, GroupKind kind, int group,
                                 const BodyCatalogue& catalogue) {
    GroupFileContents contents;
    std::string suffix = " for group" + std::to_string(group) + std::string(GroupExtension(kind));
    lines([&](std::string_view raw) {
        std::string_view line = TrimBlanks(raw);
        if (line.find('-') == std::string_view::npos) return true;
        std::string_view key = line.substr(0, line.size() >= 2 ? line.size() - 2 : 0);
        int slot = key.empty() ? 0 : SlotOfKey(catalogue, key);
        if (slot == 0)
            contents.unrecognised.push_back(std::string(line) + suffix);
        else if (line.back() == 'n')
            contents.flags.setNatal(slot, true);
        else
            contents.flags.setTransit(slot, true);
        return true;
    });
    return contents;
}

}  // namespace

GroupFileContents ReadGroupText(std::string_view text, GroupKind kind, int group,
                                const BodyCatalogue& catalogue) {
    return ReadGroupLines(TextLines(text), kind, group, catalogue);
}

std::optional<GroupFileContents> ReadGroupFile(const std::filesystem::path& file, GroupKind kind,
                                               int group, const BodyCatalogue& catalogue,
                                               Messages& messages) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        ShowFileNotFound(file, messages);
        return std::nullopt;
    }
    GroupFileContents contents = ReadGroupLines(FileLines(file), kind, group, catalogue);
    ShowMissingEphemerisFiles(contents.unrecognised, messages);
    return contents;
}

std::string GroupText(const SelectionFlags& flags, const BodyCatalogue& catalogue) {
    std::string text;
    for (char side : {'n', 't'}) {
        for (int slot = 1; slot <= BodyCount; ++slot) {
            bool selected = side == 'n' ? flags.natal(slot) : flags.transit(slot);
            const std::string& key = catalogue.BodyNames[slot];
            if (!selected || key == kUnusedName) continue;
            text += key + "-" + side + "\n";
        }
    }
    return text;
}

bool WriteGroupFile(const std::filesystem::path& file, const SelectionFlags& flags,
                    const BodyCatalogue& catalogue, Messages& messages) {
    std::string failure = WriteFileIfChanged(file, GroupText(flags, catalogue));
    if (failure.empty()) return true;
    messages.show("Warning!", "The group file could not be saved: " + failure,
                  MessageIcon::Exclamation);
    return false;
}

void ShowMissingEphemerisFiles(const std::vector<std::string>& entries, Messages& messages) {
    if (entries.empty()) return;
    std::string list;
    for (size_t i = 0; i < entries.size() && i < kListedEntries; ++i) list += entries[i] + "\n";
    if (entries.size() > kListedEntries)
        list += "... and " + std::to_string(entries.size() - kListedEntries) + " more\n";
    messages.show("Missing ephemeris files",
                  "You are missing the following ephemeris files. Please add them.\n" + list,
                  MessageIcon::Critical);
}

void ShowFileNotFound(const std::filesystem::path& file, Messages& messages) {
    messages.show("File not found", "You do not have a file called " + file.string(),
                  MessageIcon::Exclamation);
}

}  // namespace quintaro
