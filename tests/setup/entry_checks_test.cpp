// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/entry_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace quintaro {
namespace {

// The 1-based flag positions set in a selection text.
std::set<int> SetFlags(const std::string& selection) {
    std::set<int> flags;
    for (size_t i = 0; i < selection.size(); ++i)
        if (selection[i] == '1') flags.insert(static_cast<int>(i) + 1);
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
        std::string selection(SelectionTextLength, '0');
        WriteBodyCheck(selection, c.check, true, c.partOfFortune);
        EXPECT_EQ(SetFlags(selection), c.flags) << BodyCheckSpecOf(c.check).control;
        EXPECT_TRUE(BodyCheckState(selection, c.check));
        WriteBodyCheck(selection, c.check, false, c.partOfFortune);
        std::set<int> left;
        if (c.check == BodyCheck::PartOfFortune && c.partOfFortune) left = {4, 57};
        EXPECT_EQ(SetFlags(selection), left) << BodyCheckSpecOf(c.check).control;
    }
}

TEST(BodyChecks, UncheckingLeavesOtherFlagsAlone) {
    std::string selection(SelectionTextLength, '1');
    WriteBodyCheck(selection, BodyCheck::AcMc, false, true);
    EXPECT_EQ(selection.substr(17, 2), "00");
    EXPECT_EQ(selection.substr(70, 2), "00");
    EXPECT_EQ(std::count(selection.begin(), selection.end(), '0'), 4);
}

TEST(BodyChecks, StateAtOpenComesFromTheNatalFlags) {
    std::string selection(SelectionTextLength, '0');
    selection[19 - 1] = '1';      // natal midheaven only
    selection[4 - 1 + 53] = '1';  // transit Moon only
    EXPECT_TRUE(BodyCheckState(selection, BodyCheck::AcMc));
    EXPECT_FALSE(BodyCheckState(selection, BodyCheck::Moon));
    EXPECT_FALSE(BodyCheckState(std::string(), BodyCheck::Moon));
}

TEST(BodyChecks, ASelectionOfTheWrongLengthIsNotWritten) {
    std::string selection(10, '0');
    WriteBodyCheck(selection, BodyCheck::Moon, true, true);
    EXPECT_EQ(selection, std::string(10, '0'));
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
    std::string selection(SelectionTextLength, '0');
    selection[1 - 1] = '1';       // natal Sun
    selection[5 - 1 + 53] = '1';  // transit Mars only
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
    shown.HelioLat[2] = -32768;
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
