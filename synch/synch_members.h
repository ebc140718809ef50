// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The members of a synchronization: the natal and transit bodies that a synchronization file
// (".syn") or the member-selection window lists, one a line ("sun-n", "venus-t"). The
// synchronization ratings and the symmetrical patterns both search these members.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bodies.h"
#include "core/selection_flags.h"

namespace quintaro {

// One body side taking part: natal or transit body `slot`.
struct SynchMember {
    int slot = 0;  // 1..N
    ChartSide side = ChartSide::Natal;
    friend bool operator==(const SynchMember&, const SynchMember&) = default;
};

// The members in line order, each body side once, and the member lines that named no body in
// use (they are skipped).
struct MemberList {
    std::vector<SynchMember> members;
    std::vector<std::string> unknown;
};

// The slot of a body name as member lines and synchronization texts write it: the name's first
// five characters, blanks trimmed, equal to a catalogue name's first five, blanks trimmed, letter
// case ignored ("jupiter", "Jupit" and "mc " find their slots). Only slots in use are found; 0
// when none matches.
int SlotOfMemberName(const BodyCatalogue& catalogue, std::string_view name);

// The same lookup with the catalogue's names prepared once, for readers that look up many names.
class MemberNameIndex {
  public:
    explicit MemberNameIndex(const BodyCatalogue& catalogue);
    int slotOf(std::string_view name) const;

  private:
    std::vector<std::string> names_;  // slot k at k - 1: first five characters, trimmed, folded
};

// The 5-character name field of a slot: the catalogue name cut to five characters or padded
// with blanks.
std::string MemberName5(const BodyCatalogue& catalogue, int slot);

// Reads member lines. A line is a member line when it holds "-n" (natal) or "-t" (transit),
// either letter in either case; the last such mark decides the side and the text before it,
// blanks trimmed, names the body. A member listed again is kept once, where it first appears.
MemberList ReadMemberText(std::string_view text, const BodyCatalogue& catalogue);

// A synchronization file read whole, or why it could not be.
struct MemberFile {
    std::string text;  // the file as read
    MemberList list;
    std::string error;  // empty when the file could be used
};

// Synchronization files are small: a file larger than this is not one.
inline constexpr std::size_t MaxMemberFileBytes = 1 << 20;

// Reads a synchronization file. The error says why it cannot be used: it cannot be read, is
// larger than MaxMemberFileBytes, holds bytes that no text holds (control characters other than
// tab, carriage return and line feed), or names no body that can take part.
MemberFile ReadMemberFile(const std::filesystem::path& file, const BodyCatalogue& catalogue);

// The same checks over a text already in memory; `name` names it in the error.
MemberFile CheckMemberText(std::string text, std::string_view name, const BodyCatalogue& catalogue);

// The member lines of a selection, as the member-selection window holds them: body key + "-n"
// for every natal flag set, then + "-t" for every transit flag, one a line.
std::string MemberTextOfSelection(const SelectionFlags& flags, const BodyCatalogue& catalogue);

// The selection flags of the members.
SelectionFlags SelectionOfMembers(const MemberList& list);

}  // namespace quintaro
