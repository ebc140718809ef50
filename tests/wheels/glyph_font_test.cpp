// SPDX-License-Identifier: AGPL-3.0-or-later
// Checks the glyph font the build made, and its outline file, from outside the font tool. Without
// fontforge the build makes no font, and the tests report themselves skipped.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/atomic_file.h"
#include "core/bodies.h"
#include "core/extended_bodies.h"
#include "core/signs.h"
#include "recording_messages.h"
#include "svg_reader.h"
#include "ttf_reader.h"
#include "wheels/glyph_codes.h"
#include "wheels/glyph_outlines.h"
#include "wheels/svg_surface.h"

namespace quintaro {
namespace {

const std::filesystem::path FontDir = std::filesystem::path(QUINTARO_BINARY_DIR) / "fonts";

// Every code the system draws: the letters and digits of the 35-body list, the signs, the
// aspects that have glyphs, the 23 asteroids and the six chart points and marks.
std::set<int> CodesTheSystemUses() {
    std::set<int> codes;
    for (const auto& body : ExtendedBodies) codes.insert(static_cast<unsigned char>(body.glyph[0]));
    for (int sign = 1; sign <= 12; ++sign) codes.insert(SignGlyphCode(sign));
    for (int aspect : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18})
        codes.insert(159 + aspect);
    for (int j = 0; j < 23; ++j) codes.insert(FirstAsteroidGlyph + j);
    for (int slot = 1; slot <= 20; ++slot) codes.insert(SlotGlyphCode(slot, false));
    codes.insert(SlotGlyphCode(SlotPartOfFortune, true));
    codes.insert(SouthNodeGlyph);
    codes.insert(RetrogradeGlyph);
    return codes;
}

class GlyphFont : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!QUINTARO_GLYPH_FONT_BUILT)
            GTEST_SKIP() << "the glyph font was not built: it needs python3-fontforge (run "
                            "scripts/install-deps and configure again)";
        std::string bytes;
        ASSERT_TRUE(ReadWholeFile(FontDir / GlyphFontFileName, bytes))
            << "the build did not make " << (FontDir / GlyphFontFileName);
        font_ = std::make_unique<test::TtfReader>(std::move(bytes));
        ASSERT_TRUE(font_->valid());
        test::RecordingMessages messages;
        auto outlines = LoadGlyphOutlines(FontDir / GlyphOutlinesFileName, messages);
        ASSERT_TRUE(outlines) << (messages.shown.empty() ? "" : messages.shown[0].text);
        outlines_ = std::move(*outlines);
    }

    std::unique_ptr<test::TtfReader> font_;
    GlyphOutlines outlines_;
};

TEST_F(GlyphFont, IsTheFamilyOrvessa) {
    EXPECT_EQ(font_->familyName(), "Orvessa");
}

TEST_F(GlyphFont, HoldsADrawnGlyphAtEveryCodeTheSystemUses) {
    std::set<int> codes = CodesTheSystemUses();
    EXPECT_EQ(codes.size(), 35u + 12 + 16 + 23 + 6);
    for (int code : codes) {
        int glyph = font_->glyphIndex(code);
        EXPECT_NE(glyph, 0) << "no glyph at " << code;
        EXPECT_GT(font_->outlineSize(glyph), 0u) << "empty glyph at " << code;
        EXPECT_GT(font_->advance(glyph), 0) << "no width at " << code;
        if (code >= 128) {
            EXPECT_EQ(font_->glyphIndex(0xF000 + code), glyph) << code;
        }
    }
}

TEST_F(GlyphFont, LeavesNoAspectAndSpaceBlank) {
    for (int code : {NoAspectGlyph, int{' '}}) {
        int glyph = font_->glyphIndex(code);
        EXPECT_NE(glyph, 0) << code;
        EXPECT_EQ(font_->outlineSize(glyph), 0u) << code;
        EXPECT_GT(font_->advance(glyph), 0) << code;
    }
    EXPECT_EQ(font_->glyphIndex(159 + 17), 0);  // there is no aspect 17
}

TEST_F(GlyphFont, OutlineFileAgreesWithTheFont) {
    EXPECT_EQ(outlines_.unitsPerEm, font_->unitsPerEm());
    EXPECT_GT(outlines_.ascent, 0);
    EXPECT_GT(outlines_.descent, 0);
    for (const auto& [codePoint, outline] : outlines_.glyphs) {
        auto code = static_cast<std::uint32_t>(codePoint);
        int glyph = font_->glyphIndex(code);
        ASSERT_NE(glyph, 0) << "outline for a code the font lacks: " << code;
        EXPECT_EQ(outline.advance, font_->advance(glyph)) << code;
        EXPECT_EQ(outline.path.empty(), font_->outlineSize(glyph) == 0) << code;
    }
    for (int code : CodesTheSystemUses()) EXPECT_NE(outlines_.find(code), nullptr) << code;
}

TEST_F(GlyphFont, GlyphsAreDistinctExceptTheAsteroidsListedTwice) {
    // Diana, Eros and Pandora are in the 35-body list (digits 2, 3, 6) and among the 23
    // asteroids (codes 221, 224, 233): one glyph each.
    const std::map<int, int> shared = {{'2', 221}, {'3', 224}, {'6', 233}};
    for (const auto& [digit, code] : shared)
        EXPECT_EQ(outlines_.find(digit)->path, outlines_.find(code)->path) << digit;
    std::map<std::string, int> seen;
    for (int code : CodesTheSystemUses()) {
        if (code == 221 || code == 224 || code == 233) continue;
        auto [it, fresh] = seen.emplace(outlines_.find(code)->path, code);
        EXPECT_TRUE(fresh) << code << " looks the same as " << it->second;
    }
}

TEST_F(GlyphFont, EveryGlyphBecomesAPathInSvg) {
    SvgSurface surface(4000, 100, outlines_);
    surface.setFontName(GlyphFontName);
    std::string text;
    std::set<int> codes = CodesTheSystemUses();
    for (int code : codes) text += GlyphText(code);
    surface.printText(text);
    std::string error;
    auto elements = test::ParseXml(surface.document(), error);
    ASSERT_TRUE(elements) << error;
    EXPECT_EQ(test::ElementsNamed(*elements, "path").size(), codes.size());
    EXPECT_TRUE(test::ElementsNamed(*elements, "text").empty());
}

}  // namespace
}  // namespace quintaro
