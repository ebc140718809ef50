// SPDX-License-Identifier: AGPL-3.0-or-later
// The key scheme against what the aspect finders and the grid's row click hand over.
#include "interps/interpretation_keys.h"

#include <gtest/gtest.h>

#include <set>

#include "aspects/aspect_catalogue.h"
#include "aspects/aspect_grid.h"
#include "aspects/aspect_kinds.h"
#include "core/bodies.h"
#include "core/glyph_text.h"

namespace quintaro {
namespace {

constexpr std::array<CoordinateKind, 4> Kinds = {
    CoordinateKind::GeoLongitude, CoordinateKind::GeoDeclination, CoordinateKind::HelioLongitude,
    CoordinateKind::HelioLatitude};

// The codes a kind's classifier can report.
std::vector<int> CodesOfKind(CoordinateKind kind) {
    if (!IsLongitudeKind(kind)) return {AspectParallel, AspectContraParallel};
    std::vector<int> codes;
    for (int code = 2; code <= 16; ++code) {
        if (IsLongitudeAspectCode(code) && !AspectInterpretationKeyOfCode(code).empty()) {
            codes.push_back(code);
        }
    }
    return codes;
}

// What a click on a grid row of two bodies and a code looks up.
InterpretationLookup ClickedRow(const BodyCatalogue& catalogue, int body1, int body2, int code,
                                CoordinateKind kind) {
    GridSection section;
    section.kind = kind;
    GridRow row;
    row.body1 = body1;
    row.body2 = body2;
    row.code = code;
    row.cells[ColumnAspect] =
        IsLongitudeKind(kind) ? AspectAngleText(code) : GlyphChar(AspectGlyphCode(code));
    auto lookup = InterpretationOfRow(section, row, catalogue, 1);
    EXPECT_TRUE(lookup.has_value());
    return lookup.value_or(InterpretationLookup{});
}

TEST(InterpretationKeys, EveryInterpretationKeyOfTheCatalogueHasAFamily) {
    for (std::size_t i = 1; i < AspectInterpretationKeys.size(); ++i) {
        EXPECT_TRUE(FamilyOfAspectKey(AspectInterpretationKeys[i]).has_value())
            << AspectInterpretationKeys[i];
    }
    EXPECT_FALSE(FamilyOfAspectKey("par").has_value());
    EXPECT_FALSE(FamilyOfAspectKey("").has_value());
}

TEST(InterpretationKeys, EveryCatalogueBodyHasAKeyForItsSlot) {
    for (bool vertex : {false, true}) {
        BodyCatalogue catalogue = MakeBodyCatalogue();
        if (vertex) TogglePartOfFortuneVertex(catalogue);
        for (int slot = 1; slot < FirstFreeSlot; ++slot) {
            const std::string key = BodyKeyOfName(catalogue.BodyNames[slot]);
            const auto index = BodyIndexOfKey(key);
            ASSERT_TRUE(index.has_value()) << catalogue.BodyNames[slot];
            EXPECT_EQ(InterpretationBodies[*index].slot, slot) << key;
            EXPECT_EQ(InterpretationBodies[*index].heliocentric,
                      !LeftOutOfKind(slot, CoordinateKind::HelioLongitude))
                << key;
            EXPECT_EQ(InterpretationBodies[*index].geocentric,
                      !LeftOutOfKind(slot, CoordinateKind::GeoLongitude))
                << key;
        }
    }
}

TEST(InterpretationKeys, AGridRowClickBuildsTheAspectKeyOfItsParagraph) {
    const BodyCatalogue catalogue = MakeBodyCatalogue();
    auto row =
        ClickedRow(catalogue, SlotMidheaven, SlotVenus, AspectTrine, CoordinateKind::GeoLongitude);
    EXPECT_EQ(AspectKey(row.body1, row.body2, row.aspectKey), "mc_ven_120");
    EXPECT_EQ(StoreKeyOfAspect("mc_ven_120", ReportMode::NatalFull), "ven_mc_flowing");
    EXPECT_EQ(StoreKeyOfAspect("mc_ven_120", ReportMode::RomanceTransits), "mc_ven_flowing");
    row = ClickedRow(catalogue, SlotMars, SlotSaturn, AspectContraParallel,
                     CoordinateKind::GeoDeclination);
    EXPECT_EQ(AspectKey(row.body1, row.body2, row.aspectKey), "mar_sat_-011");
    EXPECT_EQ(StoreKeyOfAspect("Mar_Sat_-011", ReportMode::FinancialCompatibility),
              "mar_sat_parallel");
    EXPECT_FALSE(StoreKeyOfAspect("mar_sat", ReportMode::NatalFull));
    EXPECT_FALSE(StoreKeyOfAspect("mar_plo_000", ReportMode::NatalFull));
    EXPECT_FALSE(StoreKeyOfAspect("mar_sat_001", ReportMode::NatalFull));
}

// Every aspect the finders can report, in every pairing a report reads, has its store key among
// the keys of the mode's store.
TEST(InterpretationKeys, EveryReportableAspectHasAKeyInItsStore) {
    for (ReportMode mode : AllReportModes) {
        const auto required = RequiredStoreKeys(mode);
        const std::set<std::string> keys(required.begin(), required.end());
        EXPECT_EQ(keys.size(), required.size()) << StoreName(mode) << ": a key twice";
        std::set<std::string> used;
        for (bool vertex : {false, true}) {
            BodyCatalogue catalogue = MakeBodyCatalogue();
            if (vertex) TogglePartOfFortuneVertex(catalogue);
            for (int body1 = 1; body1 < FirstFreeSlot; ++body1) {
                // Natal lists pair each body with the later ones; two charts pair all.
                const int first2 = IsNatalMode(mode) ? body1 + 1 : 1;
                for (int body2 = first2; body2 < FirstFreeSlot; ++body2) {
                    for (CoordinateKind kind : Kinds) {
                        if (LeftOutOfKind(body1, kind) || LeftOutOfKind(body2, kind)) continue;
                        for (int code : CodesOfKind(kind)) {
                            auto row = ClickedRow(catalogue, body1, body2, code, kind);
                            auto key = StoreKeyOfAspect(
                                AspectKey(row.body1, row.body2, row.aspectKey), mode);
                            ASSERT_TRUE(key.has_value());
                            EXPECT_TRUE(keys.count(*key)) << StoreName(mode) << ": " << *key;
                            used.insert(*key);
                            if (IsNatalMode(mode)) continue;
                            auto synch = SynchronizationKey(row.body1, row.body2, mode);
                            ASSERT_TRUE(synch.has_value());
                            EXPECT_TRUE(keys.count(*synch)) << StoreName(mode) << ": " << *synch;
                            used.insert(*synch);
                        }
                    }
                }
            }
        }
        // And the store asks for nothing the reports cannot use.
        EXPECT_EQ(used, keys) << StoreName(mode);
    }
}

}  // namespace
}  // namespace quintaro
