// SPDX-License-Identifier: AGPL-3.0-or-later
// The session's interpretations: stores installed at start, reports of a real chart pair checked
// against the positions, a grid row's interpretation, the windows' content, and no stores at all.
#include "app/interpretations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <set>

#include "angles.h"
#include "app/interpretation_views.h"
#include "aspects/aspect_catalogue.h"
#include "core/atomic_file.h"
#include "core/ephemeris_loader.h"
#include "interps/interpretation_install.h"
#include "interps/report_render.h"
#include "interps/text_import.h"
#include "recording_messages.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::Separation;

const std::filesystem::path PairFile = QUINTARO_SOURCE_DIR "/tests/interps/data/anna_ben.opt";

// The paragraphs of an import text, read straight from data/interps.
std::map<std::string, std::string> Paragraphs(std::string_view store) {
    std::string text;
    ReadWholeFile(
        std::filesystem::path(QUINTARO_SOURCE_DIR "/data/interps") / (std::string(store) + ".txt"),
        text);
    std::map<std::string, std::string> paragraphs;
    ReadImportText(text, [&](const ImportEntry& entry) {
        paragraphs[entry.key] = entry.text;
        return std::string();
    });
    return paragraphs;
}

// Angular distance of two longitudes, 0..180.

struct InterpretationSession : ::testing::Test {
    test::TempFolder home;
    test::RecordingMessages messages;
    Session session{home.path(), messages};

    void SetUp() override {
        if (!std::filesystem::exists(GeneratedEphemerisSource() / "ephem000.dat"))
            GTEST_SKIP() << "no generated ephemeris files";
        session.workstation.clock = [] { return DateTimeParts{2000, 1, 1, 12, 0, 0}; };
    }
    void startWithPair() {
        ASSERT_TRUE(StartSession(session));
        ASSERT_TRUE(LoadChartDataFile(session, PairFile, ChartFileTarget::Everything));
    }
    const ChartKinds& natal() const { return session.workstation.record.Natal; }
    const ChartKinds& transit() const { return session.workstation.record.Transit; }
};

TEST_F(InterpretationSession, StartingInAFreshFolderInstallsTheStoresAndClosingPages) {
    ASSERT_TRUE(StartSession(session));
    for (ReportMode mode : AllReportModes) {
        EXPECT_TRUE(std::filesystem::exists(home.path() / "interps" /
                                            (std::string(StoreName(mode)) + ".dat")))
            << StoreName(mode);
        EXPECT_EQ(InterpretationStore(session, mode).Count(),
                  static_cast<std::int32_t>(RequiredStoreKeys(mode).size()));
    }
    EXPECT_TRUE(std::filesystem::exists(home.path() / "reports/lastpage2.txt"));
    EXPECT_TRUE(std::filesystem::exists(home.path() / "reports/lastpage3.txt"));
    EXPECT_TRUE(messages.shown.empty()) << messages.shown[0].text;
}

// Every aspect row names two bodies whose positions stand within the orb of the named angle, and
// every pair that stands within the orb of a conjunction, sextile, square, trine or opposition
// has its row; each row carries its pair's paragraph from the romance texts.
TEST_F(InterpretationSession, ARealPairsReportHoldsTheAspectsThePositionsShow) {
    startWithPair();
    const Workstation& ws = session.workstation;
    const InterpretationReport report =
        SessionReport(session, ReportMode::RomanceCompatibility, ReportScope::Longitude, false);
    ASSERT_TRUE(report.storeLoaded);
    EXPECT_TRUE(report.missing.empty());
    EXPECT_EQ(report.title, "Romance Compatibility Report for Ben and Anna");
    EXPECT_EQ(report.dates, (std::vector<std::string>{"Ben: 11/02/1978", "Anna: 05/17/1980"}));
    const auto paragraphs = Paragraphs("romance_comp");

    std::size_t rows = 0;
    for (const ReportSection& section : report.sections) {
        const bool helio = section.kind == CoordinateKind::HelioLongitude;
        const auto& natalLong = helio ? natal().HelioLong : natal().GeoLong;
        const auto& transitLong = helio ? transit().HelioLong : transit().GeoLong;
        const double orb = 3.0;  // the entry window's orbs for both longitude kinds
        std::set<std::pair<int, int>> listed;
        for (const ReportRow& row : section.rows) {
            const double separation = Separation(transitLong[row.body1], natalLong[row.body2]);
            EXPECT_LE(std::fabs(separation - AspectAngle(row.code)), orb + 1e-9) << row.heading;
            listed.insert({row.body1, row.body2});
            const auto key = StoreKeyOfAspect(row.aspectKey, ReportMode::RomanceCompatibility);
            ASSERT_TRUE(key) << row.aspectKey;
            EXPECT_EQ(row.text, paragraphs.at(*key)) << row.heading;
            ++rows;
        }
        for (int t = 1; t <= SlotPartOfFortune; ++t) {
            for (int n = 1; n <= SlotPartOfFortune; ++n) {
                if (!ws.flags().transit(t) || !ws.flags().natal(n)) continue;
                if (transit().missing(helio, t) || natal().missing(helio, n)) continue;
                if (helio ? LeftOutOfKind(t, section.kind) || LeftOutOfKind(n, section.kind)
                          : t == SlotEarth || n == SlotEarth)
                    continue;
                const double separation = Separation(transitLong[t], natalLong[n]);
                for (double angle : {0.0, 60.0, 90.0, 120.0, 180.0}) {
                    if (std::fabs(separation - angle) < orb - 1e-6) {
                        EXPECT_TRUE(listed.count({t, n}))
                            << section.title << " " << t << "-" << n << " at " << separation;
                    }
                }
            }
        }
    }
    EXPECT_GT(rows, 40u);  // a real pair of charts meets in many aspects
}

TEST_F(InterpretationSession, IdenticalChartsMeetEveryBodyInAConjunction) {
    ASSERT_TRUE(StartSession(session));
    EntryModel& entry = session.workstation.entry;
    entry.transit = entry.natal;
    entry.transit.name = "Twin";
    ComputeCharts(session);
    const InterpretationReport report =
        SessionReport(session, ReportMode::FinancialCompatibility, ReportScope::Longitude, false);
    const SelectionFlags& flags = session.workstation.flags();
    for (const ReportSection& section : report.sections) {
        const bool helio = section.kind == CoordinateKind::HelioLongitude;
        for (int slot = 1; slot <= SlotPartOfFortune; ++slot) {
            if (!flags.natal(slot) || !flags.transit(slot) || natal().missing(helio, slot) ||
                LeftOutOfKind(slot, section.kind))
                continue;
            const std::string name = ReportBodyName(session.workstation.catalogue, slot);
            const auto row =
                std::find_if(section.rows.begin(), section.rows.end(), [&](const ReportRow& r) {
                    return r.heading == "[" + name + " CONJUNCT YOUR " + name + "]";
                });
            ASSERT_NE(row, section.rows.end()) << section.title << " " << name;
            EXPECT_FALSE(row->text.empty());
        }
    }
}

TEST_F(InterpretationSession, AGridRowOpensItsOwnInterpretation) {
    startWithPair();
    Workstation& ws = session.workstation;
    GridOptions options;
    options.displayMode = 8;
    GridModel grid = BuildAspectGrid(GridWindow::LongAspects, options, session.lists, session.timed,
                                     ws.catalogue);
    ASSERT_FALSE(grid.sections[0].rows.empty());
    const GridSection& section = grid.sections[0];
    const GridRow& row = section.rows.front();
    session.interps.gridSet = ReportMode::FinancialTransits;
    const auto shown = GridRowInterpretation(session, section, row);
    ASSERT_TRUE(shown);
    const std::string aspectKey =
        AspectKey(BodyKeyOfName(ws.catalogue.BodyNames[row.body1]),
                  BodyKeyOfName(ws.catalogue.BodyNames[row.body2]), row.cells[ColumnAspect]);
    EXPECT_EQ(shown->aspectKey, aspectKey);
    EXPECT_EQ(shown->text, Paragraphs("financial_trans")
                               .at(*StoreKeyOfAspect(aspectKey, ReportMode::FinancialTransits)));

    // Natal grid rows read the natal form chosen.
    options.displayMode = 2;
    grid = BuildAspectGrid(GridWindow::DeclAspects, options, session.lists, session.timed,
                           ws.catalogue);
    ASSERT_FALSE(grid.sections[0].rows.empty());
    session.interps.natalSet = ReportMode::NatalMoney;
    const auto natalRow =
        GridRowInterpretation(session, grid.sections[0], grid.sections[0].rows[0]);
    ASSERT_TRUE(natalRow);
    EXPECT_EQ(natalRow->heading.find(" YOUR "), std::string::npos);
    EXPECT_EQ(natalRow->text,
              Paragraphs("natal_money")
                  .at(*StoreKeyOfAspect(natalRow->aspectKey, ReportMode::NatalMoney)));
    EXPECT_TRUE(messages.shown.empty());

    GridRow title;  // not an aspect row
    EXPECT_FALSE(GridRowInterpretation(session, grid.sections[0], title));
}

TEST_F(InterpretationSession, RevisedTextsReplaceThePreparedOnesWhenAsked) {
    startWithPair();
    InterpretationReport report =
        SessionReport(session, ReportMode::RomanceTransits, ReportScope::Longitude, false);
    ASSERT_FALSE(report.sections[1].rows.empty());
    const ReportRow row = report.sections[1].rows[0];
    const auto path =
        RevisionPath(home.path(), ReportMode::RomanceTransits, RevisionKey(row.aspectKey, false));
    ASSERT_TRUE(path);
    ASSERT_EQ(SaveRevision(*path, {"A revised paragraph.", "Jo Bloggs"}, messages),
              RevisionSave::Saved);
    EXPECT_EQ(SessionReport(session, ReportMode::RomanceTransits, ReportScope::Longitude, false)
                  .sections[1]
                  .rows[0]
                  .text,
              row.text);
    report = SessionReport(session, ReportMode::RomanceTransits, ReportScope::Longitude, true);
    EXPECT_EQ(report.sections[1].rows[0].text, "A revised paragraph.");
    EXPECT_NE(
        RenderPlainText(LayoutReport(report))
            .find(row.heading + "\nA revised paragraph.\n(revised text written by Jo Bloggs)\n"),
        std::string::npos);
    // Another report kind has its own revisions.
    EXPECT_FALSE(SessionReport(session, ReportMode::FinancialTransits, ReportScope::Longitude, true)
                     .sections[1]
                     .rows[0]
                     .revised);
}

// The window tests check the captions and the longitude file; here the declination view in the
// heliocentric frame, and a save that cannot be written.
TEST_F(InterpretationSession, TheDeclinationViewWritesItsFileAndNamesTheHelioSave) {
    startWithPair();
    session.workstation.entry.options.helio = true;
    ViewRequest request;
    request.view = InterpretationView::DeclinationLatitude;
    request.mode = ReportMode::FinancialCompatibility;
    const ViewContent content = ShowInterpretationView(session, request);
    EXPECT_EQ(content.caption, "Declination/Latitude Interpretations - Financial Compatibility");
    EXPECT_TRUE(content.complete);
    std::string written;
    ASSERT_TRUE(ReadWholeFile(home.path() / "reports/temp_decl.rtf", written));
    EXPECT_EQ(written, RenderRtf(content.document));
    EXPECT_EQ(content.save.title, "Save declination/latitude report");
    EXPECT_EQ(content.save.proposedName, "Helio Latitude Financial Compatibility.txt");
    EXPECT_EQ(content.save.folder, home.path() / "reports");

    EXPECT_FALSE(SaveInterpretationView(session, content, home.path() / "no/folder/x.txt"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("could not be saved"), std::string::npos);
}

struct ScopedEnvironment {
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() { ::unsetenv(name_); }
    const char* name_;
};

TEST_F(InterpretationSession, WithoutStoresTheUserIsToldAndNothingBreaks) {
    test::TempFolder emptySource;
    {
        ScopedEnvironment noTexts("QUINTARO_INTERP_SOURCE", emptySource.path().string());
        startWithPair();
    }
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_NE(messages.shown[0].text.find("are missing"), std::string::npos);
    messages.shown.clear();

    const InterpretationReport report =
        SessionReport(session, ReportMode::RomanceCompatibility, ReportScope::Longitude, false);
    EXPECT_FALSE(report.storeLoaded);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Please load interpretation files 8/9 before click here.");

    GridOptions options;
    options.displayMode = 8;
    const GridModel grid = BuildAspectGrid(GridWindow::LongAspects, options, session.lists,
                                           session.timed, session.workstation.catalogue);
    ASSERT_FALSE(grid.sections[1].rows.empty());
    messages.shown.clear();
    const auto row = GridRowInterpretation(session, grid.sections[1], grid.sections[1].rows[0]);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->text, "");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Please load interpretation files 8/9 before click here.");

    const ViewContent view = ShowInterpretationView(session, {});
    EXPECT_FALSE(view.complete);

    // The user points at a folder that has the stores.
    test::TempFolder other;
    ASSERT_EQ(InstallInterpretationStores(other.path(), messages), 7);
    SelectInterpretationFolder(session, other.path() / "interps");
    EXPECT_TRUE(ShowInterpretationView(session, {}).complete);
}

}  // namespace
}  // namespace quintaro
