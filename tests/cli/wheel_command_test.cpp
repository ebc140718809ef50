// SPDX-License-Identifier: AGPL-3.0-or-later
// wheel: every file it writes is decoded and checked; a refused request writes nothing.
#include <regex>

#include "cli_fixture.h"
#include "decoded_files.h"
#include "svg_reader.h"

namespace quintaro::test {
namespace {

class WheelCommand : public CliTest {
  protected:
    std::string Bytes(const std::string& path) {
        std::string bytes;
        EXPECT_TRUE(ReadWholeFile(path, bytes)) << path;
        return bytes;
    }
};

TEST_F(WheelCommand, PngOfTheSizeAskedWithADrawing) {
    const std::string out = Path("natal.png");
    CliResult r = Run({"wheel", "--opt", J2000Chart(), "--out", out, "--size", "600"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Wrote " + out +
                         ": J2000  2000-01-01  12:00 P.M. (12:00)  zone 0 (UTC)  0°00′ W  "
                         "51°29′ N\n");
    auto png = DecodePng(out);
    ASSERT_TRUE(png) << "not a PNG file";
    EXPECT_EQ(png->width, 600);
    EXPECT_EQ(png->height, 600);
    EXPECT_GT(png->drawnShare, 0.02);  // rings, glyphs and aspect lines
}

TEST_F(WheelCommand, SvgParsesWithTheWheelsElements) {
    const std::string out = Path("natal.svg");
    CliResult r =
        Run({"wheel", "--natal-date", "1990-12-25", "--natal-time", "10:30pm", "--natal-zone", "5",
             "--natal-long", "73w59", "--natal-lat", "40n46", "--natal-only", "--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string error;
    auto elements = ParseXml(Bytes(out), error);
    ASSERT_TRUE(elements) << error;
    ASSERT_FALSE(elements->empty());
    EXPECT_EQ((*elements)[0].name, "svg");
    EXPECT_EQ((*elements)[0].at("width"), "800");
    int circles = 0, drawn = 0;
    for (const XmlElement& e : *elements) {
        circles += e.name == "circle";
        drawn += e.name == "path" || e.name == "line" || e.name == "text";
    }
    EXPECT_GE(circles, 2);
    EXPECT_GT(drawn, 20);
}

TEST_F(WheelCommand, PdfHasOnePage) {
    const std::string out = Path("natal.pdf");
    CliResult r = Run({"wheel", "--opt", J2000Chart(), "--helio", "--filter", "5", "--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string pdf = Bytes(out);
    EXPECT_TRUE(pdf.starts_with("%PDF-1.")) << pdf.substr(0, 10);
    EXPECT_TRUE(std::regex_search(pdf.substr(pdf.size() > 32 ? pdf.size() - 32 : 0),
                                  std::regex("%%EOF\\s*$")));
    const std::regex page(R"(/Type\s*/Page(?!s))");
    EXPECT_EQ(
        std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()),
        1);
    EXPECT_TRUE(std::regex_search(pdf, std::regex(R"(/Count\s+1\b)")));
}

TEST_F(WheelCommand, RefusedRequestsWriteNoFile) {
    ExpectRefused({"wheel", "--out", Path("wheel.gif")}, "--out must end in .png, .svg or .pdf");
    EXPECT_FALSE(std::filesystem::exists(Path("wheel.gif")));
    ExpectRefused({"wheel", "--out", Path("wheel.png"), "--filter", "9"}, "--filter");
    ExpectRefused(
        {"wheel", "--out", Path("wheel.png"), "--natal-date", "1990-12-25", "--natal-time", "22:30",
         "--natal-zone", "5", "--natal-long", "-73.59", "--natal-lat", "40n46"},
        "Accepted forms");
    EXPECT_FALSE(std::filesystem::exists(Path("wheel.png")));
    CliResult r = Run({"wheel", "--opt", J2000Chart(), "--out", Path("no/such/folder/w.png")});
    EXPECT_NE(r.status, 0);
    EXPECT_LT(r.status, 128);
    EXPECT_FALSE(r.err.empty());
    EXPECT_FALSE(std::filesystem::exists(Path("no/such/folder/w.png")));
}

}  // namespace
}  // namespace quintaro::test
