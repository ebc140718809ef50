// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/entry_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace quintaro {
namespace {

// The 1-based flag indexes set in a selection.
std::set<int> SetFlags(const SelectionFlags& selection) {
    std::set<int> flags;
    for (int i = 1; i <= SelectionFlagCount; ++i)
        if (selection.flag(i)) flags.insert(i);
    return flags;
}

TEST(BodyChecks, CheckingWritesNatalAndTransitFlags) {
    struct Case {
        BodyCheck check;
        bool partOfFortune;
        std::set<int> flags;
    } cases[] = {
        {BodyCheck::Moon, true, {4, 57}},
        {BodyCheck::Chiron, true, {12, 65}},
        {BodyCheck::NorthNode, true, {13, 66}},
        {BodyCheck::Ceres, true, {14, 67}},
        {BodyCheck::Pallas, true, {15, 68}},
        {BodyCheck::Vesta, true, {16, 69}},
        {BodyCheck::Juno, true, {17, 70}},
        {BodyCheck::AcMc, true, {18, 19, 71, 72}},
        {BodyCheck::PartOfFortune, true, {4, 20, 57, 73}},  // the part of fortune needs the Moon
        {BodyCheck::PartOfFortune, false, {20, 73}},        // the vertex does not
    };
    for (const auto& c : cases) {
        SelectionFlags selection;
        WriteBodyCheck(selection, c.check, true, c.partOfFortune);
        EXPECT_EQ(SetFlags(selection), c.flags) << static_cast<int>(c.check);
        EXPECT_TRUE(BodyCheckState(selection, c.check));
        WriteBodyCheck(selection, c.check, false, c.partOfFortune);
        std::set<int> left;
        if (c.check == BodyCheck::PartOfFortune && c.partOfFortune) left = {4, 57};
        EXPECT_EQ(SetFlags(selection), left) << static_cast<int>(c.check);
    }
}

TEST(BodyChecks, UncheckingLeavesOtherFlagsAlone) {
    SelectionFlags selection = SelectionFlags::All();
    WriteBodyCheck(selection, BodyCheck::AcMc, false, true);
    const std::string text = selection.text();
    EXPECT_EQ(text.substr(17, 2), "00");
    EXPECT_EQ(text.substr(70, 2), "00");
    EXPECT_EQ(std::count(text.begin(), text.end(), '0'), 4);
}

TEST(BodyChecks, StateAtOpenComesFromTheNatalFlags) {
    SelectionFlags selection;
    selection.setNatal(19, true);   // natal midheaven only
    selection.setTransit(4, true);  // transit Moon only
    EXPECT_TRUE(BodyCheckState(selection, BodyCheck::AcMc));
    EXPECT_FALSE(BodyCheckState(selection, BodyCheck::Moon));
    EXPECT_FALSE(BodyCheckState(SelectionFlags(), BodyCheck::Moon));
}

ChartPositions SamplePositions() {
    ChartPositions p;
    for (int k = 1; k <= BodyCount; ++k) {
        p.Natal.GeoLong[k] = 100 + k;
        p.Natal.GeoDecl[k] = 10 + k;
        p.Natal.HelioLong[k] = 200 + k;
        p.Natal.HelioLat[k] = -k;
        p.Transit.GeoLong[k] = 300 + k;
    }
    return p;
}

TEST(DisplayedSet, HelioOrGeoForTheSelectedBodies) {
    ChartPositions p = SamplePositions();
    SelectionFlags selection;
    selection.setNatal(1, true);    // natal Sun
    selection.setTransit(5, true);  // transit Mars only
    WorkingPositions shown;
    shown.WorkLong.fill(-1);
    shown.WorkSecond.fill(-1);
    FillDisplayedSet(p, selection, true, true, shown);
    EXPECT_EQ(shown.WorkLong[1], 201);
    EXPECT_EQ(shown.WorkSecond[1], -1);  // heliocentric latitude of body 1
    EXPECT_EQ(shown.WorkLong[5], 205);
    EXPECT_EQ(shown.WorkLong[2], -1);  // not selected: untouched
    FillDisplayedSet(p, selection, false, false, shown);
    EXPECT_EQ(shown.WorkLong[1], 101);
    EXPECT_EQ(shown.WorkSecond[1], 11);
    EXPECT_EQ(shown.WorkLong[5], 205);  // the natal-only rule skips transit Mars
}

TEST(GridClipboard, PrefixNameAndValue) {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    ChartKinds shown;
    shown.GeoLong[1] = 123.45674;
    shown.GeoDecl[4] = -23.5;
    shown.HelioLong[19] = 7.0;
    shown.HelioLat[2] = 12.5;
    shown.HelioMissing[2] = true;  // a missing position reads 0
    struct Case {
        int row, column;
        const char* text;
    } cases[] = {
        {1, GridGeoLong, "nat_geo_sun 123.4567"},
        {4, GridGeoDecl, "nat_geo_moon -23.5000"},
        {19, GridHelioLong, "nat_hel_mc 7.0000"},
        {2, GridHelioLat, "nat_hel_mercury 0.0000"},
        {0, GridGeoLong, ""},
        {1, 1, ""},
        {1, 6, ""},
        {54, GridGeoLong, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GridClipboardText(catalogue, shown, c.row, c.column), c.text)
            << c.row << "," << c.column;
}

}  // namespace
}  // namespace quintaro
