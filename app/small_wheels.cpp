// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/small_wheels.h"

#include <algorithm>

#include "app/wheel_input_builder.h"
#include "core/formatting.h"

namespace quintaro {

namespace {

const std::vector<SynchRecord>& RecordsOf(const SynchSession& synch, SmallWheel wheel) {
    return synch.day
        .of(wheel == SmallWheel::SynchHelio ? SynchKind::HelioLongitude : SynchKind::GeoLongitude)
        .records;
}

const std::vector<SymmetryPattern>& PatternsOf(const SynchSession& synch, SmallWheel wheel) {
    return synch.symmetry
        .of(wheel == SmallWheel::SymmetryHelio ? SymmetryKind::Heliocentric
                                               : SymmetryKind::Geocentric)
        .patterns;
}

std::vector<SynchMember> MembersShown(const SynchSession& synch,
                                      const SmallWheelPosition& position) {
    if (const SynchRecord* record = SmallWheelSynch(synch, position)) return record->members;
    if (const SymmetryPattern* pattern = SmallWheelPattern(synch, position))
        return pattern->members;
    return {};
}

std::string DateText(const ChartData& data) {
    return FormatDate({data.year, data.month, data.day, 0, 0, 0}, "dd mmm yyyy");
}

}  // namespace

std::string_view SmallWheelName(SmallWheel wheel) {
    switch (wheel) {
        case SmallWheel::SynchGeo:
            return "wheels_small_geo";
        case SmallWheel::SynchHelio:
            return "wheels_small_helio";
        case SmallWheel::SymmetryGeo:
            return "wheels_small_sym_geo";
        case SmallWheel::SymmetryHelio:
            return "wheels_small_sym_helio";
    }
    return {};
}

int SmallWheelCount(const SynchSession& synch, SmallWheel wheel) {
    const size_t count =
        IsSymmetryWheel(wheel) ? PatternsOf(synch, wheel).size() : RecordsOf(synch, wheel).size();
    return static_cast<int>(count);
}

SmallWheelPosition OpenSmallWheel(const SynchSession& synch, SmallWheel wheel, int mode,
                                  int index) {
    const int count = SmallWheelCount(synch, wheel);
    return {wheel, mode == 0 ? 0 : 1, count == 0 ? 0 : std::clamp(index, 1, count)};
}

void StepSmallWheel(SmallWheelPosition& position, int count, int direction) {
    if (count <= 0) {
        position.index = 0;
        return;
    }
    position.index += direction < 0 ? -1 : 1;
    if (position.index > count) position.index = 1;
    if (position.index < 1) position.index = count;
}

const SynchRecord* SmallWheelSynch(const SynchSession& synch, const SmallWheelPosition& position) {
    if (IsSymmetryWheel(position.wheel)) return nullptr;
    const std::vector<SynchRecord>& records = RecordsOf(synch, position.wheel);
    if (position.index < 1 || position.index > static_cast<int>(records.size())) return nullptr;
    if (position.mode == 1) return &records[static_cast<size_t>(position.index - 1)];
    auto found = std::find_if(records.begin(), records.end(), [&](const SynchRecord& record) {
        return record.found == position.index;
    });
    return found == records.end() ? nullptr : &*found;
}

const SymmetryPattern* SmallWheelPattern(const SynchSession& synch,
                                         const SmallWheelPosition& position) {
    if (!IsSymmetryWheel(position.wheel)) return nullptr;
    const std::vector<SymmetryPattern>& patterns = PatternsOf(synch, position.wheel);
    if (position.index < 1 || position.index > static_cast<int>(patterns.size())) return nullptr;
    return &patterns[static_cast<size_t>(position.index - 1)];
}

int FirstMixedPattern(const SynchSession& synch, SmallWheel wheel) {
    const std::vector<SymmetryPattern>& patterns = PatternsOf(synch, wheel);
    auto mixed = std::find_if(patterns.begin(), patterns.end(),
                              [](const SymmetryPattern& pattern) { return pattern.pass >= 3; });
    return mixed == patterns.end() ? 1 : static_cast<int>(mixed - patterns.begin()) + 1;
}

std::string SmallWheelCaption(const SynchSession& synch, const SmallWheelPosition& position) {
    const std::string frame = IsHelioWheel(position.wheel) ? "Helio" : "Geo";
    const std::string count = std::to_string(SmallWheelCount(synch, position.wheel));
    const std::string index = std::to_string(position.index);
    if (IsSymmetryWheel(position.wheel)) {
        std::string caption = frame + " symmetrical #" + index + " out of " + count;
        if (const SymmetryPattern* pattern = SmallWheelPattern(synch, position))
            caption += " for " + pattern->text;
        return caption;
    }
    std::string caption = frame + " synchronization #" + index + " out of " + count;
    const SynchRecord* record = SmallWheelSynch(synch, position);
    if (position.mode == 1 && record)
        caption +=
            " - priority index = " + std::to_string(record->priority) + " for " + record->line;
    return caption;
}

std::string DisplayDegreesCaption(bool on) {
    return on ? "Display degrees ON (toggle)" : "Display degrees OFF (toggle)";
}

WheelInput BuildSmallWheelInput(const Session& session, const SmallWheelPosition& position,
                                const WheelTarget& target) {
    const Workstation& ws = session.workstation;
    WheelInput input = BuildWheelInput(session, {true, IsHelioWheel(position.wheel)}, target);
    SelectionFlags shown;
    for (const SynchMember& member : MembersShown(session.synch, position)) {
        const bool drawn = input.selection.of(member.side, member.slot);
        member.side == ChartSide::Natal ? shown.setNatal(member.slot, drawn)
                                        : shown.setTransit(member.slot, drawn);
    }
    input.selection = shown;
    input.title.natalName = ws.entry.natal.name + " - black planets";
    input.title.transitName = ws.entry.transit.name + " - red planets";
    input.title.natalDate = DateText(ws.natal.data);
    input.title.transitDate = DateText(ws.transit.data);
    input.options.degreeLabels = session.synch.smallWheelDegrees;
    return input;
}

std::string SmallWheelClickReport(const WheelLayout& layout, Point at) {
    const std::optional<int> body = BodyAt(layout, at);
    if (!body) return {};
    const PlacedGlyph* glyph = FindGlyph(layout, *body);
    if (!glyph) return {};
    std::string text = glyph->body <= BodyCount ? " Natal " : " Trans ";
    text += glyph->name + " is at " + FormatNumber(glyph->longitude, "00.00");
    if (glyph->falling) text += " - falling";
    return text;
}

}  // namespace quintaro
