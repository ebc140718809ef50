// SPDX-License-Identifier: AGPL-3.0-or-later
// Reads any bytes as a synchronization file: the members are distinct bodies in use, the
// selection window's text of them reads back to the same members, and a search over a few of
// them and the priority scan of the bytes as a display line finish without fault.
#include <cstdlib>
#include <string>
#include <string_view>

#include "synch/symmetry.h"
#include "synch/synch_day.h"
#include "synch/synch_members.h"
#include "synch/synch_priority.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quintaro;
    static const BodyCatalogue catalogue = [] {
        BodyCatalogue c = MakeBodyCatalogue();
        AddFreeSlotBody(c, "x3-andromache");
        AddFreeSlotBody(c, "[sun/moon]");
        return c;
    }();
    std::string_view text(reinterpret_cast<const char*>(data), size);

    MemberFile file = CheckMemberText(std::string(text), "fuzz.syn", catalogue);
    if (file.error.empty() && file.list.members.empty()) std::abort();
    const MemberList list = ReadMemberText(text, catalogue);
    for (size_t i = 0; i < list.members.size(); ++i) {
        const SynchMember& m = list.members[i];
        if (m.slot < 1 || m.slot >= catalogue.NextFreeSlot) std::abort();
        for (size_t j = 0; j < i; ++j)
            if (list.members[j] == m) std::abort();
    }
    const SelectionFlags flags = SelectionOfMembers(list);
    const MemberList again = ReadMemberText(MemberTextOfSelection(flags, catalogue), catalogue);
    if (SelectionOfMembers(again) != flags || again.members.size() != list.members.size() ||
        !again.unknown.empty())
        std::abort();

    if (list.members.size() <= 12) {
        ChartPositions record;
        for (int slot = 1; slot <= BodyCount; ++slot) {
            const double at = (slot * 37 % 360) + 0.25 * static_cast<double>(size % 7);
            record.Natal.GeoLong[slot] = record.Transit.HelioLong[slot] = at;
            record.Natal.GeoDecl[slot] = record.Transit.HelioLat[slot] = at / 15 - 12;
        }
        const SelectionFlags all = SelectionFlags::All();
        SynchSource source{"fuzz.syn", std::string(text), list};
        RunSynchDay({record, all, catalogue}, {source}, {2, 2, 2, 2}, Priorities{});
        SymmetryInputs in{record, all, all, catalogue};
        in.capacity = 50;
        SilentMessages messages;
        SymmetryResult result;
        FindSymmetricalPatterns(in, list, result, messages);
    }
    PriorityIndex(text.substr(0, 4096), Priorities{}, catalogue);
    return 0;
}
