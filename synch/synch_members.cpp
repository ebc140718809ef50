// SPDX-License-Identifier: AGPL-3.0-or-later
#include "synch/synch_members.h"

#include <algorithm>
#include <cctype>

#include "core/atomic_file.h"
#include "setup/file_lines.h"
#include "setup/group_files.h"

namespace quintaro {

namespace {

// The first five characters of a name without the blanks around them.
std::string_view Name5(std::string_view name) {
    return TrimBlanks(name.substr(0, 5));
}

// Letter case folded for the ASCII letters only: names are ASCII, and the priority scan looks
// names up often enough for the locale's tolower to show.
char FoldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return FoldCase(x) == FoldCase(y);
           });
}

// Where the last side mark ("-n", "-t", either case) of a line starts, or npos.
size_t LastSideMark(std::string_view line) {
    for (size_t at = line.size(); at-- > 1;) {
        const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(line[at])));
        if (line[at - 1] == '-' && (letter == 'n' || letter == 't')) return at - 1;
    }
    return std::string_view::npos;
}

bool IsTextByte(unsigned char c) {
    return c >= 0x20 || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

MemberNameIndex::MemberNameIndex(const BodyCatalogue& catalogue) {
    for (int slot = 1; slot < catalogue.NextFreeSlot && slot <= BodyCount; ++slot) {
        std::string name(Name5(catalogue.BodyNames[static_cast<size_t>(slot)]));
        std::transform(name.begin(), name.end(), name.begin(), FoldCase);
        names_.push_back(std::move(name));
    }
}

int MemberNameIndex::slotOf(std::string_view name) const {
    const std::string_view wanted = Name5(name);
    if (wanted.empty()) return 0;
    for (size_t k = 0; k < names_.size(); ++k)
        if (SameIgnoringCase(wanted, names_[k])) return static_cast<int>(k) + 1;
    return 0;
}

int SlotOfMemberName(const BodyCatalogue& catalogue, std::string_view name) {
    return MemberNameIndex(catalogue).slotOf(name);
}

std::string MemberName5(const BodyCatalogue& catalogue, int slot) {
    return PadName5(slot >= 1 && slot <= BodyCount ? catalogue.BodyNames[slot] : "");
}

MemberList ReadMemberText(std::string_view text, const BodyCatalogue& catalogue) {
    const MemberNameIndex index(catalogue);
    MemberList list;
    ForEachTextLine(text, [&](std::string_view raw) {
        const std::string_view line = TrimBlanks(raw);
        const size_t mark = LastSideMark(line);
        if (mark == std::string_view::npos) return true;
        const bool transit = std::tolower(static_cast<unsigned char>(line[mark + 1])) == 't';
        const int slot = index.slotOf(TrimBlanks(line.substr(0, mark)));
        if (slot == 0) {
            list.unknown.emplace_back(line);
            return true;
        }
        const SynchMember member{slot, transit ? ChartSide::Transit : ChartSide::Natal};
        if (std::find(list.members.begin(), list.members.end(), member) == list.members.end())
            list.members.push_back(member);
        return true;
    });
    return list;
}

MemberFile CheckMemberText(std::string text, std::string_view name,
                           const BodyCatalogue& catalogue) {
    MemberFile file;
    const std::string shown(name);
    if (text.size() > MaxMemberFileBytes) {
        file.error = "The synchronization file " + shown +
                     " is larger than a synchronization file can be; it was not used.";
        return file;
    }
    const auto bad = std::find_if(text.begin(), text.end(), [](char c) {
        return !IsTextByte(static_cast<unsigned char>(c));
    });
    if (bad != text.end()) {
        file.error = "The synchronization file " + shown + " is damaged (byte " +
                     std::to_string(bad - text.begin() + 1) +
                     " is not part of a text); it was not used.";
        return file;
    }
    file.list = ReadMemberText(text, catalogue);
    if (file.list.members.empty())
        file.error = "The synchronization file " + shown +
                     " lists no body that can take part (lines such as \"sun-n\" or "
                     "\"venus-t\"); it was not used.";
    file.text = std::move(text);
    return file;
}

MemberFile ReadMemberFile(const std::filesystem::path& path, const BodyCatalogue& catalogue) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > MaxMemberFileBytes)
        return CheckMemberText(std::string(MaxMemberFileBytes + 1, ' '), path.string(), catalogue);
    std::string text;
    if (ec || !ReadWholeFile(path, text)) {
        MemberFile file;
        file.error = "The synchronization file " + path.string() + " could not be read.";
        return file;
    }
    return CheckMemberText(std::move(text), path.string(), catalogue);
}

std::string MemberTextOfSelection(const SelectionFlags& flags, const BodyCatalogue& catalogue) {
    return GroupText(flags, catalogue);
}

SelectionFlags SelectionOfMembers(const MemberList& list) {
    SelectionFlags flags;
    for (const SynchMember& m : list.members)
        m.side == ChartSide::Natal ? flags.setNatal(m.slot, true) : flags.setTransit(m.slot, true);
    return flags;
}

}  // namespace quintaro
