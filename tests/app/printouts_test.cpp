// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/printouts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/position_printouts.h"
#include "core/atomic_file.h"
#include "core/ephemeris_loader.h"
#include "printed_lines.h"
#include "temp_folder.h"
#include "wheels/glyph_codes.h"
#include "wheels/print_pdf.h"
#include "wheels/recording_surface.h"

namespace quintaro {
namespace {

const std::string kJ2000 = std::string(QUINTARO_SOURCE_DIR) + "/tests/cli/data/j2000.opt";

// A session of the J2000 chart (natal 1 Jan 2000 noon at Greenwich, transits a day later).
struct PrintedSession : ::testing::Test {
    test::TempFolder home;
    SilentMessages messages;
    Session session{home.path(), messages};

    void SetUp() override {
        if (!std::filesystem::exists(GeneratedEphemerisSource() / "ephem000.dat"))
            GTEST_SKIP() << "no generated ephemeris files";
        session.workstation.clock = [] { return DateTimeParts{2000, 1, 1, 12, 0, 0}; };
        ASSERT_TRUE(StartSession(session));
        ASSERT_TRUE(LoadChartDataFile(session, kJ2000, ChartFileTarget::Everything));
    }
    Workstation& ws() { return session.workstation; }
    void Recompute(bool exact) {
        ws().entry.options.exact = exact;
        ASSERT_TRUE(ComputeCharts(session));
    }
};

// The texts the layout puts on the line of the column titles of the first page.
std::vector<std::string> PlacedTitles(const PrintDocument& document) {
    RecordingSurface measure;
    const PrintLayout layout = LayOutPrint(document, {}, measure);
    std::vector<std::string> titles;
    const PrintedPage& page = layout.pages.front();
    const double y = page.rules.front().from.y - layout.textSize * PrintLineSpacing;
    for (const PlacedText& text : page.texts)
        if (text.topLeft.y == y) titles.push_back(text.text);
    return titles;
}

TEST_F(PrintedSession, AspectHeaderAndTitlesFollowModeHelioAndExactTimes) {
    struct Case {
        int mode;
        bool helio, exact;
        std::size_t headerLines;
        const char* title;
        std::vector<std::string> placedTitles;
    };
    const Case cases[] = {
        {1, false, false, 5, "Geocentric Aspects", {" # ", "Nt", "Asp", "Nt", "Orb"}},
        {8, true, false, 8, "Heliocentric Aspects", {" # ", "Tr", "Asp", "Nt", "Orb"}},
        {8,
         false,
         true,
         8,
         "Geocentric Aspects",
         {" # ", "Tr", "Asp", "Nt", "Orb", "Exact", "Exact Time"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title + std::to_string(c.mode));
        session.display.gridMode = c.mode;
        ws().entry.options.helio = c.helio;
        Recompute(c.exact);
        const PrintDocument document = BuildPrintout(session, Printout::NatalAspects);
        ASSERT_EQ(document.header.size(), c.headerLines);
        EXPECT_EQ(document.header[0].text, ws().printout.line1);
        EXPECT_EQ(document.header[1].text, c.title);
        EXPECT_TRUE(document.header[1].bold);
        EXPECT_EQ(document.header[2].text, "natal = J2000");
        if (c.headerLines == 8) {
            EXPECT_EQ(document.header[5].text, "transit = Transits");
        }
        ASSERT_EQ(document.tables.size(), 2u);
        std::vector<std::string> both = c.placedTitles;
        both.insert(both.end(), c.placedTitles.begin(), c.placedTitles.end());
        EXPECT_EQ(PlacedTitles(document), both);
        const PrintTable& left = document.tables[0];
        EXPECT_EQ(left.titles[ColumnTimeSep], c.exact ? "Exact" : "     ");
        EXPECT_EQ(left.titles[ColumnDate], c.exact ? "Exact Time" : "          ");

        const PrintDocument single = BuildPrintout(session, Printout::SinglePlanetAspects);
        ASSERT_EQ(single.header.size(), 2u);
        EXPECT_EQ(single.header[1].text, c.title);
        ASSERT_EQ(single.tables.size(), 1u);
        EXPECT_EQ(PlacedTitles(single), c.placedTitles);
    }
}

// The cusp index of a house: the first house begins at cusp 4, the tenth at cusp 1.
int CuspIndex(int house) {
    return (house + 2) % 12 + 1;
}

TEST_F(PrintedSession, PositionsPrintoutListsTheSelectedBodiesInFourKinds) {
    for (ChartSide side : {ChartSide::Natal, ChartSide::Transit}) {
        const bool natal = side == ChartSide::Natal;
        const PrintDocument document =
            BuildPrintout(session, natal ? Printout::NatalPositions : Printout::TransitPositions);
        EXPECT_EQ(document.header[1].text, natal ? "Natal Positions" : "Transit Positions");
        EXPECT_EQ(document.header[2].text, natal ? "natal = J2000" : "transit = Transits");
        const ChartKinds& kinds = natal ? ws().record.Natal : ws().record.Transit;
        const ChartHouses& houses = natal ? ws().natal.houses : ws().transit.houses;
        std::vector<int> selected;
        for (int slot = 1; slot <= BodyCount; ++slot)
            if (ws().flags().of(side, slot)) selected.push_back(slot);
        const PrintTable& bodies = document.tables[0];
        ASSERT_EQ(bodies.rows.size(), selected.size());
        for (std::size_t i = 0; i < selected.size(); ++i) {
            const int slot = selected[i];
            const auto& cells = bodies.rows[i].cells;
            ASSERT_EQ(cells.size(), bodies.titles.size());
            EXPECT_EQ(cells[0].text, std::to_string(slot));
            const bool geo = HasFramePosition(slot, false), helio = HasFramePosition(slot, true);
            EXPECT_EQ(cells[3].text, geo ? GridLongitudeText(kinds.GeoLong[slot], false) : "");
            if (geo) {
                EXPECT_EQ(cells[3].font, CellFont::Mixed);
            }
            EXPECT_EQ(cells[4].text, kinds.GeoRetro.at(slot) == 'R' ? "R" : "");
            EXPECT_EQ(cells[5].text, geo ? NorthSouthText(kinds.GeoDecl[slot]) : "");
            // The house is the one whose cusps enclose the geocentric longitude.
            if (!geo) {
                EXPECT_EQ(cells[7].text, "");
            } else {
                const int house = std::stoi(cells[7].text);
                ASSERT_TRUE(house >= 1 && house <= 12) << cells[7].text;
                const double from = houses.HouseCusps[CuspIndex(house)];
                const double to = houses.HouseCusps[CuspIndex(house % 12 + 1)];
                EXPECT_LT(std::fmod(kinds.GeoLong[slot] - from + 360, 360),
                          std::fmod(to - from + 360, 360))
                    << "slot " << slot << " in house " << house;
            }
            EXPECT_EQ(cells[8].text, helio ? GridLongitudeText(kinds.HelioLong[slot], false) : "");
            EXPECT_EQ(cells[9].text, helio ? NorthSouthText(kinds.HelioLat[slot]) : "");
        }
        const PrintTable& angles = document.tables[1];
        ASSERT_EQ(angles.rows.size(), 4u + 1 + 12);
        EXPECT_EQ(angles.rows[0].cells[1].text, GridLongitudeText(houses.Ascendant, false));
        EXPECT_EQ(angles.rows[1].cells[1].text, GridLongitudeText(houses.Midheaven, false));
        const double fortune = std::fmod(
            houses.Ascendant + kinds.GeoLong[SlotMoon] - kinds.GeoLong[SlotSun] + 720, 360);
        EXPECT_EQ(angles.rows[3].cells[1].text, GridLongitudeText(fortune, false));
        EXPECT_EQ(angles.rows[4].title, "House cusps");
        EXPECT_EQ(angles.rows[5].cells[0].text, "1st");
        // The first house begins at the ascendant and the tenth at the midheaven.
        EXPECT_EQ(angles.rows[5].cells[1].text, angles.rows[0].cells[1].text);
        EXPECT_EQ(angles.rows[14].cells[0].text, "10th");
        EXPECT_EQ(angles.rows[14].cells[1].text, angles.rows[1].cells[1].text);
    }
}

TEST(PositionPrintouts, DeclinationsInDegreesAndMinutesNorthOrSouth) {
    const std::pair<double, const char*> cases[] = {
        {23.44, "23N26"}, {-0.01, "00S01"}, {-5.9999, "06S00"}, {0, "00N00"}, {1.5, "01N30"}};
    for (const auto& [degrees, text] : cases) EXPECT_EQ(NorthSouthText(degrees), text) << degrees;
    EXPECT_FALSE(HasFramePosition(SlotEarth, false));
    EXPECT_TRUE(HasFramePosition(SlotEarth, true));
    for (int slot : {SlotSun, SlotMoon, SlotNode, SlotAscendant, SlotMidheaven, SlotPartOfFortune})
        EXPECT_FALSE(HasFramePosition(slot, true)) << slot;
    EXPECT_TRUE(HasFramePosition(SlotMars, true));
}

TEST_F(PrintedSession, MidpointsInZodiacalOrderWithoutBodiesThatHaveNoPosition) {
    const PrintDocument document = BuildPrintout(session, Printout::Midpoints);
    ASSERT_EQ(document.tables.size(), 2u);
    for (std::size_t t = 0; t < 2; ++t) {
        const ChartState& chart = t == 0 ? ws().natal : ws().transit;
        const PrintTable& table = document.tables[t];
        EXPECT_EQ(table.rows[0].title, t == 0 ? "Natal midpoints" : "Transit midpoints");
        std::size_t expected = 0;
        for (const Midpoint& m : chart.midpoints)
            if (m.first != SlotEarth && m.second != SlotEarth) ++expected;
        ASSERT_EQ(table.rows.size(), expected + 1);
        double previous = -1;
        for (std::size_t i = 1; i < table.rows.size(); ++i) {
            const auto& cells = table.rows[i].cells;
            EXPECT_EQ(cells[0].text, std::to_string(i));
            auto name = [&](int slot) {
                std::string text = ws().catalogue.BodyNames[slot];
                return text.substr(0, text.find_last_not_of(' ') + 1);
            };
            auto found = std::find_if(
                chart.midpoints.begin(), chart.midpoints.end(), [&](const Midpoint& m) {
                    return name(m.first) + "/" + name(m.second) == cells[1].text;
                });
            ASSERT_NE(found, chart.midpoints.end()) << cells[1].text;
            EXPECT_EQ(cells[2].text, GridLongitudeText(found->longitude, false));
            EXPECT_GE(found->longitude, previous);
            previous = found->longitude;
        }
    }
}

// The PDF, read back by poppler's pdftotext, shows the header, the column titles and every line
// of the tables in order, on as many pages as the layout made.
TEST_F(PrintedSession, PdfTextHoldsHeaderTitlesAndEveryLine) {
    session.display.gridMode = 8;
    Recompute(true);
    const CairoGlyphFont glyphs(ws().path("\\Orvessa.ttf"));
    ASSERT_NE(glyphs.face(), nullptr);
    for (Printout printout :
         {Printout::NatalAspects, Printout::SinglePlanetAspects, Printout::NatalPositions,
          Printout::TransitPositions, Printout::Midpoints}) {
        SCOPED_TRACE(std::string(PrintoutKey(printout)));
        const PrintDocument document = BuildPrintout(session, printout);
        std::string bytes;
        ASSERT_EQ(RenderPrintPdf(document, glyphs, bytes), "");
        const auto pdf = home.path() / "printout.pdf";
        ASSERT_EQ(WriteFileAtomically(pdf, bytes), "");
        const std::vector<std::string> found = test::SqueezedLines(test::PdfText(pdf));
        const std::vector<std::string> expected = test::ExpectedPrintedLines(document);
        ASSERT_GT(expected.size(), 10u);
        std::string missing;
        EXPECT_TRUE(test::LinesInOrder(found, expected, missing)) << "missing: " << missing;
        for (const std::string& note : document.notes)
            EXPECT_NE(std::find(found.begin(), found.end(), test::Squeezed(note)), found.end());
        EXPECT_GE(test::PdfPageCount(pdf), 1);
    }
}

}  // namespace
}  // namespace quintaro
