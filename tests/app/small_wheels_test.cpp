// SPDX-License-Identifier: AGPL-3.0-or-later
// The small synchronization and symmetry wheels: stepping, captions and what they draw.
#include "app/small_wheels.h"

#include <gtest/gtest.h>

#include "wheels/degree_labels.h"
#include "wheels/recording_surface.h"
#include "wheels/wheel_drawing.h"

namespace quintaro {
namespace {

SynchRecord Record(int found, int16_t priority, std::string line,
                   std::vector<SynchMember> members) {
    SynchRecord r;
    r.found = found;
    r.priority = priority;
    r.line = std::move(line);
    r.members = std::move(members);
    return r;
}

// Three geo longitude synchronizations arranged by priority (found 2, 3, 1), none helio; two
// geocentric patterns, the second mixed.
SynchSession Results() {
    SynchSession synch;
    auto& gl = synch.day.kinds[static_cast<size_t>(IndexOf(SynchKind::GeoLongitude))].records;
    gl.push_back(Record(2, 250, "(venus) - <sun   mars >",
                        {{SlotSun, ChartSide::Natal},
                         {SlotVenus, ChartSide::Transit},
                         {SlotMars, ChartSide::Natal}}));
    gl.push_back(Record(3, 120, "(pluto) - <moon  ceres>", {}));
    gl.push_back(Record(1, 95, "(mars ) - <sun   venus>", {}));
    auto& geo = synch.symmetry.kinds[0].patterns;
    geo.push_back(
        {1,
         {{SlotSun, ChartSide::Natal}, {SlotMars, ChartSide::Natal}, {SlotVenus, ChartSide::Natal}},
         "sun   mars  venus"});
    geo.push_back({3, {}, "(jupit ) - <mars  venus >"});
    return synch;
}

TEST(SmallWheels, SteppingWrapsBothWays) {
    const SynchSession synch = Results();
    struct Step {
        int from, direction, to;
    };
    for (const Step s : {Step{1, +1, 2}, Step{3, +1, 1}, Step{1, -1, 3}, Step{2, -1, 1}}) {
        SmallWheelPosition p = OpenSmallWheel(synch, SmallWheel::SynchGeo, 1, s.from);
        StepSmallWheel(p, SmallWheelCount(synch, p.wheel), s.direction);
        EXPECT_EQ(p.index, s.to) << s.from << " " << s.direction;
    }
    SmallWheelPosition empty = OpenSmallWheel(synch, SmallWheel::SynchHelio, 1);
    EXPECT_EQ(empty.index, 0);
    StepSmallWheel(empty, SmallWheelCount(synch, empty.wheel), +1);
    EXPECT_EQ(empty.index, 0);
    EXPECT_EQ(OpenSmallWheel(synch, SmallWheel::SynchGeo, 1, 9).index, 3);  // held to the list
}

TEST(SmallWheels, Captions) {
    const SynchSession synch = Results();
    struct Case {
        SmallWheel wheel;
        int mode, index;
        const char* caption;
    };
    const Case cases[] = {
        {SmallWheel::SynchGeo, 1, 1,
         "Geo synchronization #1 out of 3 - priority index = 250 for (venus) - <sun   mars >"},
        {SmallWheel::SynchGeo, 1, 3,
         "Geo synchronization #3 out of 3 - priority index = 95 for (mars ) - <sun   venus>"},
        {SmallWheel::SynchGeo, 0, 2, "Geo synchronization #2 out of 3"},
        {SmallWheel::SynchHelio, 1, 1, "Helio synchronization #0 out of 0"},
        {SmallWheel::SymmetryGeo, 1, 2,
         "Geo symmetrical #2 out of 2 for (jupit ) - <mars  venus >"},
        {SmallWheel::SymmetryHelio, 1, 1, "Helio symmetrical #0 out of 0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SmallWheelCaption(synch, OpenSmallWheel(synch, c.wheel, c.mode, c.index)),
                  c.caption);
    EXPECT_EQ(DisplayDegreesCaption(true), "Display degrees ON (toggle)");
    EXPECT_EQ(DisplayDegreesCaption(false), "Display degrees OFF (toggle)");
}

TEST(SmallWheels, ModeZeroShowsTheSynchronizationsInTheOrderFound) {
    const SynchSession synch = Results();
    std::vector<std::string> lines;
    for (int index = 1; index <= 3; ++index)
        lines.push_back(
            SmallWheelSynch(synch, OpenSmallWheel(synch, SmallWheel::SynchGeo, 0, index))->line);
    EXPECT_EQ(lines, (std::vector<std::string>{"(mars ) - <sun   venus>", "(venus) - <sun   mars >",
                                               "(pluto) - <moon  ceres>"}));
    EXPECT_EQ(FirstMixedPattern(synch, SmallWheel::SymmetryGeo), 2);
    EXPECT_EQ(FirstMixedPattern(synch, SmallWheel::SymmetryHelio), 1);
}

std::vector<int> Drawn(const WheelLayout& layout) {
    std::vector<int> bodies;
    for (const PlacedGlyph& g : layout.glyphs) bodies.push_back(g.body);
    std::sort(bodies.begin(), bodies.end());
    return bodies;
}

size_t DegreeLabels(const RecordingSurface& surface) {
    size_t labels = 0;
    for (const RecordedText& t : surface.texts())
        if (t.font.size == LabelFontSize && t.text.find('.') != std::string::npos) ++labels;
    return labels;
}

TEST(SmallWheels, TheWheelDrawsOnlyTheEntrysBodiesWithTheChartNames) {
    SilentMessages messages;
    Session session("/nonexistent", messages);
    Workstation& ws = session.workstation;
    ws.groups.select.live = SelectionFlags::All();
    ws.sectors = DefaultSectorBoundaries();
    ws.entry.natal.name = "Ann";
    ws.entry.transit.name = "Transits";
    ws.natal.data.year = 1990, ws.natal.data.month = 12, ws.natal.data.day = 5;
    ws.transit.data.year = 2024, ws.transit.data.month = 3, ws.transit.data.day = 17;
    ws.record.Natal.GeoLong[SlotSun] = 12.3;
    ws.record.Natal.GeoLong[SlotMars] = 100.1;
    ws.record.Transit.GeoLong[SlotVenus] = 212.6;
    ws.record.Transit.GeoMissing[SlotMars] = true;
    session.synch = Results();

    SmallWheelPosition first = OpenSmallWheel(session.synch, SmallWheel::SynchGeo, 1, 1);
    WheelInput input = BuildSmallWheelInput(session, first, {});
    EXPECT_EQ(input.title.natalName, "Ann - black planets");
    EXPECT_EQ(input.title.transitName, "Transits - red planets");
    EXPECT_EQ(input.title.natalDate, "05 Dec 1990");
    EXPECT_EQ(input.title.transitDate, "17 Mar 2024");
    RecordingSurface surface;
    EXPECT_EQ(Drawn(DrawWheel(surface, input)),
              (std::vector<int>{SlotSun, SlotMars, BodyCount + SlotVenus}));
    EXPECT_EQ(DegreeLabels(surface), 3u);

    session.synch.smallWheelDegrees = false;
    RecordingSurface plain;
    DrawWheel(plain, BuildSmallWheelInput(session, first, {}));
    EXPECT_EQ(DegreeLabels(plain), 0u);

    // The pattern's bodies; an empty list draws no body.
    RecordingSurface pattern;
    EXPECT_EQ(Drawn(DrawWheel(
                  pattern,
                  BuildSmallWheelInput(
                      session, OpenSmallWheel(session.synch, SmallWheel::SymmetryGeo, 1, 1), {}))),
              (std::vector<int>{SlotSun, SlotVenus, SlotMars}));
    RecordingSurface none;
    EXPECT_TRUE(
        Drawn(DrawWheel(none,
                        BuildSmallWheelInput(
                            session, OpenSmallWheel(session.synch, SmallWheel::SynchHelio, 1), {})))
            .empty());
}

TEST(SmallWheels, TheClickReportGivesTwoDecimals) {
    WheelLayout layout;
    layout.scale = {-100, 100, 200, -200};
    layout.cellWidth = layout.cellHeight = 10;
    PlacedGlyph mars;
    mars.body = BodyCount + SlotMars;
    mars.anchor = {20, 30};
    mars.name = "mars";
    mars.longitude = 7.456;
    mars.falling = true;
    layout.glyphs.push_back(mars);
    EXPECT_EQ(SmallWheelClickReport(layout, {25, 25}), " Trans mars is at 07.46 - falling");
    EXPECT_EQ(SmallWheelClickReport(layout, {0, 0}), "");
}

}  // namespace
}  // namespace quintaro
