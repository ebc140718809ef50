// SPDX-License-Identifier: AGPL-3.0-or-later
// The interpretation report built from aspect lists and a store made in the test: what it says,
// in which order, which paragraph each aspect gets, and what happens without texts.
#include "interps/interpretation_report.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "aspects/aspect_catalogue.h"
#include "interps/report_render.h"
#include "recording_messages.h"
#include "store_bytes.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::RecordingMessages;

constexpr const char* LoadMessage = "Please load interpretation files 8/9 before click here.";

struct ReportFixture : ::testing::Test {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    AspectLists lists;
    StringMap store;
    RecordingMessages messages;
    ReportInputs inputs;

    ReportFixture() {
        AddFreeSlotBody(catalogue, "pholus");  // slot 21: no interpretations
        inputs.lists = &lists;
        inputs.catalogue = &catalogue;
        inputs.store = &store;
        inputs.first = {"Ben", 1978, 11, 2};
        inputs.second = {"Anna", 1980, 5, 17};
    }
    void add(Pairing pairing, CoordinateKind kind, int body1, int body2, int code, double orb) {
        lists.at(pairing, kind).entries.push_back({body1, body2, code, orb});
    }
    InterpretationReport build(ReportMode mode, ReportScope scope) {
        inputs.mode = mode;
        inputs.scope = scope;
        return BuildInterpretationReport(inputs, messages);
    }
};

std::vector<std::string> Titles(const InterpretationReport& report) {
    std::vector<std::string> titles;
    for (const ReportSection& section : report.sections) titles.push_back(section.title);
    return titles;
}

TEST_F(ReportFixture, TitleDatesAndIntroductionNameTheChartsInTheirRoles) {
    store.SetAt("x", "y");
    inputs.dateStyle.american = true;
    InterpretationReport report = build(ReportMode::RomanceCompatibility, ReportScope::Longitude);
    EXPECT_EQ(report.title, "Romance Compatibility Report for Ben and Anna");
    EXPECT_EQ(report.dates, (std::vector<std::string>{"Ben: 11/02/1978", "Anna: 05/17/1980"}));
    EXPECT_EQ(report.introduction,
              "This Velm Astrology report compares the planets of Ben to the planets of Anna. "
              "When a planetary aspect says something like [SUN TRINE YOUR MERCURY], it means "
              "the SUN of Ben compared to the MERCURY of Anna.");

    inputs.dateStyle.american = false;
    const std::pair<ReportMode, const char*> titles[] = {
        {ReportMode::FinancialCompatibility, "Financial Compatibility Report for Ben and Anna"},
        {ReportMode::RomanceTransits, "Romance Transit Report for Ben and Anna"},
        {ReportMode::FinancialTransits, "Financial Transit Report for Ben and Anna"}};
    for (const auto& [mode, title] : titles) {
        report = build(mode, ReportScope::Longitude);
        EXPECT_EQ(report.title, title);
        EXPECT_EQ(report.dates, (std::vector<std::string>{"Ben: 02/11/1978", "Anna: 17/05/1980"}));
    }
    report = build(ReportMode::NatalMoney, ReportScope::Longitude);
    EXPECT_EQ(report.dates, (std::vector<std::string>{"Anna: 17/05/1980"}));
    EXPECT_NE(report.title.find("Anna"), std::string::npos);
    EXPECT_EQ(report.title.find("Ben"), std::string::npos);
}

TEST_F(ReportFixture, SectionsFollowTheScopeHeliocentricFirst) {
    store.SetAt("x", "y");
    EXPECT_EQ(Titles(build(ReportMode::RomanceCompatibility, ReportScope::Longitude)),
              (std::vector<std::string>{"Helio Longitude Synastry Aspects",
                                        "Geo Longitude Synastry Aspects"}));
    EXPECT_EQ(Titles(build(ReportMode::FinancialTransits, ReportScope::DeclinationLatitude)),
              (std::vector<std::string>{"Helio Latitude Synastry Aspects",
                                        "Geo Declination Synastry Aspects"}));
    EXPECT_EQ(Titles(build(ReportMode::NatalFull, ReportScope::Both)),
              (std::vector<std::string>{
                  "Helio Longitude Natal Aspects", "Geo Longitude Natal Aspects",
                  "Helio Latitude Natal Aspects", "Geo Declination Natal Aspects"}));
}

TEST_F(ReportFixture, EachAspectGetsItsPairsParagraphInListOrder) {
    store.SetAt("sun_ven_flowing", "Sun and Venus flow.");
    store.SetAt("ven_sun_flowing", "Transiting Venus flows to your Sun.");
    store.SetAt("sun_ven_challenging", "Sun and Venus clash.");
    store.SetAt("mar_sat_parallel", "Mars and Saturn run parallel.");
    add(Pairing::TransitNatal, CoordinateKind::GeoLongitude, SlotVenus, SlotSun, AspectTrine, 1.5);
    add(Pairing::TransitNatal, CoordinateKind::GeoLongitude, SlotSun, SlotVenus, AspectSquare,
        -0.2);
    add(Pairing::TransitNatal, CoordinateKind::GeoDeclination, SlotMars, SlotSaturn,
        AspectContraParallel, 0.1);
    add(Pairing::NatalNatal, CoordinateKind::GeoLongitude, SlotSun, SlotVenus, AspectSextile, 2);

    // Compatibility: one paragraph per pair, whichever chart holds which body.
    InterpretationReport report = build(ReportMode::RomanceCompatibility, ReportScope::Both);
    const ReportSection& geo = report.sections[1];
    ASSERT_EQ(geo.rows.size(), 2u);
    EXPECT_EQ(geo.rows[0].heading, "[VENUS TRINE YOUR SUN]");
    EXPECT_EQ(geo.rows[0].aspectKey, "ven_sun_120");
    EXPECT_EQ(geo.rows[0].text, "Sun and Venus flow.");
    EXPECT_EQ(geo.rows[1].heading, "[SUN SQUARE YOUR VENUS]");
    EXPECT_EQ(geo.rows[1].text, "Sun and Venus clash.");
    ASSERT_EQ(report.sections[3].rows.size(), 1u);
    EXPECT_EQ(report.sections[3].rows[0].heading, "[MARS CONTRA-PARALLEL YOUR SATURN]");
    EXPECT_EQ(report.sections[3].rows[0].text, "Mars and Saturn run parallel.");
    EXPECT_TRUE(report.missing.empty());
    EXPECT_TRUE(messages.shown.empty());

    // Transits keep the transit body first.
    report = build(ReportMode::RomanceTransits, ReportScope::Longitude);
    EXPECT_EQ(report.sections[1].rows[0].text, "Transiting Venus flows to your Sun.");

    // Natal reports read the natal lists, without "YOUR".
    report = build(ReportMode::NatalFull, ReportScope::Longitude);
    ASSERT_EQ(report.sections[1].rows.size(), 1u);
    EXPECT_EQ(report.sections[1].rows[0].heading, "[SUN SEXTILE VENUS]");
    EXPECT_EQ(report.sections[1].rows[0].text, "Sun and Venus flow.");
}

TEST_F(ReportFixture, BodiesWithoutTextsGoToTheOverflowAndMissingTextsAreCounted) {
    store.SetAt("sun_ven_flowing", "Sun and Venus flow.");
    add(Pairing::TransitNatal, CoordinateKind::HelioLongitude, 21, SlotVenus, AspectTrine, 1);
    add(Pairing::TransitNatal, CoordinateKind::HelioLongitude, SlotEarth, SlotMars, AspectSquare,
        1);
    const InterpretationReport report =
        build(ReportMode::FinancialCompatibility, ReportScope::Longitude);
    const ReportSection& helio = report.sections[0];
    ASSERT_EQ(helio.overflow.size(), 1u);
    EXPECT_EQ(helio.overflow[0].heading, "[PHOLUS TRINE YOUR VENUS]");
    ASSERT_EQ(helio.rows.size(), 1u);
    EXPECT_EQ(helio.rows[0].heading, "[EARTH/MOON COMPLEX SQUARE YOUR MARS]");
    EXPECT_EQ(helio.rows[0].text, "");
    EXPECT_EQ(report.missing, (std::vector<std::string>{"ear_mar_090"}));
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_NE(report.problems[0].find("ear_mar_090"), std::string::npos);

    const std::string text = RenderPlainText(LayoutReport(report));
    EXPECT_NE(text.find("[EARTH/MOON COMPLEX SQUARE YOUR MARS]\n(no interpretation text)\n"),
              std::string::npos);
    EXPECT_EQ(text.find("PHOLUS"), std::string::npos);
    const std::string overflow = RenderPlainText(LayoutOverflow(report));
    EXPECT_EQ(overflow,
              "Overflow Planets\n\nHelio Longitude Synastry Aspects\n"
              "--------------------------------\n\n[PHOLUS TRINE YOUR VENUS]\n\n");
}

TEST_F(ReportFixture, WithoutAStoreTheUserIsToldOnceAndNothingIsRead) {
    add(Pairing::TransitNatal, CoordinateKind::GeoLongitude, SlotSun, SlotMoon, AspectTrine, 1);
    add(Pairing::TransitNatal, CoordinateKind::GeoLongitude, SlotMars, SlotMoon, AspectTrine, 1);
    for (const StringMap* absent : std::vector<const StringMap*>{nullptr, &store}) {
        messages.shown.clear();
        inputs.store = absent;
        const InterpretationReport report =
            build(ReportMode::RomanceCompatibility, ReportScope::Longitude);
        EXPECT_FALSE(report.storeLoaded);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, LoadMessage);
        EXPECT_EQ(report.sections[1].rows.size(), 2u);
        EXPECT_EQ(report.sections[1].rows[0].text, "");
    }
    messages.shown.clear();
    const ReportRow row = InterpretRow({SlotSun, SlotMoon, AspectTrine, 1},
                                       CoordinateKind::GeoLongitude, false, inputs, messages);
    EXPECT_EQ(row.heading, "[SUN TRINE YOUR MOON]");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, LoadMessage);
}

TEST_F(ReportFixture, RevisionsReplaceTheParagraphAndSayWhoWroteThem) {
    store.SetAt("sun_ven_flowing", "Prepared text.");
    add(Pairing::TransitNatal, CoordinateKind::HelioLongitude, SlotVenus, SlotMercury, AspectTrine,
        1);
    add(Pairing::TransitNatal, CoordinateKind::GeoLongitude, SlotVenus, SlotSun, AspectTrine, 1);
    store.SetAt("mer_ven_flowing", "Prepared Mercury text.");
    std::vector<std::string> asked;
    inputs.revisions = [&asked](const std::string& key) -> std::optional<Revision> {
        asked.push_back(key);
        if (key == "ven_sun_120_g") return Revision{"My own words.\r\nSecond line.", "Jo Bloggs"};
        return std::nullopt;
    };
    const InterpretationReport report =
        build(ReportMode::RomanceCompatibility, ReportScope::Longitude);
    EXPECT_EQ(asked, (std::vector<std::string>{"ven_mer_120_h", "ven_sun_120_g"}));
    EXPECT_EQ(report.sections[0].rows[0].text, "Prepared Mercury text.");
    EXPECT_FALSE(report.sections[0].rows[0].revised);
    EXPECT_TRUE(report.sections[1].rows[0].revised);
    EXPECT_NE(RenderPlainText(LayoutReport(report))
                  .find("[VENUS TRINE YOUR SUN]\nMy own words.\nSecond line.\n"
                        "(revised text written by Jo Bloggs)\n"),
              std::string::npos);
}

TEST_F(ReportFixture, AnUnreadableTextIsAProblemNotACrash) {
    test::TempFolder folder;
    // An indexed store of one entry whose text record claims more bytes than the file holds.
    const std::string key = "sun_ven_flowing";
    test::StoreBytes()
        .i32(0x49530001)
        .i32(1)   // count
        .i32(0)   // root
        .i32(28)  // the data area ends here
        .i32(8)   // bytes of text records
        .i32(1000)
        .text("abcd")  // the record at 20 claims 1000 bytes
        .zeros(8)
        .indexedNode(-1, -1, -1, key, 20)
        .writeTo(folder.path() / "s.dat");
    StringMap indexed;
    ASSERT_TRUE(indexed.OpenFile(folder.path() / "s.dat")) << indexed.LastError();
    inputs.store = &indexed;
    add(Pairing::TransitNatal, CoordinateKind::GeoLongitude, SlotSun, SlotVenus, AspectTrine, 1);
    const InterpretationReport report =
        build(ReportMode::RomanceCompatibility, ReportScope::Longitude);
    EXPECT_EQ(report.missing, (std::vector<std::string>{"sun_ven_120"}));
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_EQ(report.problems[0], "Corrupt data file '" + (folder.path() / "s.dat").string() + "'");
}

TEST_F(ReportFixture, TheDocumentReadsTopToBottomAsAReport) {
    store.SetAt("sun_ven_flowing", "Sun and Venus flow.");
    add(Pairing::TransitNatal, CoordinateKind::GeoLongitude, SlotVenus, SlotSun, AspectTrine, 1);
    inputs.preparer = "Jo Bloggs";
    inputs.closingPage = "About this report\r\n\r\nLast words.\r\n";
    const ReportDocument document =
        LayoutReport(build(ReportMode::RomanceCompatibility, ReportScope::Longitude));
    ASSERT_FALSE(document.paragraphs.empty());
    EXPECT_EQ(document.paragraphs[0].align, ParagraphAlign::Centre);
    EXPECT_TRUE(document.paragraphs[0].bold);
    EXPECT_TRUE(
        std::all_of(document.paragraphs.begin() + 1, document.paragraphs.end(),
                    [](const ReportParagraph& p) { return p.align == ParagraphAlign::Left; }));
    EXPECT_EQ(RenderPlainText(document),
              "Romance Compatibility Report for Ben and Anna\n\n"
              "Ben: 11/02/1978\nAnna: 05/17/1980\n\n" +
                  BuildInterpretationReport(inputs, messages).introduction +
                  "\n\n"
                  "Helio Longitude Synastry Aspects\n--------------------------------\n\n"
                  "No aspects found.\n\n"
                  "Geo Longitude Synastry Aspects\n------------------------------\n\n"
                  "[VENUS TRINE YOUR SUN]\nSun and Venus flow.\n\n"
                  "Individually prepared by:\nJo Bloggs\n"
                  "\nAbout this report\n\nLast words.\n");
    const auto closing = std::find_if(document.paragraphs.begin(), document.paragraphs.end(),
                                      [](const ReportParagraph& p) { return p.pageBreakBefore; });
    ASSERT_NE(closing, document.paragraphs.end());
    EXPECT_EQ(closing->text, "About this report");
}

}  // namespace
}  // namespace quintaro
