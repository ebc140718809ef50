// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/aspect_classify.h"

#include <gtest/gtest.h>

#include "core/formatting.h"

#include "aspects/aspect_catalogue.h"

namespace quintaro {
namespace {

struct LongitudeCase {
    double separation;
    const char* orb;
    int code;
    double residual;
};

TEST(ClassifyLongitudeAspect, WindowsAreInclusiveAndTestedInTheirFixedOrder) {
    const LongitudeCase cases[] = {
        {180, "3", AspectOpposition, 0},
        {183, "3", AspectOpposition, -3},  // folds to 177
        {177, "3", AspectOpposition, -3},
        {176.99, "3", AspectNone, 176.99},
        {33, "3", AspectSemiSextile, 3},
        {33.01, "3", AspectNone, 33.01},
        {27, "3", AspectSemiSextile, -3},
        {147, "3", AspectQuincunx, -3},  // also within the biquintile window
        {141, "3", AspectBiquintile, -3},
        {72, "3", AspectQuintile, 0},
        {75, "3", AspectQuintile, 3},
        {2, "3", AspectConjunction, 2},
        {358, "3", AspectConjunction, 2},
        {0, "3", AspectConjunction, 0},
        {63, "3", AspectSextile, 3},
        {93, "3", AspectSquare, 3},
        {117, "3", AspectTrine, -3},
        {66, "6", AspectSextile, 6},         // sextile wins over quintile with wide orbs
        {15, "15", AspectSemiSextile, -15},  // semi-sextile wins over conjunction
        {32.5, "2.5x", AspectSemiSextile, 2.5},
        {32.6, "2.5x", AspectNone, 32.6},
        {30, "", AspectSemiSextile, 0},  // no orb: only exact aspects
        {30.001, "abc", AspectNone, 30.001},
    };
    for (const auto& c : cases) {
        Orbs orbs;
        orbs.geoLongitude = LeadingNumber(c.orb);  // as the entry window's field gives it
        AspectMatch m = ClassifyLongitudeAspect(c.separation, CoordinateKind::GeoLongitude, orbs);
        EXPECT_EQ(m.code, c.code) << c.separation << " orb " << c.orb;
        EXPECT_NEAR(m.residual, c.residual, 1e-9) << c.separation << " orb " << c.orb;
        EXPECT_NEAR(m.orb, std::abs(c.residual), 1e-9);
    }
}

TEST(ClassifyLongitudeAspect, ReadsTheOrbOfItsOwnKindAtEachCall) {
    Orbs orbs;
    orbs.geoLongitude = 1;
    orbs.helioLongitude = 5;
    EXPECT_EQ(ClassifyLongitudeAspect(124, CoordinateKind::GeoLongitude, orbs).code, AspectNone);
    EXPECT_EQ(ClassifyLongitudeAspect(124, CoordinateKind::HelioLongitude, orbs).code, AspectTrine);
    orbs.geoLongitude = 4.0;
    EXPECT_EQ(ClassifyLongitudeAspect(124, CoordinateKind::GeoLongitude, orbs).code, AspectTrine);
}

struct ParallelCase {
    double first, second;
    const char* orb;
    int code;
};

TEST(ClassifyParallel, EqualDistanceFromZeroWithTheSideDecidingTheCode) {
    const ParallelCase cases[] = {
        {10.5, -11.0, "1.20", AspectContraParallel},
        {10.5, 11.0, "1.20", AspectParallel},
        {-10.5, -11.0, "1.20", AspectParallel},
        {0, -0.5, "1.20", AspectContraParallel},  // 0 counts as north
        {-0.5, 0, "1.20", AspectContraParallel},
        {0, 0.5, "1.20", AspectParallel},
        {10, 11.25, "1.25", AspectParallel},  // inclusive bound
        {10, 11.26, "1.25", AspectNone},
        {5, 7, "1.20", AspectNone},
        {3, -3, "", AspectContraParallel},
    };
    for (const auto& c : cases) {
        Orbs orbs;
        orbs.geoDeclination = LeadingNumber(c.orb);
        EXPECT_EQ(ClassifyParallel(c.first, c.second, CoordinateKind::GeoDeclination, orbs), c.code)
            << c.first << " " << c.second;
    }
}

TEST(AspectCatalogue, AnglesNamesAndKeysByCode) {
    struct Row {
        int code, angle;
        const char* name;
        const char* key;
    };
    const Row rows[] = {
        {2, 0, "CONJUNCT", "000"},       {3, 60, "SEXTILE", "060"},
        {4, 90, "SQUARE", "090"},        {5, 120, "TRINE", "120"},
        {6, 180, "OPPOSITION", "180"},   {8, 30, "SEMI-SEXTILE", "030"},
        {9, 45, "SEMI-SQ", "045"},       {10, 135, "SESQ", "135"},
        {11, 150, "QUINCUNX", "150"},    {14, 72, "QUINTILE", "072"},
        {16, 144, "BI-QUINTILE", "144"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(AspectAngle(r.code), r.angle) << r.code;
        EXPECT_EQ(AspectLongNameOfCode(r.code), r.name) << r.code;
        EXPECT_EQ(AspectInterpretationKeyOfCode(r.code), r.key) << r.code;
        EXPECT_EQ(AspectAngleText(r.code), r.key) << r.code;
    }
    EXPECT_EQ(AspectAngle(12), 36);
    EXPECT_EQ(AspectAngle(13), 40);
    EXPECT_EQ(AspectAngle(15), 108);
    EXPECT_EQ(AspectLongNameOfCode(12), "");
    // The contra-parallel has no angle entry; both declination aspects have their own keys.
    EXPECT_EQ(AspectAngle(AspectContraParallel), -1);
    EXPECT_EQ(AspectAngle(17), -1);
    EXPECT_EQ(AspectInterpretationKeyOfCode(AspectParallel), "011");
    EXPECT_EQ(AspectInterpretationKeyOfCode(AspectContraParallel), "-011");
    EXPECT_EQ(AspectLongNameOfCode(AspectContraParallel), "CONTRA-PARALLEL");
    EXPECT_EQ(AspectGlyphCode(AspectParallel), 166);
    EXPECT_EQ(AspectGlyphCode(AspectContraParallel), 177);
}

}  // namespace
}  // namespace quintaro
