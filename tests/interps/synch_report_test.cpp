// SPDX-License-Identifier: AGPL-3.0-or-later
// Synchronization interpretations: which pairs of members are read, in which order, and what the
// filter leaves out.
#include "interps/synch_report.h"

#include <gtest/gtest.h>

#include "interps/report_render.h"
#include "recording_messages.h"

namespace quintaro {
namespace {

struct SynchFixture : ::testing::Test {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    StringMap store;
    test::RecordingMessages messages;
    SynchReportInputs inputs;

    SynchFixture() {
        inputs.catalogue = &catalogue;
        inputs.store = &store;
        inputs.first = {"Ben", 1978, 11, 2};
        inputs.second = {"Anna", 1980, 5, 17};
        // Geo longitude: (mars) - <sun venus>, then (mars jupiter) - <sun>; helio: nothing.
        inputs.found = {
            {CoordinateKind::GeoLongitude,
             {{{SlotMars}, {SlotSun, SlotVenus}, 12}, {{SlotMars, SlotJupiter}, {SlotSun}, 9}}},
            {CoordinateKind::GeoDeclination, {{{SlotMoon}, {SlotMoon}, 5}}}};
        for (const char* key : {"sun_mar_synch", "ven_mar_synch", "sun_jup_synch", "mar_sun_synch",
                                "mar_ven_synch", "jup_sun_synch"})
            store.SetAt(key, std::string("Text of ") + key + ".");
    }
};

std::vector<std::string> Headings(const SynchReportSection& section) {
    std::vector<std::string> headings;
    for (const SynchGroup& group : section.groups)
        for (const ReportRow& row : group.pairs) headings.push_back(row.heading);
    return headings;
}

TEST_F(SynchFixture, FullListsEveryPairOfEverySynchronization) {
    inputs.mode = ReportMode::RomanceCompatibility;
    const SynchReport report = BuildSynchReport(inputs, messages);
    ASSERT_EQ(report.sections.size(), 2u);
    EXPECT_EQ(report.sections[0].title, "Geo longitude synchronization");
    EXPECT_EQ(report.sections[1].title, "Helio longitude synchronization");
    ASSERT_EQ(report.sections[0].groups.size(), 2u);
    EXPECT_EQ(report.sections[0].groups[0].line, "(mars ) - <sun   venus>");
    EXPECT_EQ(report.sections[0].groups[1].line, "(mars  jupit) - <sun  >");
    EXPECT_EQ(Headings(report.sections[0]),
              (std::vector<std::string>{
                  "[MARS SYNCHRONIZED WITH YOUR SUN]", "[MARS SYNCHRONIZED WITH YOUR VENUS]",
                  "[MARS SYNCHRONIZED WITH YOUR SUN]", "[JUPITER SYNCHRONIZED WITH YOUR SUN]"}));
    // Compatibility paragraphs name the pair in body order.
    EXPECT_EQ(report.sections[0].groups[0].pairs[1].text, "Text of ven_mar_synch.");
    EXPECT_TRUE(report.sections[1].groups.empty());
    EXPECT_TRUE(report.missing.empty());
    EXPECT_EQ(SynchCaption(ReportMode::RomanceCompatibility, false),
              "Synch Longitude Interpretations - Full Romance Compatibility");
    const std::string text = RenderPlainText(LayoutSynchReport(report));
    EXPECT_NE(text.find("Helio longitude synchronization\n-------------------------------\n\n"
                        "none found\n"),
              std::string::npos);
}

TEST_F(SynchFixture, FilteredReadsEachPairOnceWhereItFirstAppears) {
    inputs.mode = ReportMode::FinancialTransits;
    inputs.filtered = true;
    store.SetAt("x", "y");
    const SynchReport report = BuildSynchReport(inputs, messages);
    EXPECT_EQ(Headings(report.sections[0]),
              (std::vector<std::string>{"[MARS SYNCHRONIZED WITH YOUR SUN]",
                                        "[MARS SYNCHRONIZED WITH YOUR VENUS]",
                                        "[JUPITER SYNCHRONIZED WITH YOUR SUN]"}));
    // Transit paragraphs keep the transit body first.
    EXPECT_EQ(report.sections[0].groups[0].pairs[0].text, "Text of mar_sun_synch.");
    EXPECT_EQ(SynchCaption(ReportMode::FinancialTransits, true),
              "Synch Longitude Interpretations - Filtered Financial Transits");
}

TEST_F(SynchFixture, WithoutTheStoreTheUserIsToldOnce) {
    StringMap empty;
    inputs.store = &empty;
    const SynchReport report = BuildSynchReport(inputs, messages);
    EXPECT_FALSE(report.storeLoaded);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Please load interpretation files 8/9 before click here.");
    EXPECT_EQ(report.sections[0].groups[0].pairs[0].text, "");
}

TEST_F(SynchFixture, APairWithoutItsParagraphMakesTheReportIncomplete) {
    inputs.mode = ReportMode::RomanceCompatibility;
    inputs.found = {{CoordinateKind::HelioLongitude, {{{SlotNeptune}, {SlotPluto}, 1}}}};
    const SynchReport report = BuildSynchReport(inputs, messages);
    EXPECT_EQ(report.missing, (std::vector<std::string>{"nep_plu_synch"}));
    EXPECT_EQ(Headings(report.sections[1]),
              (std::vector<std::string>{"[NEPTUNE SYNCHRONIZED WITH YOUR PLUTO]"}));
}

}  // namespace
}  // namespace quintaro
