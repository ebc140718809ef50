// SPDX-License-Identifier: AGPL-3.0-or-later
// quintaro-cli wheel --style lens|duo|house|zodiac [--house-system NAME] [--transits].
#include <cairo.h>
#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <regex>

#include "cli_run.h"
#include "svg_reader.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::RunCli;

const std::string kJ2000 = std::string(QUINTARO_SOURCE_DIR) + "/tests/cli/data/j2000.opt";
// 4 February 1962, noon at Greenwich: Sun, Moon and five planets within 17 degrees, the transit
// section at the same moment.
const std::string kStellium =
    std::string(QUINTARO_SOURCE_DIR) + "/tests/cli_wheels/data/stellium_1962.opt";
const std::filesystem::path kShots = std::filesystem::path(QUINTARO_BINARY_DIR) / "screenshots";

class WheelStyles : public ::testing::Test {
  protected:
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", (folder.path() / "home").string(), "wheel"});
        return RunCli(folder.path(), args);
    }
    std::string Path(const std::string& name) const { return (folder.path() / name).string(); }
    std::string Bytes(const std::string& path) const {
        std::string bytes;
        ReadWholeFile(path, bytes);
        return bytes;
    }
    test::TempFolder folder;
};

// The width and height of a PNG file, and how many colours it holds (every third pixel).
struct PngFacts {
    int width = 0, height = 0, colours = 0;
};
PngFacts DecodePng(const std::string& path) {
    cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
    PngFacts facts;
    if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS) {
        facts.width = cairo_image_surface_get_width(image);
        facts.height = cairo_image_surface_get_height(image);
        const int stride = cairo_image_surface_get_stride(image);
        const unsigned char* data = cairo_image_surface_get_data(image);
        std::set<uint32_t> seen;
        for (int y = 0; y < facts.height; y += 3)
            for (int x = 0; x < facts.width; x += 3)
                seen.insert(*reinterpret_cast<const uint32_t*>(data + y * stride + 4 * x) &
                            0xFFFFFF);
        facts.colours = static_cast<int>(seen.size());
    }
    cairo_surface_destroy(image);
    return facts;
}

// The texts of an SVG document, joined by newlines; fails the test when it does not parse.
std::string SvgTexts(const std::string& document) {
    std::string error;
    auto elements = test::ParseXml(document, error);
    EXPECT_TRUE(elements) << error;
    std::string texts;
    if (elements)
        for (const auto& element : *elements)
            if (element.name == "text") texts += element.text + "\n";
    return texts;
}

int CountOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST_F(WheelStyles, EveryStyleWritesPngSvgAndPdf) {
    struct Case {
        std::string style;
        std::vector<std::string> extra;
        std::string title;  // a text the drawing must show
    };
    const Case cases[] = {
        {"lens", {}, "Velm = 12"},
        {"duo", {}, "geo + helio chart (J2000, 1/1/2000 / Transits, 1/2/2000)"},
        {"house", {"--house-system", "Equal MC"}, "House system = Equal MC"},
        {"zodiac", {"--house-system", "Koch"}, "House system = Koch"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        for (const std::string extension : {".png", ".svg", ".pdf"}) {
            const std::string out = Path(c.style + extension);
            std::vector<std::string> args = {"--opt", kJ2000, "--style", c.style,
                                             "--out", out,    "--size",  "600"};
            args.insert(args.end(), c.extra.begin(), c.extra.end());
            auto r = Run(args);
            ASSERT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(r.out.rfind("Wrote " + out + ": J2000  2000-01-01  12:00 P.M.", 0), 0u)
                << r.out;
            const std::string bytes = Bytes(out);
            if (extension == ".png") {
                PngFacts png = DecodePng(out);
                EXPECT_EQ(png.width, 600);
                EXPECT_EQ(png.height, 600);
                EXPECT_GT(png.colours, 4);
            } else if (extension == ".svg") {
                EXPECT_NE(SvgTexts(bytes).find(c.title), std::string::npos) << SvgTexts(bytes);
                EXPECT_NE(bytes.find("<path"), std::string::npos);  // glyphs as outlines
            } else {
                EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
                EXPECT_EQ(CountOf(bytes, "/Type /Page\n") + CountOf(bytes, "/Type /Page "), 1);
            }
        }
    }
}

TEST_F(WheelStyles, TransitsJoinTheZodiacWheelOnlyWhenAsked) {
    for (bool transits : {false, true}) {
        std::vector<std::string> args = {"--opt",  kJ2000,  "--style",
                                         "zodiac", "--out", Path("z.svg")};
        if (transits) args.push_back("--transits");
        auto r = Run(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string texts = SvgTexts(Bytes(Path("z.svg")));
        EXPECT_NE(texts.find("J2000, 1/1/2000"), std::string::npos);
        EXPECT_EQ(texts.find("Transits, 1/2/2000") != std::string::npos, transits);
    }
}

// The house wheel of the stellium with its transits at the same moment: every body twice in its
// house. The houses come from the chart command; a house of more than 8 bodies leaves out the
// rest, each named once, and the wheel is written with an exit status of 2.
TEST_F(WheelStyles, HouseWheelNamesEveryBodyAFullHouseLeavesOut) {
    auto chart = RunCli(folder.path(), {"--home", (folder.path() / "home").string(), "chart",
                                        "--opt", kStellium, "--json"});
    ASSERT_EQ(chart.status, 0) << chart.err;
    const nlohmann::json charts = nlohmann::json::parse(chart.out, nullptr, false);
    ASSERT_FALSE(charts.is_discarded()) << chart.out;
    std::map<std::string, int> inHouse;
    for (const char* side : {"natal", "transit"})
        for (const nlohmann::json& body : charts[side]["bodies"])
            if (body["slot"] != 11 && body["house"].is_number())  // the Earth has no house
                ++inHouse[std::to_string(body["house"].get<int>())];
    int expected = 0;
    std::set<std::string> full;
    for (const auto& [house, count] : inHouse) {
        if (count > 8) full.insert(house);
        expected += std::max(0, count - 8);
    }
    ASSERT_GT(expected, 0) << chart.out;

    auto r = Run({"--opt", kStellium, "--style", "house", "--transits", "--out", Path("h.png")});
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_EQ(DecodePng(Path("h.png")).width, 800);
    EXPECT_EQ(CountOf(r.err, "Please be advised"), expected) << r.err;
    const std::regex told(
        R"(I cannot fit \S+ into the proper location within house (\d+), so I must leave it out\.)");
    int named = 0;
    for (std::sregex_iterator it(r.err.begin(), r.err.end(), told), end; it != end; ++it) {
        EXPECT_TRUE(full.count((*it)[1])) << (*it)[0];
        ++named;
    }
    EXPECT_EQ(named, expected);
}

TEST_F(WheelStyles, BadChoicesWriteNothing) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"--style", "zodiacal"}, "unknown wheel style 'zodiacal'"},
        {{"--style", "house", "--house-system", "plasidus"}, "unknown house system 'plasidus'"},
        {{"--style", "zodiac", "--house-system", "Topocentric"}, "the systems are Velm Astro"},
        {{"--size", "99"}, "--size"},
        {{"--size", "10001"}, "--size"},
        {{"--size", "large"}, "--size"},
        {{"--style", "zodiac", "--helio"}, "--helio"},
        {{"--transits", "--natal-only"}, "excludes"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--opt", kJ2000, "--out", Path("bad.png")});
        auto r = Run(args);
        EXPECT_NE(r.status, 0) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(Path("bad.png"))) << c.message;
    }
}

TEST_F(WheelStyles, SizesFromOneHundredToTenThousand) {
    for (const char* size : {"100", "10000"}) {
        auto r =
            Run({"--style", "zodiac", "--opt", kJ2000, "--size", size, "--out", Path("s.svg")});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(Bytes(Path("s.svg")).find("width=\"" + std::string(size) + "\""),
                  std::string::npos);
    }
}

// Screenshots to look at: each style with a natal chart, natal + transits, and the stellium.
TEST_F(WheelStyles, ScreenshotsOfEveryStyle) {
    std::filesystem::create_directories(kShots);
    for (const char* style : {"lens", "duo", "house", "zodiac"}) {
        const std::pair<std::string, std::vector<std::string>> charts[] = {
            {"natal", {"--opt", kJ2000, "--natal-only"}},
            {"transits", {"--opt", kJ2000, "--transits"}},
            {"crowded", {"--opt", kStellium, "--transits"}},
        };
        for (const auto& [kind, chart] : charts) {
            const std::string out =
                (kShots / ("cli_" + std::string(style) + "_" + kind + ".png")).string();
            std::vector<std::string> args = chart;
            args.insert(args.end(), {"--style", style, "--out", out});
            auto r = Run(args);
            EXPECT_TRUE(r.status == 0 || (r.status == 2 && std::string(style) == "house"))
                << style << " " << kind << ": " << r.err;
            EXPECT_EQ(DecodePng(out).width, 800) << out;
        }
    }
}

}  // namespace
}  // namespace quintaro
