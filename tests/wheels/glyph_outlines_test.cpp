// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/glyph_outlines.h"

#include <gtest/gtest.h>

#include <fstream>

#include "recording_messages.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

const std::string Head = "orvessa-paths 1\nunits 1000 800 200\n";

TEST(GlyphOutlines, ReadsUnitsAndGlyphs) {
    std::string error;
    auto outlines =
        ParseGlyphOutlines(Head + "32 250 \r\n236 600 M0 0L600 0L600 700L0 700Z\n", error);
    ASSERT_TRUE(outlines) << error;
    EXPECT_EQ(outlines->unitsPerEm, 1000);
    EXPECT_EQ(outlines->ascent, 800);
    EXPECT_EQ(outlines->descent, 200);
    ASSERT_EQ(outlines->glyphs.size(), 2u);
    ASSERT_NE(outlines->find(U' '), nullptr);
    EXPECT_EQ(outlines->find(U' ')->advance, 250);
    EXPECT_EQ(outlines->find(U' ')->path, "");
    ASSERT_NE(outlines->find(236), nullptr);
    EXPECT_EQ(outlines->find(236)->path, "M0 0L600 0L600 700L0 700Z");
    EXPECT_EQ(outlines->find('x'), nullptr);
}

TEST(GlyphOutlines, ThePrivateUseMirrorFindsTheSameGlyph) {
    std::string error;
    auto outlines = ParseGlyphOutlines(Head + "32 250\n236 600 M0 0Z\n", error);
    ASSERT_TRUE(outlines) << error;
    EXPECT_EQ(outlines->find(0xF0EC), outlines->find(236));
    EXPECT_EQ(outlines->find(0xF020), nullptr);  // only codes from 128 on are mirrored
}

TEST(GlyphOutlines, RejectsDamagedFilesAndSaysWhere) {
    struct Case {
        const char* name;
        std::string text;
        std::string where;
    };
    const Case cases[] = {
        {"empty", "", "incomplete"},
        {"header only", "orvessa-paths 1\n", "incomplete"},
        {"other format", "other 1\nunits 1000 800 200\n", "line 1:"},
        {"zero units", "orvessa-paths 1\nunits 0 800 200\n", "line 2:"},
        {"missing descent", "orvessa-paths 1\nunits 1000 800\n", "line 2:"},
        {"negative ascent", "orvessa-paths 1\nunits 1000 -800 200\n", "line 2:"},
        {"code not a number", Head + "A 500 M0 0Z\n", "line 3:"},
        {"fractional code", Head + "65.5 500 M0 0Z\n", "line 3:"},
        {"code beyond Unicode", Head + "1114112 500 M0 0Z\n", "line 3:"},
        {"negative advance", Head + "65 -5 M0 0Z\n", "line 3:"},
        {"advance missing", Head + "65\n", "line 3:"},
        {"markup in the path", Head + "65 500 M0 0Z\"/><script/>\n", "line 3:"},
        {"fault on a later line", Head + "32 250\n\n66 500 M0 0Z\n67 x\n", "line 6:"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(ParseGlyphOutlines(c.text, error)) << c.name;
        EXPECT_NE(error.find(c.where), std::string::npos) << c.name << ": " << error;
    }
}

TEST(GlyphOutlines, LoadingReportsMissingAndDamagedFilesOnly) {
    test::TempFolder folder;
    std::ofstream(folder.path() / "good.txt") << Head << "104 1836 M0 0L10 0L10 10Z\n";
    std::ofstream(folder.path() / "damaged.txt") << Head << "65 -1 M0 0Z\n";
    struct Case {
        const char* file;
        bool loads;
        std::string said;
    };
    const Case cases[] = {{"good.txt", true, ""},
                          {"absent.txt", false, "absent.txt"},
                          {"damaged.txt", false, "line 3"}};
    for (const auto& c : cases) {
        test::RecordingMessages messages;
        auto outlines = LoadGlyphOutlines(folder.path() / c.file, messages);
        EXPECT_EQ(outlines.has_value(), c.loads) << c.file;
        ASSERT_EQ(messages.shown.size(), c.loads ? 0u : 1u) << c.file;
        if (!c.loads) {
            EXPECT_NE(messages.shown[0].text.find(c.said), std::string::npos) << c.file;
        }
    }
}

}  // namespace
}  // namespace quintaro
