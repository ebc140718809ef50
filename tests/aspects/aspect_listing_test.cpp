// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/aspect_listing.h"

#include <gtest/gtest.h>

#include <sstream>

#include "aspects/aspect_catalogue.h"
#include "core/glyph_text.h"

namespace quintaro {
namespace {

using K = CoordinateKind;

ListingInputs Inputs(int mode) {
    ListingInputs in;
    in.noticeLine = "Printed by Quintaro";
    in.displayMode = mode;
    in.natal.name = "Ada";
    in.natal.data.year = 2000;
    in.natal.data.month = 3;
    in.natal.data.day = 15;
    in.natal.data.time = {{7, 30}, Meridiem::PM};
    in.natal.data.zone = 5;
    in.natal.data.longitude = {{87, 38}, EastWest::West};
    in.natal.data.latitude = {{41, 53}, NorthSouth::North};
    in.transit.name = "Transits";
    in.transit.data.year = 2024;
    in.transit.data.month = 11;
    in.transit.data.day = 2;
    in.transit.data.time = {{12, 5}, Meridiem::AM};
    in.transit.data.zone = -5.5;
    in.transit.data.longitude = {{77, 12}, EastWest::East};
    in.transit.data.latitude = {{8, 40}, NorthSouth::South};
    return in;
}

GridSection Section(const char* title, K kind, size_t rows) {
    GridSection section;
    section.title = title;
    section.kind = kind;
    for (size_t i = 0; i < rows; ++i) {
        GridRow row;
        row.cells = {"", std::to_string(i + 1), "venus", "120", "mars", "a 1.00", "", ""};
        section.rows.push_back(row);
    }
    return section;
}

GridModel Grid(std::vector<GridSection> sections, bool timed = false) {
    GridModel grid;
    grid.sections = std::move(sections);
    grid.timedInUse = timed;
    return grid;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(AspectListing, HeaderBlockOfATransitReport) {
    ListingPage page = BuildNatalAspectsListing(Inputs(8), Grid({}), Grid({}));
    const std::vector<std::string> expected = {
        "Printed by Quintaro",
        "Geocentric Aspects",
        "natal = Ada",
        "15 Mar 2000     7.30 P.M. (5)",
        "87.38 West     41.53 North",
        "transit = Transits",
        "02 Nov 2024     12.05 A.M. (-5.5)",
        "77.12 East     8.40 South",
    };
    EXPECT_EQ(page.header, expected);
    ListingInputs helio = Inputs(1);
    helio.helio = true;
    page = BuildNatalAspectsListing(helio, Grid({}), Grid({}));
    ASSERT_EQ(page.header.size(), 5u);  // no transit chart in a natal mode
    EXPECT_EQ(page.header[1], "Heliocentric Aspects");
}

TEST(AspectListing, ColumnTitlesFollowModeAndExactTimes) {
    ListingTable natal = ListingTableOf(Grid({}), 2);
    EXPECT_EQ(natal.columnTitles[ColumnBody1], "Nt");
    EXPECT_EQ(natal.columnTitles[ColumnNumber], " # ");
    EXPECT_EQ(natal.columnTitles[ColumnTimeSep], "     ");
    EXPECT_EQ(natal.columnTitles[ColumnDate], "          ");
    ListingTable transit = ListingTableOf(Grid({}, true), 9);
    EXPECT_EQ(transit.columnTitles[ColumnBody1], "Tr");
    EXPECT_EQ(transit.columnTitles[ColumnBody2], "Nt");
    EXPECT_EQ(transit.columnTitles[ColumnDegSep], "Orb");
    EXPECT_EQ(transit.columnTitles[ColumnTimeSep], "Exact");
    EXPECT_EQ(transit.columnTitles[ColumnDate], "Exact Time");
}

TEST(AspectListing, TwoTablesSideBySideAsLongAsTheLongerOne) {
    GridModel longs = Grid({Section("Longitudes", K::GeoLongitude, 3),
                            Section("Helio Longitudes", K::HelioLongitude, 0)});
    GridSection decl = Section("Declinations", K::GeoDeclination, 1);
    decl.rows[0].cells[ColumnAspect] = GlyphChar(AspectGlyphCode(AspectContraParallel));
    GridModel decls = Grid({decl});
    ListingPage page = BuildNatalAspectsListing(Inputs(1), longs, decls);
    EXPECT_EQ(page.lineCount, 4u);  // a title line and three rows on the left
    std::vector<std::string> lines = Lines(RenderListingText(page));
    // Header (5), a blank line, the column titles, then four table lines.
    ASSERT_EQ(lines.size(), 5u + 1 + 1 + 4);
    const std::string& titles = lines[6];
    EXPECT_EQ(titles.find(" # "), 2u);
    EXPECT_NE(titles.find("Orb"), std::string::npos);
    EXPECT_NE(titles.rfind("Orb"), titles.find("Orb"));  // both tables are headed
    EXPECT_EQ(lines[7].find("Longitudes"), 0u);
    EXPECT_NE(lines[7].find("Declinations"), std::string::npos);
    EXPECT_NE(lines[8].find("c.p"), std::string::npos);  // the glyph in words
    EXPECT_EQ(lines[8].find("venus"), lines[9].find("venus"));
    EXPECT_EQ(lines[9].find("mars"), lines[10].find("mars"));
    // The right-hand half of the later lines is empty.
    EXPECT_EQ(lines[10].find("venus"), lines[10].rfind("venus"));
}

TEST(AspectListing, EmptyGridsPrintOnlyHeaderAndHeading) {
    ListingPage page =
        BuildSinglePlanetListing(Inputs(8), Grid({Section("Geo Longitudes", K::GeoLongitude, 0)}));
    EXPECT_EQ(page.header.size(), 2u);
    EXPECT_EQ(page.lineCount, 0u);
    std::vector<std::string> lines = Lines(RenderListingText(page));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3].find("Tr"), lines[3].find(" # ") + 4);
}

}  // namespace
}  // namespace quintaro
