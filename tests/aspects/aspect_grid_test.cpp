// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/aspect_grid.h"

#include <gtest/gtest.h>

#include "aspects/aspect_catalogue.h"
#include "core/glyph_text.h"

namespace quintaro {
namespace {

using K = CoordinateKind;
using P = Pairing;

TEST(DegSepText, ApplyingAndSeparatingMarks) {
    EXPECT_EQ(DegSepText(-1.234), "s 1.23");
    EXPECT_EQ(DegSepText(0.5), "a 0.50");
    EXPECT_EQ(DegSepText(0), "a 0.00");
    EXPECT_EQ(DegSepText(-2.996), "s 3.00");
}

struct ClassCase {
    int filter;
    K kind;
    int code, body1, body2;
    bool kept;
    const char* why;
};

TEST(AspectClassKeeps, TheNineFilters) {
    const int mars = 5, jupiter = 6, saturn = 7, venus = 3;
    const ClassCase cases[] = {
        {0, K::GeoLongitude, AspectQuintile, mars, venus, false, "all 30: no quintiles"},
        {0, K::HelioLongitude, AspectBiquintile, mars, venus, false, "all 30: no biquintiles"},
        {0, K::GeoLongitude, AspectQuincunx, mars, venus, true, "all 30: quincunx"},
        {4, K::GeoLongitude, AspectQuintile, mars, venus, true, "quintiles only"},
        {4, K::GeoLongitude, AspectTrine, mars, venus, false, "quintiles only"},
        {1, K::GeoLongitude, AspectQuincunx, mars, venus, true, "quincunxes"},
        {1, K::GeoLongitude, AspectSquare, mars, venus, false, "quincunxes"},
        {2, K::GeoLongitude, AspectSextile, mars, venus, true, "linkages"},
        {2, K::GeoLongitude, AspectSquare, mars, venus, false, "linkages"},
        {3, K::GeoLongitude, AspectOpposition, mars, venus, true, "clashes"},
        {3, K::GeoDeclination, AspectParallel, mars, saturn, false, "clashes: no parallels"},
        {3, K::GeoDeclination, AspectContraParallel, mars, saturn, true, "clashes: Saturn"},
        {3, K::GeoDeclination, AspectContraParallel, mars, venus, false, "clashes: not Saturn"},
        {5, K::GeoLongitude, AspectConjunction, mars, venus, false, "no aspect lines"},
        {5, K::GeoDeclination, AspectContraParallel, mars, venus, true, "no lines: decl full"},
        {6, K::GeoLongitude, AspectSextile, mars, venus, false, "pure linkages"},
        {6, K::GeoDeclination, AspectParallel, mars, venus, true, "pure linkages"},
        {6, K::GeoDeclination, AspectContraParallel, mars, venus, false, "pure linkages"},
        {7, K::GeoLongitude, AspectQuincunx, saturn, venus, false, "all linkages: Saturn"},
        {7, K::GeoLongitude, AspectQuincunx, venus, jupiter, true, "all linkages"},
        {7, K::GeoDeclination, AspectContraParallel, venus, jupiter, true, "all linkages"},
        {7, K::GeoDeclination, AspectContraParallel, venus, saturn, false, "all linkages"},
        {8, K::GeoLongitude, AspectSquare, mars, saturn, true, "Saturn clashes"},
        {8, K::GeoLongitude, AspectSquare, mars, jupiter, false, "Saturn clashes"},
        {8, K::GeoLongitude, AspectQuincunx, saturn, jupiter, true, "Saturn clashes"},
        {8, K::HelioLatitude, AspectParallel, saturn, jupiter, false, "Saturn clashes"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AspectClassKeeps(c.filter, c.kind, c.code, c.body1, c.body2), c.kept) << c.why;
}

// Lists with a few entries in the transit–natal and natal–natal geocentric kinds.
struct GridScene {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    AspectLists lists;
    TimedAspectLists timed;
    GridScene() {
        lists.at(P::TransitNatal, K::GeoLongitude).entries = {
            {4, 18, AspectTrine, 0.5},  // transit Moon trine natal ascendant
            {7, 3, AspectSquare, -1.234},
            {18, 1, AspectSextile, 2.0},  // transit ascendant
            {3, 6, AspectQuintile, 1.0},
        };
        lists.at(P::TransitNatal, K::GeoDeclination).entries = {{5, 7, AspectContraParallel, -0.25},
                                                                {3, 2, AspectParallel, 0.75}};
        lists.at(P::NatalNatal, K::GeoLongitude).entries = {{4, 18, AspectSquare, 1.0},
                                                            {18, 19, AspectTrine, -0.1}};
        auto& tn = timed.lists[static_cast<size_t>(ListIndex(P::TransitNatal, K::GeoLongitude))];
        tn.entries = {{4, 18, AspectTrine, 0.5, 2.0, "01/02/2000   01:00"},
                      {7, 3, AspectSquare, -1.234, -3.456, "12/29/1999   11:00"},
                      {18, 1, AspectSextile, 2.0, NotFoundTime, "***"},
                      {3, 6, AspectQuintile, 1.0, 0.25, "01/01/2000   06:00"}};
    }
};

TEST(BuildAspectGrid, CombinedLongitudeWindowInTransitMode) {
    GridScene s;
    GridOptions options;
    options.displayMode = 8;
    GridModel grid =
        BuildAspectGrid(GridWindow::LongAspects, options, s.lists, s.timed, s.catalogue);
    EXPECT_EQ(grid.caption, "Combined Longitudes - geo + helio");
    ASSERT_EQ(grid.sections.size(), 2u);
    EXPECT_EQ(grid.sections[0].title, "Longitudes");
    EXPECT_EQ(grid.sections[1].title, "Helio Longitudes");
    EXPECT_EQ(grid.sections[0].format,
              "^* |^#  |^Tr    |^Asp   |^natal  |^Deg Sep    |^Time Sep    |^Date    ");
    const auto& rows = grid.sections[0].rows;
    ASSERT_EQ(rows.size(), 3u);  // the quintile is hidden by "All 30 Degree Aspects"
    using Cells = std::array<std::string, GridColumnCount>;
    EXPECT_EQ(rows[0].cells, (Cells{"", "1", "moon", "120", "ascen", "a 0.50", "", ""}));
    EXPECT_EQ(rows[1].cells, (Cells{"", "2", "satur", "090", "venus", "s 1.23", "", ""}));
    // A transit ascendant's motion is not followed.
    EXPECT_EQ(rows[2].cells, (Cells{"", "3", "ascen", "060", "sun", "x 2.00", "", ""}));
    EXPECT_TRUE(grid.sections[1].rows.empty());
}

TEST(BuildAspectGrid, ExactMomentNotFoundShowsNoTime) {
    GridScene s;
    auto& tn = s.timed.lists[static_cast<size_t>(ListIndex(P::TransitNatal, K::GeoLongitude))];
    tn.entries[1].timeToExact = NotFoundTime;
    tn.entries[1].exactDate = "***";
    s.timed.current = true;
    GridOptions options;
    options.displayMode = 9;
    options.exactOn = true;
    const GridModel grid =
        BuildAspectGrid(GridWindow::LongAspects, options, s.lists, s.timed, s.catalogue);
    const GridRow& square = grid.sections[0].rows[1];
    EXPECT_EQ(square.cells[ColumnBody1], "satur");
    EXPECT_EQ(square.cells[ColumnTimeSep], "");
    EXPECT_EQ(square.cells[ColumnDate], "***");
}

TEST(BuildAspectGrid, TimedColumnsWhenExactTimesAreCurrent) {
    GridScene s;
    GridOptions options;
    options.displayMode = 9;
    options.exactOn = true;
    s.timed.current = true;
    GridModel grid =
        BuildAspectGrid(GridWindow::LongAspects, options, s.lists, s.timed, s.catalogue);
    const auto& rows = grid.sections[0].rows;
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].cells[ColumnTimeSep], "2.00d");
    EXPECT_EQ(rows[0].cells[ColumnDate], "01/02/2000   01:00");
    EXPECT_EQ(rows[1].cells[ColumnTimeSep], "-3.46d");
    EXPECT_EQ(rows[2].cells[ColumnDegSep], "x 2.00");
    EXPECT_EQ(rows[2].cells[ColumnTimeSep], "nnn");
    EXPECT_EQ(rows[2].cells[ColumnDate], "***");
    // Not current (a new computation without the batch): the plain lists, no time columns.
    s.timed.current = false;
    grid = BuildAspectGrid(GridWindow::LongAspects, options, s.lists, s.timed, s.catalogue);
    EXPECT_EQ(grid.sections[0].rows[0].cells[ColumnTimeSep], "");
    options.progressionMode = true;
    s.timed.current = true;
    grid = BuildAspectGrid(GridWindow::LongAspects, options, s.lists, s.timed, s.catalogue);
    EXPECT_EQ(grid.sections[0].rows[0].cells[ColumnTimeSep], "2.00y");
}

TEST(BuildAspectGrid, NatalModeMarksOnlyPairsOfCalculatedPoints) {
    GridScene s;
    GridOptions options;
    options.displayMode = 1;
    GridModel grid =
        BuildAspectGrid(GridWindow::LongAspects, options, s.lists, s.timed, s.catalogue);
    EXPECT_EQ(grid.sections[0].format,
              "^* |^#  |^natal |^Asp   |^natal  |^Deg Sep    |^Time Sep    |^Date    ");
    const auto& rows = grid.sections[0].rows;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].cells[ColumnDegSep], "a 1.00");  // Moon–ascendant
    EXPECT_EQ(rows[1].cells[ColumnBody2], "mc ");
    EXPECT_EQ(rows[1].cells[ColumnDegSep], "x 0.10");  // ascendant–midheaven
}

TEST(BuildAspectGrid, DeclinationSectionsShowGlyphs) {
    GridScene s;
    GridOptions options;
    options.displayMode = 9;
    GridModel grid =
        BuildAspectGrid(GridWindow::DeclAspects, options, s.lists, s.timed, s.catalogue);
    EXPECT_EQ(grid.caption, "Combined Declination/Latitudes");
    EXPECT_EQ(grid.sections[0].title, "Declinations");
    EXPECT_EQ(grid.sections[1].title, "Helio Latitudes");
    EXPECT_EQ(grid.sections[0].format,
              "* |^#  |^Tr    |^Asp   |^natal  |^Deg Sep    |^Time Sep    |^Date    ");
    const auto& rows = grid.sections[0].rows;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].cells[ColumnAspect], GlyphChar(177));
    EXPECT_EQ(rows[1].cells[ColumnAspect], GlyphChar(166));
    options.aspectClassFilter = ClassSaturnClashes;  // keeps Mars–Saturn contra-parallel only
    grid = BuildAspectGrid(GridWindow::DeclAspects, options, s.lists, s.timed, s.catalogue);
    ASSERT_EQ(grid.sections[0].rows.size(), 1u);
    EXPECT_EQ(grid.sections[0].rows[0].cells[ColumnNumber], "1");
    options.aspectClassFilter = ClassAllThirtyDegree;
    options.applyingOnly = true;
    grid = BuildAspectGrid(GridWindow::DeclAspects, options, s.lists, s.timed, s.catalogue);
    ASSERT_EQ(grid.sections[0].rows.size(), 1u);
    EXPECT_EQ(grid.sections[0].rows[0].body1, 3);
}

TEST(BuildAspectGrid, CrucialWindowsKeepPairsOfCrucialBodies) {
    GridScene s;
    GridOptions options;
    options.displayMode = 8;
    // Transit Saturn and natal Venus are crucial; natal Saturn is not.
    options.crucialSelection = SelectionFlags();
    options.crucialSelection.setNatal(3, true);
    options.crucialSelection.setTransit(7, true);
    GridModel grid =
        BuildAspectGrid(GridWindow::LongAspectsCrucial, options, s.lists, s.timed, s.catalogue);
    EXPECT_EQ(grid.caption, "Crucial Combined Longitudes - geo + helio");
    EXPECT_EQ(grid.sections[0].title, "Crucial Longitudes");
    EXPECT_EQ(grid.sections[1].title, "Crucial Helio Longitudes");
    ASSERT_EQ(grid.sections[0].rows.size(), 1u);
    EXPECT_EQ(grid.sections[0].rows[0].cells[ColumnBody1], "satur");
    // Natal mode reads the natal flags of both bodies: natal Saturn is not crucial.
    options.displayMode = 1;
    s.lists.at(P::NatalNatal, K::GeoLongitude).entries = {{3, 7, AspectTrine, 1}};
    grid = BuildAspectGrid(GridWindow::LongAspectsCrucial, options, s.lists, s.timed, s.catalogue);
    EXPECT_TRUE(grid.sections[0].rows.empty());
}

TEST(BuildAspectGrid, SingleWindowFollowsTheKindAndHelioBox) {
    GridScene s;
    GridOptions options;
    options.displayMode = 2;
    GridModel grid = BuildAspectGrid(GridWindow::Aspects, options, s.lists, s.timed, s.catalogue);
    ASSERT_EQ(grid.sections.size(), 1u);
    EXPECT_EQ(grid.sections[0].title, "Geo Longitudes");
    EXPECT_EQ(grid.sections[0].format,
              "^* |^#  |^Nt |^Asp   |^natal  |^Deg Sep    |^Time Sep    |^Date    ");
    options.declinationKind = true;
    options.helio = true;
    grid = BuildAspectGrid(GridWindow::Aspects, options, s.lists, s.timed, s.catalogue);
    EXPECT_EQ(grid.sections[0].title, "Helio Latitudes");
    EXPECT_EQ(grid.sections[0].kind, K::HelioLatitude);
}

TEST(InterpretationOfRow, KeysFromTheBodiesAndTheAspectCell) {
    GridScene s;
    GridOptions options;
    options.displayMode = 8;
    GridModel longs =
        BuildAspectGrid(GridWindow::LongAspects, options, s.lists, s.timed, s.catalogue);
    auto lookup = InterpretationOfRow(longs.sections[0], longs.sections[0].rows[1], s.catalogue, 2);
    ASSERT_TRUE(lookup);
    EXPECT_EQ(lookup->body1, "sat");
    EXPECT_EQ(lookup->body2, "ven");
    EXPECT_EQ(lookup->aspectKey, "090");
    EXPECT_EQ(lookup->file, "coded_interp62.dat");
    EXPECT_EQ(lookup->companions[0], "coded_interp42.dat");
    EXPECT_EQ(lookup->companions[1], "coded_interp52.dat");
    EXPECT_FALSE(lookup->midheaven);
    GridModel decls =
        BuildAspectGrid(GridWindow::DeclAspects, options, s.lists, s.timed, s.catalogue);
    auto contra = InterpretationOfRow(decls.sections[0], decls.sections[0].rows[0], s.catalogue, 1);
    auto parallel =
        InterpretationOfRow(decls.sections[0], decls.sections[0].rows[1], s.catalogue, 1);
    ASSERT_TRUE(contra && parallel);
    EXPECT_EQ(contra->aspectKey, "-011");
    EXPECT_EQ(parallel->aspectKey, "011");
    EXPECT_EQ(parallel->file, "coded_interp71.dat");
}

}  // namespace
}  // namespace quintaro
