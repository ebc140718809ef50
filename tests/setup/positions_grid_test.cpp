// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/positions_grid.h"

#include <gtest/gtest.h>

#include "core/glyph_text.h"

namespace quintaro {
namespace {

TEST(PositionsGrid, LongitudeTexts) {
    struct Case {
        std::optional<double> longitude;
        bool degrees;
        const char* plain;
    } cases[] = {
        {0.0, false, "00ARI00"},     {45.5, false, "15TAU30"},  {359.999, false, "00ARI00"},
        {29.9999, false, "00TAU00"}, {29.99, false, "29ARI59"}, {std::nullopt, false, ""},
        {123.456, true, "03.46LEO"}, {300.0, true, "00.00AQU"}, {std::nullopt, true, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GlyphsAsPlainText(GridLongitudeText(c.longitude, c.degrees)), c.plain)
            << c.longitude.value_or(-1);
    // The sign is the glyph character 128 + sign number.
    EXPECT_EQ(GridLongitudeText(45.5, false), "15" + GlyphChar(130) + "30");
}

TEST(PositionsGrid, RowsFollowTheFlags) {
    ChartPositions record;
    record.Natal.GeoLong[1] = 280.25;
    record.Natal.GeoDecl[1] = -23.1;
    record.Natal.HelioLong[2] = 10.0;
    record.Natal.HelioLat[2] = 1.234;
    record.Natal.HelioLong[3] = 20.0;
    record.Natal.HelioLat[3] = -0.5;
    record.Transit.GeoLong[1] = 100.0;
    BodyCatalogue catalogue = MakeBodyCatalogue();
    SelectionFlags flags;
    flags.setNatal(1, true);    // natal Sun
    flags.setNatal(3, true);    // natal Venus
    flags.setNatal(13, true);   // natal node
    flags.setTransit(1, true);  // transit Sun only: not a natal flag

    PositionsGrid grid = BuildPositionsGrid(record, catalogue, flags, {});
    ASSERT_EQ(grid.rows.size(), 54u);
    std::vector<std::string> header = {"#", "Pl", "G Long", "G Decl", "H Long", "H Lat"};
    EXPECT_EQ(grid.rows[0], header);
    EXPECT_EQ(grid.rows[1][0], "01");
    EXPECT_EQ(grid.rows[1][1], "SUN");
    EXPECT_EQ(GlyphsAsPlainText(grid.rows[1][2]), "10CPR15");
    EXPECT_EQ(grid.rows[1][3], "-23.10");
    EXPECT_EQ(grid.rows[1][4], "");  // the Sun has no heliocentric position
    EXPECT_EQ(grid.rows[1][5], "");
    EXPECT_EQ(GlyphsAsPlainText(grid.rows[3][4]), "20ARI00");
    EXPECT_EQ(grid.rows[3][5], "-0.50");
    // An unselected body: no name and no values, whatever the record still holds.
    EXPECT_EQ(grid.rows[2], (std::vector<std::string>{"02", "", "", "", "", ""}));
    EXPECT_EQ(grid.rows[13][1], "N.N");
    EXPECT_EQ(grid.rows[53][0], "53");
    // The points of the entry window's check boxes are named while they are off.
    EXPECT_EQ(grid.rows[18], (std::vector<std::string>{"18", "ASC", "", "", "", ""}));
    EXPECT_EQ(grid.rows[19][1], "MC");
    EXPECT_EQ(grid.rows[20][1], "PF");
    TogglePartOfFortuneVertex(catalogue);
    EXPECT_EQ(BuildPositionsGrid(record, catalogue, flags, {}).rows[20][1], "VTX");

    // A position that could not be computed shows blank, never as what the slot holds.
    record.Natal.GeoLong[3] = 123.0;
    record.Natal.GeoDecl[3] = 5.0;
    record.Natal.GeoMissing[3] = true;
    record.Natal.HelioLong[3] = 7.0;
    PositionsGrid missing = BuildPositionsGrid(record, catalogue, flags, {});
    EXPECT_EQ(missing.rows[3][2], "");
    EXPECT_EQ(missing.rows[3][3], "");
    EXPECT_EQ(GlyphsAsPlainText(missing.rows[3][4]), "07ARI00");  // heliocentric still known
    EXPECT_EQ(missing.rows[3][5], "-0.50");
    record.Natal.HelioMissing[3] = true;
    missing = BuildPositionsGrid(record, catalogue, flags, {true, false});
    EXPECT_EQ(missing.rows[3][4], "");
    EXPECT_EQ(missing.rows[3][5], "");

    PositionsGrid bisect = BuildPositionsGrid(record, catalogue, flags, {false, true});
    EXPECT_EQ(GlyphsAsPlainText(bisect.rows[1][2]), "10CAN00");
    EXPECT_EQ(bisect.rows[1][3], "-23.10");  // declinations stay natal
}

TEST(PositionsGrid, FramesWithoutAPosition) {
    for (int slot : {1, 4, 13, 18, 19, 20}) EXPECT_FALSE(SlotHasFramePosition(slot, true)) << slot;
    EXPECT_FALSE(SlotHasFramePosition(11, false));  // the Earth
    for (int slot : {2, 3, 5, 10, 12, 14, 17, 21, 53}) {
        EXPECT_TRUE(SlotHasFramePosition(slot, true)) << slot;
        EXPECT_TRUE(SlotHasFramePosition(slot, false)) << slot;
    }
}

}  // namespace
}  // namespace quintaro
